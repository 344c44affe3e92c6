// tintavis-calc: the colour of many samples at once, from a tab-separated list of readings to a
// data file that the program opens.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/input.h"
#include "cli/output.h"
#include "logic/calculation.h"
#include "logic/resultsgrid.h"
#include "logic/storedsample.h"
#include "core/colourdifference.h"
#include "core/uncertainty.h"
#include "logic/conformity.h"
#include "io/labreport.h"
#include "io/report.h"
#include "io/spectraresults.h"
#include "logic/spectrachoices.h"

namespace tintavis::batch {

struct Options {
  char separator = '.';
  Language language = Language::Spanish;
  bool precise = false;   // name and ten values as %.17g, for further calculation
  bool spectrum = false;  // the line goes on with the 31 transmittances at the result path length
  std::string input = "-";  // a file name, or "-" for standard input
  std::string pdf;          // --pdf or --pdf-all: the printed report is also written to this file
  bool pdfAll = false;      // --pdf-all: every sample, over as many numbered pages as needed
  // --report: the laboratory report of every computed sample is also written to this file, with
  // --lab, --operator, --instrument and --note in its header.
  std::string labReport;
  LabReportDetails labDetails;
  std::string xlsx;         // --xlsx: a spreadsheet workbook of every sample is also written here
  // --reference: every line ends with ΔE*ab and ΔE00 against the sample of this name.
  std::optional<std::string> reference;
  // --target L,a,b: the same against a colour typed from a product sheet.
  std::optional<Lab> target;
  // --uncertainty UA[,UD]: U(X) ... U(Ton), k = 2, follow the ten values.
  std::optional<InputUncertainty> uncertainty;
  // --tolerance T with --difference and --rule: the line ends with U of the difference (with
  // --uncertainty) and the verdict; some sample that does not conform makes the exit status 3.
  std::optional<Tolerance> tolerance;
  unsigned threads = 0;  // --threads: threads that compute; 0 for one per core
  // --spectra: `input` is a file of measured spectra; each line holds a spectrum's full-method
  // results and ends with the ΔE00 of its four-wavelength estimate. --wine, --path, --result and
  // --transmittance (or --transmittance-percent) fill `spectraChoices`.
  bool spectra = false;
  SpectraChoices spectraChoices;
};

struct Arguments {
  std::optional<Options> options;  // empty when help was asked for or the arguments are wrong
  bool help = false;
  bool version = false;  // --version: the version, and nothing else
  std::string error;  // what is wrong with the arguments
};

Arguments ParseArguments(const std::vector<std::string>& args);
std::string_view Usage();

struct Report {
  std::size_t samples = 0;  // lines computed and written
  std::size_t notConforming = 0;  // with --tolerance: samples whose verdict is not "pass"
  std::size_t failed = 0;   // lines refused, each reported on the error stream
  std::size_t renamed = 0;  // lines written with characters of their names replaced, each reported
  NameEncoding names = NameEncoding::Ascii;  // what the names written need
  bool tooLong = false;  // a line longer than kMaxLineBytes ended the text
  std::optional<std::size_t> referenceStored;  // where the --reference sample is among the rows stored
};

// The header line of the output, in the language of the options, CR LF included; with --spectra
// it ends with "dE00 (4 nm)".
std::string HeaderLine(const Options& options);

// What every line is compared with: the --reference sample's or the --target's L*, a*, b*,
// with the covariance of the reference sample's (none for a target).
struct Reference {
  Lab lab;
  LabCovariance covariance{};
  // The input line of the reference sample, 0 for a target: compared with itself a sample
  // differs by nothing, and by no uncertainty either.
  std::size_t line = 0;
  const SpectrumResult* spectrum = nullptr;  // with --spectra, the reference spectrum's result
};

// With --tolerance: appends U of the difference (with --uncertainty) and the verdict of a
// sample of `lab` (with `u`, its uncertainty, when known); true when it conforms.
// With --uncertainty: appends U(X) ... U(Ton) with the values' decimals, "--" where a value has
// none (a hue near neutral, a sample the model refuses next to it) and, as the values have it,
// for Intensity and Tonality of a white wine unless --precise.
void AppendUncertainties(std::string& out, const std::optional<ColourUncertainty>& u, WineType wine,
                         const Options& options);

bool AppendCheck(std::string& out, const Lab& lab, const std::optional<ColourUncertainty>& u,
                 const Reference& reference, const Options& options, bool isReference = false);

// Computes every sample line of `text`, a block of the input's bytes whose first line is line
// `firstLine`: each line is read as UTF-8, or as Windows-1252 when it is not valid UTF-8. The
// output lines (UTF-8) are appended to `out` and the "line N: MESSAGE" reports to `errors`;
// a line longer than kMaxLineBytes is reported as too long and ends the text. With `gridRows`,
// the grid texts of the computed samples are appended to it too until it holds `keepAtMost`
// samples (by default the 50 a window holds); with `storedRows`, every computed sample as the
// window keeps it (for the workbook).
Report ProcessText(std::string_view text, const Options& options, std::size_t firstLine, std::string& out,
                   std::string& errors, std::vector<SampleRecord>* gridRows = nullptr,
                   const Reference* reference = nullptr, std::size_t keepAtMost = kMaxSamples,
                   std::vector<StoredSample>* storedRows = nullptr);

// Looks in a block of the input whose first line is line `firstLine`, read as ProcessText reads
// it, for the sample lines named `name` (their name field without the final blank the grid
// adds), and adds them to `search`, block after block: how many there are, the numbers of the
// first kReferenceLinesListed, and the L*, a*, b* of the first when it can be computed (with its covariance under
// --uncertainty, and none when its uncertainty cannot be computed). A too
// long line ends the input and the search.
inline constexpr std::size_t kReferenceLinesListed = 10;
struct ReferenceSearch {
  bool over = false;
  std::size_t found = 0;
  std::vector<std::size_t> lines;
  std::optional<Reference> reference;  // with the sample's covariance under --uncertainty
};
void FindReference(std::string_view text, const Options& options, std::string_view name, std::size_t firstLine,
                   ReferenceSearch& search);

// "--reference 'NAME' is ambiguous: PLACES 2, 7" (with ", ... (N in all)" when `found` is more
// than the numbers listed).
std::string AmbiguousReferenceMessage(std::string_view name, std::string_view places, const std::vector<std::size_t>& numbers,
                                      std::size_t found);

// The printed report of a run: the first 50 computed samples numbered 1 to 50 as the window's
// grid would hold them (with --pdf-all every sample, numbered on, over numbered pages), under
// the caption "TINTAVIS - " and the input's file name ("TINTAVIS" for standard input), in the
// language of --lang. The date and time are the writer's to fill.
ReportContent RunReport(const Options& options, std::vector<SampleRecord> gridRows);

// "cannot write the output: REASON" on `err`, or, when the writer's temporary file failed,
// the same for that file naming its folder.
void ReportWriteFailure(const DataFileWriter& writer, std::FILE* err);

// Writes the report to `path`; returns what went wrong, or an empty text when it was written.
using ReportWriter = std::function<std::string(const std::string& path, ReportContent content)>;

// The laboratory report of a run: every computed sample with its inputs, the details of --lab,
// --operator, --instrument and --note, the input's file name (none for standard input), the
// colour of --reference or --target (none without them), and with --uncertainty or --tolerance
// the pages of the check. `referenceIndex` is the sample of --reference among `samples`;
// `known` gives the uncertainties of samples whose inputs do not (spectra). The date and time
// are the writer's to fill.
LabReportContent RunLabReport(const Options& options, std::vector<StoredSample> samples, const std::optional<Reference>& reference,
                              std::optional<std::size_t> referenceIndex = std::nullopt,
                              const std::vector<std::optional<ColourUncertainty>>& known = {});

// Writes the laboratory report to `path`, as ReportWriter does the printed report.
using LabReportWriter = std::function<std::string(const std::string& path, LabReportContent content)>;

// The whole tool: reads the input, writes standard output and standard error, returns the exit
// status (0 all samples computed, 1 some failed, 2 usage error, unreadable input, an input
// without any sample line, a --reference that names no sample or several, help, output or
// report that could not be written, 3 all computed but some not conforming to --tolerance).
// The input is read and the output written a block at a
// time, the blocks computed on the threads of --threads. --pdf and --pdf-all need `writeReport`;
// --pdf says on the error stream when samples after the 50th were left out of its page.
// --report needs `writeLabReport`.
int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err,
        const ReportWriter& writeReport = {}, const LabReportWriter& writeLabReport = {});

}  // namespace tintavis::batch
