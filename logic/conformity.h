// Conformity to a colour target: a sample's ΔE to the target against a tolerance, decided
// by a stated rule (ILAC-G8). Simple acceptance passes whatever is not above the tolerance; guarded
// acceptance widens the difference by its expanded uncertainty, and what the band straddles is
// left indeterminate.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/uncertainty.h"
#include "logic/language.h"
#include "logic/storedsample.h"

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

// The fill of a verdict's cell: green, red or amber, light enough for black text.
struct VerdictFill {
  int red, green, blue;
};
VerdictFill FillOf(Verdict verdict);

// "ΔE00" or "ΔE*ab".
std::string_view DifferenceName(DifferenceFormula formula);

// The rule stated in words with its tolerance, as printed with every verdict; `separator` is
// the decimal separator of the tolerance's text.
std::string RuleStatement(const Tolerance& tolerance, char separator, Language language);

// "3 de 5 conformes" / "3 of 5 conform".
std::string ConformingCount(int conforming, int decided, Language language);

// A number typed into a quality-control field: "." or "," as the decimal separator, not
// negative. An empty field is nullopt with no error.
struct FieldReading {
  std::optional<double> value;
  std::string error;  // "<field>: '<text>' is not a number ≥ 0"-style text, empty when read
};
FieldReading ReadNonNegative(std::string_view text, std::string_view field, char separator, Language language);

// The uncertainty fields, u(A) and u(d): nullopt when both are empty or zero.
struct UncertaintyReading {
  std::optional<InputUncertainty> uncertainty;
  std::string error;
};
UncertaintyReading ReadUncertainty(std::string_view absorbance, std::string_view pathLength, char separator,
                                   Language language);

// The target typed as three numbers (a* and b* may be negative).
struct TargetReading {
  std::optional<Lab> target;
  std::string error;
};
TargetReading ReadTarget(std::string_view L, std::string_view a, std::string_view b, char separator, Language language);

// The expanded uncertainty of each of the ten values, in grid order, where the value has one:
// none for h where its linearisation fails, nor for Intensity and Tonality where the grid shows
// "--" (white wines and brandies).
RowValues ExpandedValues(const ColourUncertainty& uncertainty, WineType wine);

// The lines of a row's details that give each value with its expanded uncertainty, "L* = 31.2 ±
// 0.4", with the grid's decimals; h without one where its linearisation fails, and Intensity
// and Tonality only where the grid shows them (red and rosé wines).
std::vector<std::string> UncertaintyLines(const ColourResult& colour, const ColourUncertainty& uncertainty,
                                          WineType wine, char separator, Language language);

namespace conformity {
inline constexpr BilingualText kExpandedNote = {"Incertidumbre expandida U (k = 2):", "Expanded uncertainty U (k = 2):"};
// %1 the field's name, %2 the text.
inline constexpr BilingualText kNotANumber = {"%1: «%2» no es un número", "%1: '%2' is not a number"};
inline constexpr BilingualText kNegative = {"%1 no puede ser negativa", "%1 cannot be negative"};
inline constexpr BilingualText kTargetIncomplete = {"El objetivo necesita L*, a* y b*", "The target needs L*, a* and b*"};
inline constexpr BilingualText kToleranceName = {"Tolerancia", "Tolerance"};
}  // namespace conformity

}  // namespace tintavis
