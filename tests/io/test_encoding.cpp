#include "io/encoding.h"

#include <gtest/gtest.h>

namespace {

using tintavis::DecodeText;
using tintavis::IsValidUtf8;
using tintavis::Utf8ToWindows1252;
using tintavis::Windows1252ToUtf8;

TEST(Encoding, RecognisesValidAndInvalidUtf8) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("a\xC3\xB1o \xE2\x82\xAC \xF0\x9F\x8D\xB7"));
  for (const char* bad : {"\xF1", "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "a\xFF"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << testing::PrintToString(bad);
  }
}

TEST(Encoding, EveryWindows1252ByteRoundTripsThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Encoding, MapsTheSpecialBytesOfTheCodePage) {
  EXPECT_EQ(Windows1252ToUtf8("\x80\xF1\xBA"), "\xE2\x82\xAC\xC3\xB1\xC2\xBA");  // euro, n tilde, ordinal
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x80\x9C" "a" "\xE2\x80\x9D"), "\x93" "a\x94");
}

TEST(Encoding, RefusesCharactersOutsideTheCodePage) {
  EXPECT_FALSE(Utf8ToWindows1252("star \xE2\x98\x85").has_value());
  EXPECT_FALSE(Utf8ToWindows1252("\xC4\x80").has_value());  // A with macron
  EXPECT_FALSE(Utf8ToWindows1252("\xC3").has_value());      // not UTF-8 at all
}

TEST(Encoding, DecodeTextKeepsUtf8DropsItsMarkAndReadsTheRestAsWindows1252) {
  EXPECT_EQ(DecodeText("\xEF\xBB\xBFVi\xC3\xB1" "a"), "Vi\xC3\xB1" "a");
  EXPECT_EQ(DecodeText("Vi\xF1" "a"), "Vi\xC3\xB1" "a");
}

}  // namespace
