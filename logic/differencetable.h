// The table of the colour difference window: every sample of the grid against a reference
// sample, computed from the numbers each row keeps (full precision for calculated rows, the
// file's numbers for opened ones), as the batch tool computes them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/uncertainty.h"
#include "logic/conformity.h"
#include "logic/samplestore.h"

namespace tintavis {

using headings::kDifferenceColumns;  // number, name, ΔL*, Δa*, Δb*, ΔC*, ΔH*, ΔE*ab, ΔE00

// A colour difference as the table, its copy and the batch tool write it: two decimals, or "--"
// where it cannot be computed (colours beyond the range of numbers give no difference, and
// never a figure such as 0.00). FormatDifferenceTo writes into `out`, which has room for
// kFixedTextMax characters, and returns the end of the text.
inline constexpr std::string_view kNoDifference = "--";
char* FormatDifferenceTo(char* out, double value, char separator);
std::string FormatDifference(double value, char separator);

// Column headings of the table and of its copy on the clipboard.
std::array<std::string, kDifferenceColumns> DifferenceHeader(Language language);

// What the samples are checked against besides the reference row: a target typed from a
// product sheet (it then replaces the reference), a tolerance with its decision rule, and
// the uncertainty of the measurements, which gives each difference its U.
struct QualityCheck {
  std::optional<Lab> target;
  std::optional<Tolerance> tolerance;
  std::optional<InputUncertainty> uncertainty;
};

// The two columns a tolerance adds: the expanded uncertainty of the chosen difference, and the
// verdict.
inline constexpr int kCheckColumns = 2;
inline constexpr BilingualText kVerdictHeading = {"Veredicto", "Verdict"};

// A row's check against the tolerance.
struct RowCheck {
  std::string expanded;            // U of the chosen ΔE with two decimals, "--" when not known
  std::optional<double> expandedValue;  // the same number, for a workbook
  std::optional<Verdict> verdict;  // none when the row has no L*, a*, b* or its U is needed and unknown
};

struct DifferenceTable {
  // One row per sample: its number, its name, then the seven differences (FormatDifference), or
  // empty texts when the row keeps no L*, a* or b*.
  std::vector<std::array<std::string, kDifferenceColumns>> rows;
  // The seven differences of each row as numbers, or none where its texts are empty.
  std::vector<std::optional<std::array<double, 7>>> values;
  std::string message;  // one line under the table when some row could not be compared
  // With a tolerance: one check per row, the rule in words and "n of N conform".
  std::vector<RowCheck> checks;
  DifferenceFormula formula = DifferenceFormula::De00;
  std::string rule;
  std::string conforming;
  // The reference's name: the check's target by TargetName, or the reference row's number and
  // name; empty without a reference.
  std::string reference;
  bool againstTarget = false;
};

// The name a target typed as L*, a*, b* goes by: "31.0 / 45.00 / 20.00".
std::string TargetName(const Lab& target, char separator);

// What every sample is compared with: one of the samples, or a colour typed from a product sheet.
struct DifferenceReference {
  Lab lab;
  std::optional<LabCovariance> covariance;  // none where its uncertainty is unknown; a target's is zero
  std::optional<std::size_t> sample;         // the sample that is the reference, when it is one of them
  std::string name;                          // "3  Tinto", or the target by TargetName
  bool target = false;
};

// Samples 1 to N of `samples` against `reference` (none: no differences), checked against the
// check's tolerance; the uncertainty of each sample from its inputs, or from `known` where that
// holds one (spectra, whose points the samples do not keep).
DifferenceTable CompareSamples(const std::vector<StoredSample>& samples, const DifferenceReference* reference,
                               char separator, Language language, const QualityCheck& check = {},
                               const std::vector<std::optional<ColourUncertainty>>& known = {});

// Every sample of the store against the sample of `referenceRow`, or against the check's target
// when it has one.
DifferenceTable MakeDifferenceTable(const SampleStore& store, int referenceRow, char separator, Language language,
                                    const QualityCheck& check = {});

// The headings of the check columns: "U(ΔE00)" (or "U(ΔE*ab)") and the verdict's.
std::array<std::string, kCheckColumns> CheckHeader(DifferenceFormula formula, Language language);

// The uncertainty of a sample's colour: calculated samples that keep their inputs have one;
// samples opened from a file or computed from a spectrum (whose points are not kept) do not, nor
// do samples edited by hand, whose values the inputs no longer give.
std::optional<ColourUncertainty> SampleUncertainty(const StoredSample& sample, const InputUncertainty& uncertainty);
// The same for the sample of grid row `row`.
std::optional<ColourUncertainty> RowUncertainty(const SampleStore& store, int row, const InputUncertainty& uncertainty);

// One sample of colour `sample` (with `u`, its uncertainty, when known) checked against the
// reference or target `reference` (with its covariance when known; a target's is zero).
// `uncertaintySet` says whether the measurements were given an uncertainty at all: guarded
// acceptance then needs the difference's U, and without it gives no verdict. The reference
// sample compared with itself (`sameMeasurement`) differs by nothing and by no uncertainty.
RowCheck CheckSample(const Lab& reference, const std::optional<LabCovariance>& referenceCovariance, const Lab& sample,
                     const std::optional<ColourUncertainty>& u, bool sameMeasurement, const Tolerance& tolerance,
                     bool uncertaintySet, char separator);

// The table as TAB-separated text with its header line, for the clipboard; with a tolerance,
// its two columns too, and the rule and the count of conforming samples on the last lines.
std::string DifferenceTableText(const DifferenceTable& table, Language language);

// The entries of the reference chooser: "row  name" for every sample row.
std::vector<std::string> ReferenceChoices(const SampleStore& store);

}  // namespace tintavis
