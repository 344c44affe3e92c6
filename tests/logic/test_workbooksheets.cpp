#include "logic/workbooksheets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "logic/samplestore.h"
#include "tests/support/sampleforms.h"

namespace {

using tintavis::Ink;
using tintavis::Language;
using tintavis::SheetCell;
using tintavis::StoredSample;

StoredSample Calculated(const tintavis::SampleForm& form = tintavis::testing::RedReferenceForm()) {
  const auto outcome = tintavis::CalculateSample(form, {}, '.', Language::Spanish);
  return tintavis::CalculatedSample(std::get<tintavis::RowWritten>(outcome), form, '.', {});
}

TEST(Workbook, TheTextOnANameFillIsTheColourThatReadsBetter) {
  struct Case {
    tintavis::SwatchColour fill;
    Ink ink;
  };
  for (const Case& c : {Case{{0, 0, 0}, Ink::White}, Case{{255, 255, 255}, Ink::Black},
                        Case{{93, 21, 28}, Ink::White}, Case{{250, 230, 120}, Ink::Black},
                        Case{{0, 0, 255}, Ink::White}, Case{{0, 200, 0}, Ink::Black}}) {
    EXPECT_EQ(tintavis::InkOn(c.fill), c.ink) << c.fill.red << "," << c.fill.green << "," << c.fill.blue;
  }
}

TEST(Workbook, ACalculatedRowHasItsFullValuesWithTheGridsDecimalsThenItsInputs) {
  const auto sheet = tintavis::SamplesSheet({Calculated()}, Language::English);
  ASSERT_EQ(sheet.rows.size(), 2u);
  EXPECT_EQ(sheet.rows[0][0].text, "Sample");
  const auto& row = sheet.rows[1];
  ASSERT_EQ(row.size(), 20u);
  EXPECT_EQ(row[0].text, "M") << "the grid's blank after the name is not part of it";
  ASSERT_TRUE(row[0].fill.has_value());
  EXPECT_EQ(row[0].ink, Ink::White);
  EXPECT_EQ(row[1].kind, SheetCell::Kind::Number);
  EXPECT_NEAR(row[1].number, 3.2128143, 1e-7);
  EXPECT_EQ(row[1].format, "0.000");
  EXPECT_EQ(row[4].format, "0.0");
  EXPECT_EQ(row[5].format, "0.00");
  EXPECT_EQ(row[9].format, "0.000");
  EXPECT_EQ(row[11].text, "Red, Rosé");
  EXPECT_EQ(row[12].number, 2);
  EXPECT_EQ(row[14].number, 0.5);
  EXPECT_EQ(row[19].kind, SheetCell::Kind::Boolean);
}

TEST(Workbook, CellsTheGridShowsAsDashesAndInputsAnOpenedRowHasNotStayEmpty) {
  const StoredSample white = Calculated(tintavis::testing::WhiteForm("B"));
  tintavis::RowValues values = white.values;
  values[0] = std::numeric_limits<double>::quiet_NaN();
  const StoredSample opened = tintavis::OpenedSample(white.cells, values);
  const auto sheet = tintavis::SamplesSheet({white, opened}, Language::Spanish);
  EXPECT_EQ(sheet.rows[1][9].kind, SheetCell::Kind::Empty);
  EXPECT_EQ(sheet.rows[1][10].kind, SheetCell::Kind::Empty);
  const auto& row = sheet.rows[2];
  EXPECT_EQ(row[1].kind, SheetCell::Kind::Empty) << "a value that is no number";
  EXPECT_FALSE(row[0].fill.has_value()) << "no colour without X";
  for (std::size_t c = 11; c < row.size(); ++c) EXPECT_EQ(row[c].kind, SheetCell::Kind::Empty) << c;
}

TEST(Workbook, TheMethodSheetStatesTheResultPathLengthsOfTheSamples) {
  auto form = tintavis::testing::RedReferenceForm();
  form.referido = "1";
  const auto sheet = tintavis::MethodSheet({Calculated(), Calculated(form)}, Language::Spanish);
  bool found = false;
  for (const auto& row : sheet.rows) {
    if (row[0].text == "Espesor de resultado") found = row[1].text == "1, 10 mm";
  }
  EXPECT_TRUE(found);
}

TEST(Workbook, TheDifferenceSheetHoldsTheDifferencesAsNumbers) {
  tintavis::SampleStore store;
  store.Append(Calculated());
  auto form = tintavis::testing::RedReferenceForm("N");
  form.primLong = "0.6";
  store.Append(Calculated(form));
  const auto table = tintavis::MakeDifferenceTable(store, 1, ',', Language::Spanish);
  const auto sheet = tintavis::DifferencesSheet(table, Language::Spanish);
  ASSERT_EQ(sheet.rows.size(), 4u);
  EXPECT_EQ(sheet.rows[0][1].text, "1  M");
  EXPECT_EQ(sheet.rows[2][2].number, 0);
  EXPECT_EQ(sheet.rows[3][2].kind, SheetCell::Kind::Number);
  EXPECT_NE(sheet.rows[3][7].number, 0);
  EXPECT_EQ(sheet.rows[3][7].format, "0.00");

  // With a tolerance: U and the verdict beside the differences, the rule and the count below.
  tintavis::QualityCheck check;
  check.tolerance = tintavis::Tolerance{0.01, tintavis::DifferenceFormula::De00, tintavis::DecisionRule::Simple};
  check.uncertainty = tintavis::InputUncertainty{0.005, 0};
  const auto checked = tintavis::DifferencesSheet(tintavis::MakeDifferenceTable(store, 1, ',', Language::Spanish, check),
                                                  Language::Spanish);
  ASSERT_EQ(checked.rows.size(), 6u);
  EXPECT_EQ(checked.rows[1].back().text, "Veredicto");
  EXPECT_EQ(checked.rows[2].back().text, "Conforme");
  EXPECT_EQ(checked.rows[3].back().text, "No conforme");
  EXPECT_EQ(checked.rows[3][9].kind, SheetCell::Kind::Number);  // U(ΔE00)
  EXPECT_EQ(checked.rows[5][0].text, "1 de 2 conformes");

  // A typed target, not the reference row, is what the differences are to.
  check.target = tintavis::Lab{30, 40, 20};
  const auto target = tintavis::DifferencesSheet(tintavis::MakeDifferenceTable(store, 1, ',', Language::Spanish, check),
                                                 Language::Spanish);
  EXPECT_EQ(target.rows[0][0].text, "Objetivo");
  EXPECT_EQ(target.rows[0][1].text, "30,0 / 40,00 / 20,00");
}

}  // namespace
