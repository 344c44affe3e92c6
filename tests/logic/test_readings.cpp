#include "logic/readings.h"

#include <gtest/gtest.h>

namespace {

using tintavis::Language;

TEST(Readings, EachLineTakesItsOwnSeparatorAndQuotesKeepThemInAField) {
  const auto text = tintavis::ParseReadings(
      "\n# comment\r\n"
      "Crianza\tRED\t2\t10\t0.5\t0.8\t0.6\t0.2\r\n"
      "\"Rosado; \"\"joven\"\"\";Tinto, Rosado;10;10;0,35;0,30;0,12;0,05\n"
      "Verdejo,white,10,10,0.1,0.04,0.02,0.01\n"
      "Corto\tred\t2\n",
      Language::English);
  ASSERT_EQ(text.readings.size(), 3u);
  EXPECT_EQ(text.readings[0].line, 3u);
  EXPECT_EQ(text.readings[0].form.wine, tintavis::WineType::RedRose);
  EXPECT_EQ(text.readings[1].form.name, "Rosado; \"joven\"");
  EXPECT_EQ(text.readings[1].form.primLong, "0,35");
  EXPECT_EQ(text.readings[2].form.wine, tintavis::WineType::WhiteBrandy);
  ASSERT_EQ(text.refused.size(), 1u);
  EXPECT_EQ(tintavis::ImportReport(text.refused, Language::English), "Lines not imported:\nline 6: expected 8 fields, found 3");
  EXPECT_EQ(tintavis::ImportReport({}, Language::English), "");
}

}  // namespace
