#include "logic/conformity.h"

#include <gtest/gtest.h>

#include <limits>

#include "logic/messages.h"

namespace tintavis {
namespace {

struct DecisionCase {
  double difference, expanded;
  DecisionRule rule;
  std::optional<Verdict> expected;
};

TEST(Conformity, EachRuleDecidesAtItsBounds) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const DecisionCase cases[] = {
      // Simple acceptance ignores U; the tolerance itself conforms.
      {1.9, 0.5, DecisionRule::Simple, Verdict::Pass},
      {2.0, 0.5, DecisionRule::Simple, Verdict::Pass},
      {2.01, 0.0, DecisionRule::Simple, Verdict::Fail},
      // Guarded acceptance: clear of the band on either side, or straddled by it.
      {1.5, 0.5, DecisionRule::Guarded, Verdict::Pass},
      {1.6, 0.5, DecisionRule::Guarded, Verdict::Indeterminate},
      {2.4, 0.5, DecisionRule::Guarded, Verdict::Indeterminate},
      {2.5, 0.5, DecisionRule::Guarded, Verdict::Indeterminate},
      {2.6, 0.5, DecisionRule::Guarded, Verdict::Fail},
      // Without an uncertainty the guard band is empty.
      {2.0, 0.0, DecisionRule::Guarded, Verdict::Pass},
      // A difference that cannot be computed gets no verdict.
      {kNan, 0.5, DecisionRule::Simple, std::nullopt},
      {1.0, kNan, DecisionRule::Guarded, std::nullopt},
  };
  for (const DecisionCase& c : cases) {
    const Tolerance tolerance{2.0, DifferenceFormula::De00, c.rule};
    EXPECT_EQ(Decide(c.difference, c.expanded, tolerance), c.expected) << c.difference << " ± " << c.expanded;
  }
}

TEST(Conformity, TheRuleIsStatedWithItsToleranceInTheLanguage) {
  const Tolerance guarded{1.5, DifferenceFormula::DeAb, DecisionRule::Guarded};
  EXPECT_EQ(RuleStatement(guarded, ',', Language::English),
            "Guarded acceptance: pass when ΔE*ab + U ≤ 1,50; fail when ΔE*ab − U > 1,50; "
            "otherwise indeterminate (U expanded, k = 2).");
  EXPECT_EQ(RuleStatement({2.0, DifferenceFormula::De00, DecisionRule::Simple}, '.', Language::Spanish),
            "Aceptación simple: conforme si ΔE00 ≤ 2.00; no conforme si ΔE00 > 2.00.");
  EXPECT_EQ(ConformingCount(3, 5, Language::Spanish), "3 de 5 conformes");
  EXPECT_EQ(VerdictText(Verdict::Indeterminate, Language::English), "Indeterminate");
}

TEST(Filled, ReplacesEachNumberedPlaceAndLeavesOtherPercents) {
  EXPECT_EQ(Filled("%2 of %1, %2 again; 100% %9", {"a", "b"}), "b of a, b again; 100% %9");
}

TEST(Conformity, TypedFieldsAreReadWithEitherSeparatorAndRefusedWithTheirName) {
  EXPECT_EQ(ReadNonNegative("1,5", "Tol", '.', Language::English).value, 1.5);
  EXPECT_FALSE(ReadNonNegative("  ", "Tol", '.', Language::English).value);
  EXPECT_EQ(ReadNonNegative("-1", "Tolerancia", ',', Language::Spanish).error, "Tolerancia no puede ser negativa");
  EXPECT_EQ(ReadNonNegative("x", "Tol", ',', Language::English).error, "Tol: 'x' is not a number");

  EXPECT_FALSE(ReadUncertainty("0", "", '.', Language::English).uncertainty);
  const UncertaintyReading u = ReadUncertainty("0.005", "0,01", '.', Language::English);
  ASSERT_TRUE(u.uncertainty);
  EXPECT_EQ(u.uncertainty->pathLength, 0.01);
  EXPECT_EQ(ReadUncertainty("0.005", "-1", '.', Language::English).error, "u(d) cannot be negative");

  const TargetReading t = ReadTarget("30", "-2,5", "4", ',', Language::English);
  ASSERT_TRUE(t.target);
  EXPECT_EQ(t.target->a, -2.5);
  EXPECT_EQ(ReadTarget("30", "", "4", ',', Language::English).error, "The target needs L*, a* and b*");
  EXPECT_EQ(ReadTarget("30", "1", "b", ',', Language::Spanish).error, "b*: «b» no es un número");
}

}  // namespace
}  // namespace tintavis
