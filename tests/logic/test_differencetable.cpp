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

// Two calculated reds with their inputs (the second 0.2 apart at 450 and 570 nm), and a row
// opened from a file, which keeps no inputs.
SampleStore CheckedStore() {
  std::vector<tintavis::StoredSample> samples;
  for (const double shift : {0.0, 0.2}) {
    tintavis::SampleInput in{tintavis::WineType::RedRose, 2, 10, 0.5 + shift, 0.8, 0.6 - shift, 0.2};
    const tintavis::ColourResult c = tintavis::ComputeColour(in).value();
    tintavis::StoredSample s = tintavis::OpenedSample({"Tinto "}, tintavis::ValuesOf(c, in.wine));
    s.origin = tintavis::SampleOrigin::Calculated;
    s.input = in;
    samples.push_back(s);
  }
  samples.push_back(samples[1]);
  samples[2].origin = tintavis::SampleOrigin::OpenedFromFile;
  samples[2].input.reset();
  SampleStore store;
  store.Load(samples);
  return store;
}

TEST(DifferenceTable, ATolerancePutsAVerdictOnEveryRowByTheChosenRule) {
  using tintavis::DecisionRule;
  using tintavis::Verdict;
  const SampleStore store = CheckedStore();
  const tintavis::Lab target{store.Sample(1).values[3].value(), *store.Sample(1).values[6], *store.Sample(1).values[7]};
  const double apart = tintavis::Ciede2000(target, {*store.Sample(2).values[3], *store.Sample(2).values[6],
                                                    *store.Sample(2).values[7]});
  struct Case {
    DecisionRule rule;
    double tolerance;
    std::optional<Verdict> second, opened;
  } cases[] = {
      {DecisionRule::Simple, apart + 0.01, Verdict::Pass, Verdict::Pass},
      {DecisionRule::Simple, apart - 0.01, Verdict::Fail, Verdict::Fail},
      // Within the guard band the verdict is indeterminate; an opened row has no U to guard with.
      {DecisionRule::Guarded, apart + 0.01, Verdict::Indeterminate, std::nullopt},
      {DecisionRule::Guarded, apart + 5, Verdict::Pass, std::nullopt},
  };
  for (const Case& c : cases) {
    tintavis::QualityCheck check;
    check.target = target;
    check.tolerance = tintavis::Tolerance{c.tolerance, tintavis::DifferenceFormula::De00, c.rule};
    check.uncertainty = tintavis::InputUncertainty{0.005, 0.01};
    const auto table = tintavis::MakeDifferenceTable(store, 2, '.', Language::English, check);
    ASSERT_EQ(table.checks.size(), 3u);
    EXPECT_EQ(table.checks[0].verdict, Verdict::Pass);
    EXPECT_EQ(table.checks[1].verdict, c.second) << c.tolerance;
    EXPECT_EQ(table.checks[2].verdict, c.opened) << c.tolerance;
    EXPECT_NE(table.checks[1].expanded, "--");
    EXPECT_EQ(table.checks[2].expanded, "--");
    // The typed target replaces the reference row: row 1 is the target itself.
    EXPECT_EQ(table.rows[0][8], "0.00");
  }
  tintavis::QualityCheck check;
  check.tolerance = tintavis::Tolerance{apart - 0.01, tintavis::DifferenceFormula::De00, DecisionRule::Simple};
  const auto table = tintavis::MakeDifferenceTable(store, 1, '.', Language::English, check);
  const std::string text = tintavis::DifferenceTableText(table, Language::English);
  EXPECT_NE(text.find("\tU(ΔE00)\tVerdict\n"), std::string::npos);
  EXPECT_NE(text.find("\t--\tFail\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("1 of 3 conform\n")) << text;
}

}  // namespace
