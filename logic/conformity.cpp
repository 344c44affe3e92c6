#include "logic/conformity.h"

#include <array>
#include <cmath>

#include "logic/messages.h"
#include "logic/resultsgrid.h"
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

VerdictFill FillOf(Verdict verdict) {
  switch (verdict) {
    case Verdict::Pass: return {0xB7, 0xE1, 0xA1};
    case Verdict::Fail: return {0xF4, 0xA6, 0xA6};
    case Verdict::Indeterminate: return {0xFF, 0xD9, 0x80};
  }
  return {0xFF, 0xFF, 0xFF};
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

namespace {

// The one number parser, taking either decimal separator as the grid's cells do.
std::optional<double> ReadNumber(std::string_view text, char separator) {
  const DecimalParse parsed = ParseDecimal(SwapSeparator(text, separator), separator);
  if (!parsed.ok()) return std::nullopt;
  return parsed.value;
}

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

RowValues ExpandedValues(const ColourUncertainty& uncertainty, WineType wine) {
  RowValues expanded = ValuesOf(Expanded(uncertainty.u), wine);
  if (!uncertainty.hueHasUncertainty) expanded[kHueColumn - kFirstValueColumn].reset();
  return expanded;
}

std::vector<std::string> UncertaintyLines(const ColourResult& colour, const ColourUncertainty& uncertainty,
                                          WineType wine, char separator, Language language) {
  static constexpr std::array<std::string_view, 10> kNames = {"X", "Y", "Z", "L*", "C*", "h", "a*", "b*", "Int", "Ton"};
  const RowValues values = ValuesOf(colour, wine);
  const RowValues expanded = ExpandedValues(uncertainty, wine);
  std::vector<std::string> lines = {std::string(conformity::kExpandedNote.In(language))};
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (!values[k]) continue;
    const ColumnFormat f = kValueFormats[k];
    std::string line = std::string(kNames[k]) + " = " + FormatFixed(*values[k], f.precision, f.decimals, separator);
    line += " ± " + (expanded[k] ? FormatFixed(*expanded[k], 18, f.decimals, separator) : std::string("--"));
    lines.push_back(std::move(line));
  }
  return lines;
}

FieldReading ReadNonNegative(std::string_view text, std::string_view field, char separator, Language language) {
  FieldReading out;
  if (Blank(text)) return out;
  const std::optional<double> value = ReadNumber(text, separator);
  if (!value) {
    out.error = Filled(conformity::kNotANumber.In(language), {field, text});
  } else if (*value < 0) {
    out.error = Filled(conformity::kNegative.In(language), {field});
  } else {
    out.value = value;
  }
  return out;
}

UncertaintyReading ReadUncertainty(std::string_view absorbance, std::string_view pathLength, char separator,
                                   Language language) {
  UncertaintyReading out;
  const FieldReading uA = ReadNonNegative(absorbance, "u(A)", separator, language);
  const FieldReading ud = ReadNonNegative(pathLength, "u(d)", separator, language);
  out.error = !uA.error.empty() ? uA.error : ud.error;
  if (!out.error.empty()) return out;
  const InputUncertainty u{uA.value.value_or(0), ud.value.value_or(0)};
  if (u.absorbance > 0 || u.pathLength > 0) out.uncertainty = u;
  return out;
}

TargetReading ReadTarget(std::string_view L, std::string_view a, std::string_view b, char separator, Language language) {
  TargetReading out;
  const std::string_view texts[3] = {L, a, b};
  const std::string_view names[3] = {"L*", "a*", "b*"};
  double values[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (Blank(texts[i])) {
      out.error = conformity::kTargetIncomplete.In(language);
      return out;
    }
    const std::optional<double> value = ReadNumber(texts[i], separator);
    if (!value) {
      out.error = Filled(conformity::kNotANumber.In(language), {names[i], texts[i]});
      return out;
    }
    values[i] = *value;
  }
  out.target = Lab{values[0], values[1], values[2]};
  return out;
}

}  // namespace tintavis
