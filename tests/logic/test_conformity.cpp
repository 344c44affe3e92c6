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

}  // namespace
}  // namespace tintavis
