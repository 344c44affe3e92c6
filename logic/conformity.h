// Conformity to a colour specification: a sample's ΔE to the target against a tolerance, decided
// by a stated rule (ILAC-G8). Simple acceptance passes whatever is not above the tolerance; guarded
// acceptance widens the difference by its expanded uncertainty, and what the band straddles is
// left indeterminate.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/uncertainty.h"
#include "logic/language.h"

namespace tintavis {

enum class DecisionRule { Simple, Guarded };
enum class Verdict { Pass, Fail, Indeterminate };

struct Tolerance {
  double limit = 0;  // the largest ΔE that conforms
  DifferenceFormula formula = DifferenceFormula::De00;
  DecisionRule rule = DecisionRule::Simple;
};

// The verdict on a difference with its expanded uncertainty U (0 when none is known: guarded
// acceptance then decides as simple acceptance does); nullopt when the difference is not a
// number that can be compared.
std::optional<Verdict> Decide(double difference, double expanded, const Tolerance& tolerance);

namespace conformity {
inline constexpr BilingualText kPass = {"Conforme", "Pass"};
inline constexpr BilingualText kFail = {"No conforme", "Fail"};
inline constexpr BilingualText kIndeterminate = {"Indeterminado", "Indeterminate"};
inline constexpr BilingualText kSimpleName = {"aceptación simple", "simple acceptance"};
inline constexpr BilingualText kGuardedName = {"aceptación con banda de guarda", "guarded acceptance"};
// The rule in words; %1 the difference's name (ΔE00 or ΔE*ab), %2 the tolerance.
inline constexpr BilingualText kSimpleRule = {
    "Aceptación simple: conforme si %1 ≤ %2; no conforme si %1 > %2.",
    "Simple acceptance: pass when %1 ≤ %2; fail when %1 > %2."};
inline constexpr BilingualText kGuardedRule = {
    "Aceptación con banda de guarda: conforme si %1 + U ≤ %2; no conforme si %1 − U > %2; "
    "si no, indeterminado (U expandida, k = 2).",
    "Guarded acceptance: pass when %1 + U ≤ %2; fail when %1 − U > %2; "
    "otherwise indeterminate (U expanded, k = 2)."};
// %1 the samples that conform, %2 the samples decided.
inline constexpr BilingualText kConformingCount = {"%1 de %2 conformes", "%1 of %2 conform"};
}  // namespace conformity

std::string_view VerdictText(Verdict verdict, Language language);

// "ΔE00" or "ΔE*ab".
std::string_view DifferenceName(DifferenceFormula formula);

// The rule stated in words with its tolerance, as printed with every verdict; `separator` is
// the decimal separator of the tolerance's text.
std::string RuleStatement(const Tolerance& tolerance, char separator, Language language);

// "3 de 5 conformes" / "3 of 5 conform".
std::string ConformingCount(int conforming, int decided, Language language);

}  // namespace tintavis
