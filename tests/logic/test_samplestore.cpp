#include "logic/samplestore.h"

#include <gtest/gtest.h>

#include "tests/support/sampleforms.h"

namespace {

using tintavis::Language;
using tintavis::SampleStore;
using tintavis::StoredSample;

StoredSample Calculated(const tintavis::SampleForm& form = tintavis::testing::RedReferenceForm()) {
  const auto outcome = tintavis::CalculateSample(form, {}, '.', Language::Spanish);
  return tintavis::CalculatedSample(std::get<tintavis::RowWritten>(outcome), form, '.', {});
}

StoredSample Named(const std::string& name) { return Calculated(tintavis::testing::RedReferenceForm(name)); }

TEST(SampleStore, ACalculatedRowKeepsItsTextsItsFullValuesAndItsInputsAsTyped) {
  tintavis::SampleForm form = tintavis::testing::RedReferenceForm();
  form.primLong = "0,5";
  SampleStore store;
  EXPECT_EQ(store.Append(Calculated(form)), 1);
  EXPECT_EQ(store.Cell(1, 0), "1");
  EXPECT_EQ(store.Cell(1, 1), "M ");
  EXPECT_EQ(store.Cell(1, 5), "12.0");
  const StoredSample& s = store.Sample(1);
  EXPECT_NEAR(*s.values[3], 11.978323, 1e-6);
  ASSERT_TRUE(s.input.has_value());
  EXPECT_EQ(s.input->d, 2);
  EXPECT_EQ(s.input->r, 10);
  EXPECT_DOUBLE_EQ(s.input->a450, 0.5);
  EXPECT_EQ(s.absorbanceTexts[0], "0,5");
  EXPECT_EQ(s.origin, tintavis::SampleOrigin::Calculated);
  EXPECT_EQ(store.NextRow(), 2);
}

TEST(SampleStore, HoldsFiftySamplesAndRefusesTheFiftyFirstWithoutReplacingOne) {
  SampleStore store;
  for (int i = 1; i <= 50; ++i) EXPECT_EQ(store.Append(Named("S" + std::to_string(i))), i);
  EXPECT_TRUE(store.Full());
  EXPECT_EQ(store.NextRow(), 50);
  EXPECT_EQ(store.RowCount(), 51);
  EXPECT_EQ(store.Append(Named("Otra")), 0);
  EXPECT_EQ(store.Cell(50, 1), "S50 ");
  EXPECT_EQ(store.SampleCount(), 50);
}

TEST(SampleStore, ValueCellsTakeNumbersWithEitherSeparatorAndDashesOnlyUnderIntensityAndTonality) {
  SampleStore store;
  store.Append(Calculated());
  struct Case {
    int column;
    const char* typed;
    bool accepted;
    const char* text;
  } cases[] = {
      {9, "16,2", true, "16.2"}, {9, " 16.2 ", true, " 16.2 "}, {9, "abc", false, ""},   {9, "", false, ""},
      {9, "--", false, ""},      {10, "  --", true, "  --"},     {11, "--", true, "--"}, {2, "1e999", false, ""},
      {1, "Lote\t7", true, "Lote 7"},
  };
  for (const Case& c : cases) {
    const auto edit = store.CheckEdit(1, c.column, c.typed, '.', Language::English);
    EXPECT_EQ(edit.accepted, c.accepted) << c.typed;
    if (c.accepted) {
      EXPECT_EQ(edit.text, c.text) << c.typed;
    }
  }
  const auto refused = store.CheckEdit(1, 9, "abc", '.', Language::English);
  EXPECT_EQ(refused.refusal.display, tintavis::MessageDisplay::ErrorDisplay);
  EXPECT_EQ(refused.refusal.text.substr(0, 22), "'abc' is not a number.");
  EXPECT_EQ(store.CheckEdit(1, 9, "abc", '.', Language::Spanish).refusal.text.rfind("«abc» no es un número.", 0), 0u);
  // An empty text clears a cell of a row that holds no sample.
  EXPECT_TRUE(store.CheckEdit(5, 9, "", '.', Language::English).accepted);
}

TEST(SampleStore, AnAcceptedEditChangesTheRecordAndMarksItEditedByHand) {
  SampleStore store;
  store.Append(Calculated());
  store.ApplyEdit(1, 9, store.CheckEdit(1, 9, "16,2", '.', Language::Spanish));
  EXPECT_EQ(store.Cell(1, 9), "16.2");
  EXPECT_DOUBLE_EQ(*store.Sample(1).values[7], 16.2);
  EXPECT_TRUE(store.Sample(1).edited);
  // C* and h are not recomputed: the row says it was edited instead.
  EXPECT_EQ(store.Cell(1, 6), "43.99");
  const auto details = tintavis::SampleDetails(store.Sample(1), Language::English);
  EXPECT_EQ(details.back(), "edited by hand");
  store.ApplyEdit(1, 11, store.CheckEdit(1, 11, "--", '.', Language::Spanish));
  EXPECT_FALSE(store.Sample(1).values[9].has_value());
  // A name edit leaves the numbers consistent.
  SampleStore other;
  other.Append(Calculated());
  other.ApplyEdit(1, 1, other.CheckEdit(1, 1, "Crianza ", '.', Language::Spanish));
  EXPECT_FALSE(other.Sample(1).edited);
}

TEST(SampleStore, RemovingRowsMovesTheRowsBelowUpAndNextRowFollows) {
  SampleStore store;
  for (const char* n : {"A", "B", "C", "D"}) store.Append(Named(n));
  store.ApplyEdit(8, 1, store.CheckEdit(8, 1, "nota", '.', Language::Spanish));
  EXPECT_TRUE(store.RemoveRows(2, 3));
  EXPECT_EQ(store.SampleCount(), 2);
  EXPECT_EQ(store.Cell(2, 1), "D ");
  EXPECT_EQ(store.Cell(3, 1), "");
  EXPECT_EQ(store.NextRow(), 3);
  EXPECT_EQ(store.Cell(8, 1), "nota");
  // Empty rows hold nothing to remove; typed text in them goes.
  EXPECT_FALSE(store.RemoveRows(4, 6));
  EXPECT_TRUE(store.RemoveRows(8, 8));
  EXPECT_EQ(store.Cell(8, 1), "");
  EXPECT_EQ(store.Append(Named("E")), 3);
}

TEST(SampleStore, ClearKeepsTextTypedAfterNextRowAndLoadFollowsTheFileLines) {
  SampleStore store;
  store.Append(Calculated());
  store.ApplyEdit(2, 1, store.CheckEdit(2, 1, "siguiente", '.', Language::Spanish));
  store.ApplyEdit(20, 1, store.CheckEdit(20, 1, "abajo", '.', Language::Spanish));
  store.SetHeaderCell(1, "    Sample");
  store.Clear();
  EXPECT_EQ(store.Cell(1, 1), "");
  EXPECT_EQ(store.Cell(2, 1), "");
  EXPECT_EQ(store.Cell(20, 1), "abajo");
  EXPECT_EQ(store.Cell(0, 1), "   Muestra");

  store.ApplyEdit(12, 1, store.CheckEdit(12, 1, "nota", '.', Language::Spanish));
  std::vector<StoredSample> rows(3, tintavis::OpenedSample({"F "}));
  store.Load(rows);
  EXPECT_EQ(store.NextRow(), 4);
  EXPECT_EQ(store.RowCount(), 13);
  EXPECT_EQ(store.Cell(12, 1), "");  // a short file takes the typed text with the old grid
  EXPECT_EQ(store.Sample(1).origin, tintavis::SampleOrigin::OpenedFromFile);
  EXPECT_FALSE(store.Sample(1).values[0].has_value());
  store.Load(std::vector<StoredSample>(60, tintavis::OpenedSample({"G "})));
  EXPECT_EQ(store.SampleCount(), 50);
  EXPECT_EQ(store.RowCount(), 51);
}

TEST(SampleStore, TextsForSavingAndPrintingAreTheCellsOfEveryRow) {
  SampleStore store;
  store.Append(Calculated());
  store.ApplyEdit(3, 4, store.CheckEdit(3, 4, "1.5", '.', Language::Spanish));
  const tintavis::ResultsGrid grid = store.Texts();
  for (int r = 0; r < SampleStore::kStoredRows; ++r) {
    for (int c = 0; c < tintavis::kGridColumns; ++c) EXPECT_EQ(grid.Cell(r, c), store.Cell(r, c)) << r << "," << c;
  }
  EXPECT_EQ(grid.Cell(3, 4), "1.5");
}

TEST(SampleStore, DetailsGiveTheInputsTheTimeAndTheOriginInBothLanguages) {
  tintavis::SampleForm form = tintavis::testing::WhiteForm("B");
  form.segLong = "0,05";
  const auto outcome = tintavis::CalculateSample(form, {}, '.', Language::Spanish);
  const StoredSample s = tintavis::CalculatedSample(std::get<tintavis::RowWritten>(outcome), form, '.',
                                                    std::chrono::system_clock::now());
  const auto es = tintavis::SampleDetails(s, Language::Spanish);
  ASSERT_EQ(es.size(), 6u);
  EXPECT_EQ(es[0], "Tipo de vino: Blanco, Brandy");
  EXPECT_EQ(es[1], "Espesor de medida: 10 mm");
  EXPECT_EQ(es[3], "Absorbancias: 450 nm 0.1; 520 nm 0,05; 570 nm 0.04; 630 nm 0.03");
  EXPECT_EQ(es[4].rfind("Hora del cálculo: 20", 0), 0u) << es[4];
  EXPECT_EQ(es[5], "Origen: calculada con «Calcular»");
  const auto en = tintavis::SampleDetails(s, Language::English);
  EXPECT_EQ(en[0], "Type of wine: White, Brandy");
  EXPECT_EQ(tintavis::SampleDetails(tintavis::OpenedSample({"F "}), Language::English),
            (std::vector<std::string>{"Origin: opened from a data file (no inputs)"}));
}

TEST(SampleStore, ABlockCopiesAsTabSeparatedLinesUnderItsHeadings) {
  SampleStore store;
  store.Append(Calculated());
  store.Append(Calculated(tintavis::testing::WhiteForm("B")));
  EXPECT_EQ(tintavis::BlockText(store, 1, 2, 1, 3), "   Muestra\t     X\t     Y\nM \t3.213\t1.403\nB \t84.560\t89.815\n");
  EXPECT_EQ(tintavis::BlockText(store, 2, 2, 10, 11), "   Int.\t  Ton.\n  --\t  --\n");
}

}  // namespace
