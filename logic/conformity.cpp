#include "logic/conformity.h"

#include <cmath>

#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {

std::optional<Verdict> Decide(double difference, double expanded, const Tolerance& tolerance) {
  if (!std::isfinite(difference) || !std::isfinite(expanded)) return std::nullopt;
  const double band = tolerance.rule == DecisionRule::Guarded ? expanded : 0;
  if (difference + band <= tolerance.limit) return Verdict::Pass;
  if (difference - band > tolerance.limit) return Verdict::Fail;
  return Verdict::Indeterminate;
}

std::string_view VerdictText(Verdict verdict, Language language) {
  switch (verdict) {
    case Verdict::Pass: return conformity::kPass.In(language);
    case Verdict::Fail: return conformity::kFail.In(language);
    case Verdict::Indeterminate: return conformity::kIndeterminate.In(language);
  }
  return {};
}

std::string_view DifferenceName(DifferenceFormula formula) {
  return formula == DifferenceFormula::De00 ? "ΔE00" : "ΔE*ab";
}

std::string RuleStatement(const Tolerance& tolerance, char separator, Language language) {
  const BilingualText& rule = tolerance.rule == DecisionRule::Guarded ? conformity::kGuardedRule : conformity::kSimpleRule;
  return Filled(rule.In(language), {DifferenceName(tolerance.formula), FormatFixed(tolerance.limit, 15, 2, separator)});
}

std::string ConformingCount(int conforming, int decided, Language language) {
  return Filled(conformity::kConformingCount.In(language), {std::to_string(conforming), std::to_string(decided)});
}

}  // namespace tintavis
