// The laboratory report: the samples with their inputs, conditions, colours and values, the
// method that gave them, the a*b* chart and the L* scale, and a block to sign, on as many pages
// as the samples need. Like the printed report it is laid out in fractions of the printable
// width W and height H and drawn through a ReportCanvas.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/colourdifference.h"
#include "core/displaycolour.h"
#include "core/uncertainty.h"
#include "io/report.h"
#include "logic/differencetable.h"
#include "logic/samplestore.h"
#include "logic/storedsample.h"

namespace tintavis {

// Who made the report, where and with what, and of which file.
struct LabReportDetails {
  std::string laboratory;
  std::string operatorName;
  std::string instrument;
  std::string note;      // printed under the method when not empty
  std::string dataFile;  // the data file's name, without its folder; empty when there is none
  ReportMoment moment;
};

// What the report says of the samples' measurement uncertainty and conformity, on pages of
// their own after the table: each value's expanded uncertainty and, against the reference or
// target, the chosen difference with its U and the verdict under the rule stated in words.
struct LabReportCheck {
  std::optional<InputUncertainty> uncertainty;
  std::optional<Tolerance> tolerance;
  DifferenceFormula formula = DifferenceFormula::De00;  // the tolerance's, ΔE00 without one
  struct Row {
    std::optional<ColourUncertainty> u;  // none for a sample without its inputs
    std::optional<double> difference;    // to the reference or target, by `formula`
    RowCheck check;                      // with a tolerance
  };
  std::vector<Row> rows;  // one per sample
  std::string rule;        // with a tolerance: the rule in words, and "n of N conform"
  std::string conforming;
};

struct LabReportContent {
  Language language = Language::Spanish;
  char separator = '.';  // of the numbers the report writes
  LabReportDetails details;
  std::vector<StoredSample> samples;  // rows 1 to N
  // The colour the ΔE00 column is measured from, and the name it goes by; no column without it.
  std::optional<Lab> reference;
  std::string referenceName;
  bool referenceIsTarget = false;  // a colour from the product sheet, not a sample
  std::optional<LabReportCheck> check;
};

// The check of `content`'s samples against its reference, under `uncertainty` and `tolerance`
// (none when neither is given): each sample's U from its inputs, or from `known` where that
// holds one (spectra, whose points the samples do not keep). `referenceIndex` is the sample that
// is the reference, when one is.
std::optional<LabReportCheck> CheckReportSamples(const LabReportContent& content,
                                                 std::optional<std::size_t> referenceIndex,
                                                 const std::optional<InputUncertainty>& uncertainty,
                                                 const std::optional<Tolerance>& tolerance,
                                                 const std::vector<std::optional<ColourUncertainty>>& known = {});

// The report of the samples in `store`, with ΔE00 to the sample of `referenceRow` when it holds
// one with L*, a* and b* (0: no reference), or to the target of `check` when it has one; with the
// check's uncertainty or tolerance, the pages of the check too.
LabReportContent LabReportOf(const SampleStore& store, LabReportDetails details, Language language, char separator,
                             int referenceRow, const QualityCheck& check = {});

// Where the parts of a page stand, in device pixels from the printable area's top-left corner.
struct LabReportGeometry {
  LabReportGeometry(int width, int height);

  int width;
  int height;
  int pitch;          // one text line
  int yHeader;        // first line of the header block
  int yMethod;        // first line of the method block (first page)
  int yTableFirst;    // the table's heading on the first page
  int yTableOther;    // the table's heading on the other pages
  int yFootnotes;     // the footnotes at the foot of a table page
  int xNumberEnd;     // row numbers end here
  int xSwatch;        // the colour swatch
  int swatchSize;
  int xName;          // the sample's name, up to xWine less a blank
  int xWine;          // the wine type
  std::array<int, 7> inputPoints;  // decimal points of d, r, A450 to A630 and ΔE00
  std::array<int, 10> valuePoints;  // decimal points of the ten values on the row's second line
  int xChart;         // the a*b* chart's left edge on the chart page
  int yChart;         // its top edge
  int chartScale;     // device pixels per chart pixel
  int xLScale;        // the L* scale's left edge
  int ySignature;     // the first signature line

  // Sample rows a table page holds: the first page less, for its method block.
  int RowsOnPage(bool first) const;
  // The top of row `row` (0 = the page's first) of a table page: its first line and its swatch.
  int YRow(bool first, int row) const;
};

// The pages of the report: those of the table, as many of the check when it has one, then one
// of the chart and the signatures.
int LabReportPageCount(const LabReportContent& content, int width, int height);

// A number text placed so that its decimal point (`separator`, or its end when it has none)
// stands at `point`: the x it is drawn at.
int DecimalAlignedX(ReportCanvas& canvas, std::string_view text, char separator, int point);

// The texts of a row's cells as the report writes them: the number with its marks, the
// inputs (empty for rows without them), the ten values with the grid's decimals and the ΔE00.
struct LabReportRow {
  std::string number;
  std::string marks;  // kEditedMark and kOpenedMark, after the number
  std::optional<SwatchColour> swatch;
  std::string name;
  std::string wine;
  std::array<std::string, 7> inputs;  // d, r, A450, A520, A570, A630, ΔE00
  std::array<std::string, 10> values;
};
LabReportRow LabReportRowOf(const LabReportContent& content, std::size_t index);

// Draws page `page` (0 = the first) of the report.
void PrintLabReport(ReportCanvas& canvas, int width, int height, const LabReportContent& content, int page);

}  // namespace tintavis
