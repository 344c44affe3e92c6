#include "logic/differencetable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "logic/messages.h"
#include "logic/textrules.h"
#include "core/colourdifference.h"

namespace tintavis {
namespace {

// The U of a difference whose uncertainty is needed by the guarded rule but not known: no verdict
// can be given.
constexpr double kNoUncertainty = std::numeric_limits<double>::quiet_NaN();

}  // namespace

char* FormatDifferenceTo(char* out, double value, char separator) {
  if (!std::isfinite(value)) return std::copy(kNoDifference.begin(), kNoDifference.end(), out);
  return FormatFixedTo(out, value, 18, 2, separator);
}

std::string FormatDifference(double value, char separator) {
  char out[kFixedTextMax];
  return std::string(out, FormatDifferenceTo(out, value, separator));
}

std::array<std::string, kDifferenceColumns> DifferenceHeader(Language language) {
  std::array<std::string, kDifferenceColumns> header;
  for (int c = 0; c < kDifferenceColumns; ++c) header[c] = headings::kDifference[c].In(language);
  return header;
}

std::array<std::string, kCheckColumns> CheckHeader(DifferenceFormula formula, Language language) {
  return {"U(" + std::string(DifferenceName(formula)) + ")", std::string(kVerdictHeading.In(language))};
}

std::optional<ColourUncertainty> SampleUncertainty(const StoredSample& sample, const InputUncertainty& uncertainty) {
  if (sample.origin != SampleOrigin::Calculated || !sample.input || sample.edited) return std::nullopt;
  const Computed<ColourUncertainty> u = PropagateUncertainty(*sample.input, uncertainty);
  if (!u.ok()) return std::nullopt;
  return u.value();
}

std::optional<ColourUncertainty> RowUncertainty(const SampleStore& store, int row, const InputUncertainty& uncertainty) {
  if (!store.HoldsSample(row)) return std::nullopt;
  return SampleUncertainty(store.Sample(row), uncertainty);
}

RowCheck CheckSample(const Lab& reference, const std::optional<LabCovariance>& referenceCovariance, const Lab& sample,
                     const std::optional<ColourUncertainty>& u, bool sameMeasurement, const Tolerance& tolerance,
                     bool uncertaintySet, char separator) {
  RowCheck check{std::string(kNoDifference), std::nullopt, std::nullopt};
  double expanded = tolerance.rule == DecisionRule::Guarded && uncertaintySet ? kNoUncertainty : 0;
  if (sameMeasurement) {
    expanded = 0;
    check.expandedValue = 0.0;
  } else if (u && referenceCovariance) {
    expanded = kCoverageFactor * DifferenceWithUncertainty(reference, *referenceCovariance, sample, u->lab, tolerance.formula).u;
    check.expandedValue = expanded;
  }
  if (check.expandedValue) check.expanded = FormatDifference(*check.expandedValue, separator);
  check.verdict = Decide(Difference(reference, sample, tolerance.formula), expanded, tolerance);
  return check;
}

std::string TargetName(const Lab& target, char separator) {
  return FormatFixed(target.L, 18, 1, separator) + " / " + FormatFixed(target.a, 18, 2, separator) + " / " +
         FormatFixed(target.b, 18, 2, separator);
}

DifferenceTable CompareSamples(const std::vector<StoredSample>& samples, const DifferenceReference* reference,
                               char separator, Language language, const QualityCheck& check,
                               const std::vector<std::optional<ColourUncertainty>>& known) {
  DifferenceTable table;
  if (reference != nullptr) {
    table.reference = reference->name;
    table.againstTarget = reference->target;
  }
  int decided = 0, conforming = 0;
  std::string unreadable;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const StoredSample& sample = samples[i];
    std::array<std::string, kDifferenceColumns> cells;
    cells[0] = std::to_string(i + 1);
    cells[1] = sample.cells[0];
    const std::optional<Lab> lab = LabOf(sample.values);
    std::optional<std::array<double, 7>> numbers;
    if (lab && reference != nullptr) {
      const ColourDifferences d = ColourDifference(reference->lab, *lab);
      numbers = std::array<double, 7>{d.dL, d.da, d.db, d.dC, d.dH, d.dEab, d.dE00};
      for (int k = 0; k < 7; ++k) cells[k + 2] = FormatDifference((*numbers)[k], separator);
    } else if (!lab) {
      unreadable += (unreadable.empty() ? "" : ", ") + std::to_string(i + 1);
    }
    table.rows.push_back(std::move(cells));
    table.values.push_back(numbers);
    if (check.tolerance) {
      RowCheck rowCheck{std::string(kNoDifference), std::nullopt, std::nullopt};
      if (lab && reference != nullptr) {
        std::optional<ColourUncertainty> u;
        if (check.uncertainty) u = i < known.size() && known[i] ? known[i] : SampleUncertainty(sample, *check.uncertainty);
        rowCheck = CheckSample(reference->lab, reference->covariance, *lab, u, reference->sample == i, *check.tolerance,
                               check.uncertainty.has_value(), separator);
        if (rowCheck.verdict) {
          ++decided;
          if (*rowCheck.verdict == Verdict::Pass) ++conforming;
        }
      }
      table.checks.push_back(std::move(rowCheck));
    }
  }
  if (check.tolerance) {
    table.formula = check.tolerance->formula;
    table.rule = RuleStatement(*check.tolerance, separator, language);
    table.conforming = ConformingCount(conforming, decided, language);
  }
  if (reference != nullptr && !unreadable.empty()) table.message = RowsWithoutLabMessage(unreadable, language);
  return table;
}

DifferenceTable MakeDifferenceTable(const SampleStore& store, int referenceRow, char separator, Language language,
                                    const QualityCheck& check) {
  if (store.SampleCount() == 0) return {};
  std::optional<DifferenceReference> reference;
  if (check.target) {
    // A typed target is a definition: it has no uncertainty.
    reference = DifferenceReference{*check.target, LabCovariance{}, std::nullopt, TargetName(*check.target, separator), true};
  } else if (store.HoldsSample(referenceRow)) {
    if (const std::optional<Lab> lab = LabOf(store.Sample(referenceRow).values)) {
      // A reference row has its own uncertainty, where its inputs give one.
      std::optional<LabCovariance> covariance;
      if (check.uncertainty) {
        if (const auto u = RowUncertainty(store, referenceRow, *check.uncertainty)) covariance = u->lab;
      }
      reference = DifferenceReference{*lab, covariance, static_cast<std::size_t>(referenceRow - 1),
                                      std::to_string(referenceRow) + "  " + store.Cell(referenceRow, kNameColumn), false};
    }
  }
  DifferenceTable table = CompareSamples(store.Samples(), reference ? &*reference : nullptr, separator, language, check);
  if (!reference) table.message = ReferenceWithoutLabMessage(referenceRow, language);
  return table;
}

std::string DifferenceTableText(const DifferenceTable& table, Language language) {
  std::string text;
  auto line = [&text](const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) text += '\t';
      text += cells[c];
    }
    text += '\n';
  };
  const bool checked = !table.checks.empty();
  const auto headings = DifferenceHeader(language);
  std::vector<std::string> header(headings.begin(), headings.end());
  if (checked) {
    for (const std::string& h : CheckHeader(table.formula, language)) header.push_back(h);
  }
  line(header);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::vector<std::string> cells(table.rows[r].begin(), table.rows[r].end());
    if (checked) {
      cells.push_back(table.checks[r].expanded);
      cells.emplace_back(table.checks[r].verdict ? VerdictText(*table.checks[r].verdict, language) : "--");
    }
    line(cells);
  }
  if (checked) text += table.rule + '\n' + table.conforming + '\n';
  return text;
}

std::vector<std::string> ReferenceChoices(const SampleStore& store) {
  std::vector<std::string> choices;
  for (int row = 1; row <= store.SampleCount(); ++row) choices.push_back(store.Cell(row, 0) + "  " + store.Cell(row, 1));
  return choices;
}

}  // namespace tintavis
