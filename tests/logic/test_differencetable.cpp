#include "logic/differencetable.h"

#include <gtest/gtest.h>

namespace {

using tintavis::Language;
using tintavis::ResultsGrid;

// A grid with L*, a*, b* written as the window or a file leaves them.
ResultsGrid Grid() {
  ResultsGrid grid;
  struct Row {
    const char* name;
    const char* L;
    const char* a;
    const char* b;
  } rows[] = {{"Ref ", "12.0", "41.24", "15.31"}, {"Otra ", "15.0", "45.24", "18.31"}, {"Mala ", "x", "1", "1"},
              {"Archivo ", "12", "41.24", "15.31"}};
  for (int r = 1; r <= 4; ++r) {
    grid.SetCell(r, 1, rows[r - 1].name);
    grid.SetCell(r, 5, rows[r - 1].L);
    grid.SetCell(r, 8, rows[r - 1].a);
    grid.SetCell(r, 9, rows[r - 1].b);
  }
  return grid;
}

TEST(DifferenceTable, ComparesEveryRowWithTheReferenceAndNamesTheUnreadableOnes) {
  const auto table = tintavis::MakeDifferenceTable(Grid(), 4, 1, ',', Language::Spanish);
  ASSERT_EQ(table.rows.size(), 4u);
  using Cells = std::array<std::string, tintavis::kDifferenceColumns>;
  EXPECT_EQ(table.rows[0], (Cells{"1", "Ref ", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00"}));
  // ΔL* 3, Δa* 4, Δb* 3: ΔE*ab = √34 = 5.83.
  EXPECT_EQ(table.rows[1][2], "3,00");
  EXPECT_EQ(table.rows[1][3], "4,00");
  EXPECT_EQ(table.rows[1][4], "3,00");
  EXPECT_EQ(table.rows[1][7], "5,83");
  EXPECT_EQ(table.rows[2], (Cells{"3", "Mala ", "", "", "", "", "", "", ""}));
  EXPECT_EQ(table.rows[3][8], "0,00");  // "12" from a file reads as 12.0
  EXPECT_EQ(table.message, "Filas sin L*, a*, b* válidos: 3.");
}

TEST(DifferenceTable, AnUnreadableReferenceLeavesEveryRowEmptyWithOneMessage) {
  const auto table = tintavis::MakeDifferenceTable(Grid(), 4, 3, '.', Language::English);
  for (const auto& row : table.rows) EXPECT_EQ(row[7], "");
  EXPECT_EQ(table.message, "The reference row 3 has no valid L*, a*, b*.");
}

TEST(DifferenceTable, ClipboardTextHasAHeaderAndTabs) {
  const auto table = tintavis::MakeDifferenceTable(Grid(), 2, 1, '.', Language::English);
  EXPECT_EQ(tintavis::DifferenceTableText(table, Language::English),
            "No\tSample\tΔL*\tΔa*\tΔb*\tΔC*\tΔH*\tΔE*ab\tΔE00\n"
            "1\tRef \t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\n"
            "2\tOtra \t3.00\t4.00\t3.00\t4.81\t1.35\t5.83\t" +
                table.rows[1][8] + "\n");
  EXPECT_EQ(tintavis::ReferenceChoices(Grid(), 2), (std::vector<std::string>{"1  Ref ", "2  Otra "}));
}

}  // namespace
