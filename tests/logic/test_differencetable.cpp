#include "logic/differencetable.h"

#include <gtest/gtest.h>

namespace {

using tintavis::Language;
using tintavis::SampleStore;

// Samples with the L*, a*, b* they keep; "Mala" keeps no L*.
SampleStore Store(int samples = 4) {
  struct Row {
    const char* name;
    std::optional<double> L, a, b;
  } rows[] = {{"Ref ", 12.0, 41.24, 15.31}, {"Otra ", 15.0, 45.24, 18.31}, {"Mala ", std::nullopt, 1, 1},
              {"Archivo ", 12, 41.24, 15.31}};
  std::vector<tintavis::StoredSample> loaded;
  for (int r = 0; r < samples; ++r) {
    tintavis::SampleRecord cells;
    cells[0] = rows[r].name;
    tintavis::RowValues values;
    values[3] = rows[r].L;
    values[6] = rows[r].a;
    values[7] = rows[r].b;
    loaded.push_back(tintavis::OpenedSample(cells, values));
  }
  SampleStore store;
  store.Load(loaded);
  return store;
}

TEST(DifferenceTable, ComparesEveryRowWithTheReferenceAndNamesTheUnreadableOnes) {
  const auto table = tintavis::MakeDifferenceTable(Store(), 1, ',', Language::Spanish);
  ASSERT_EQ(table.rows.size(), 4u);
  using Cells = std::array<std::string, tintavis::kDifferenceColumns>;
  EXPECT_EQ(table.rows[0], (Cells{"1", "Ref ", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00"}));
  // ΔL* 3, Δa* 4, Δb* 3: ΔE*ab = √34 = 5.83.
  EXPECT_EQ(table.rows[1][2], "3,00");
  EXPECT_EQ(table.rows[1][3], "4,00");
  EXPECT_EQ(table.rows[1][4], "3,00");
  EXPECT_EQ(table.rows[1][7], "5,83");
  EXPECT_EQ(table.rows[2], (Cells{"3", "Mala ", "", "", "", "", "", "", ""}));
  EXPECT_EQ(table.rows[3][8], "0,00");
  EXPECT_EQ(table.message, "Filas sin L*, a*, b* válidos: 3.");
}

TEST(DifferenceTable, AnUnreadableReferenceLeavesEveryRowEmptyWithOneMessage) {
  const auto table = tintavis::MakeDifferenceTable(Store(), 3, '.', Language::English);
  for (const auto& row : table.rows) EXPECT_EQ(row[7], "");
  EXPECT_EQ(table.message, "The reference row 3 has no valid L*, a*, b*.");
}

TEST(DifferenceTable, ClipboardTextHasAHeaderAndTabs) {
  const auto table = tintavis::MakeDifferenceTable(Store(2), 1, '.', Language::English);
  EXPECT_EQ(tintavis::DifferenceTableText(table, Language::English),
            "No\tSample\tΔL*\tΔa*\tΔb*\tΔC*\tΔH*\tΔE*ab\tΔE00\n"
            "1\tRef \t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\n"
            "2\tOtra \t3.00\t4.00\t3.00\t4.81\t1.35\t5.83\t" +
                table.rows[1][8] + "\n");
  EXPECT_EQ(tintavis::ReferenceChoices(Store(2)), (std::vector<std::string>{"1  Ref ", "2  Otra "}));
}

// A file may hold any number: a colour beyond the range of the formulas gives "--" where its
// difference cannot be computed, in the table and in its copy, and figures where it can.
TEST(DifferenceTable, ADifferenceThatCannotBeComputedIsTwoDashes) {
  tintavis::SampleRecord cells;
  cells[0] = "Absurdo ";
  tintavis::RowValues values;
  values[3] = 50.0;
  values[6] = 1e300;
  values[7] = 1e300;
  SampleStore store = Store(1);
  std::vector<tintavis::StoredSample> rows = {store.Sample(1), tintavis::OpenedSample(cells, values)};
  store.Load(rows);
  const auto table = tintavis::MakeDifferenceTable(store, 1, '.', Language::English);
  const auto& row = table.rows.at(1);
  EXPECT_EQ(row[2], "38.00");  // ΔL*
  for (int k = 6; k <= 8; ++k) EXPECT_EQ(row[k], "--") << k;  // ΔH*, ΔE*ab, ΔE00
  EXPECT_NE(tintavis::DifferenceTableText(table, Language::English).find("\t--\t--\t--\n"), std::string::npos);
  EXPECT_EQ(table.message, "");
}

}  // namespace
