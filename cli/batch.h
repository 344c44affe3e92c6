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
#include "core/colourdifference.h"
#include "io/labreport.h"
#include "io/report.h"
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
  // --reference: every line ends with ΔE*ab and ΔE00 against the sample of this name.
  std::optional<std::string> reference;
  unsigned threads = 0;  // --threads: threads that compute; 0 for one per core
  // --spectra: `input` is a file of measured spectra; each line holds a spectrum's full-method
  // results and ends with the ΔE00 of its four-wavelength estimate. --wine, --path, --result and
  // --transmittance fill `spectraChoices`.
  bool spectra = false;
  SpectraChoices spectraChoices;
};

struct Arguments {
  std::optional<Options> options;  // empty when help was asked for or the arguments are wrong
  bool help = false;
  std::string error;  // what is wrong with the arguments
};

Arguments ParseArguments(const std::vector<std::string>& args);
std::string_view Usage();

struct Report {
  std::size_t samples = 0;  // lines computed and written
  std::size_t failed = 0;   // lines refused, each reported on the error stream
  std::size_t renamed = 0;  // lines written with characters of their names replaced, each reported
  NameEncoding names = NameEncoding::Ascii;  // what the names written need
  bool tooLong = false;  // a line longer than kMaxLineBytes ended the text
};

// The header line of the output, in the language of the options, CR LF included; with --spectra
// it ends with "dE00 (4 nm)".
std::string HeaderLine(const Options& options);

// Computes every sample line of `text`, a block of the input's bytes whose first line is line
// `firstLine`: each line is read as UTF-8, or as Windows-1252 when it is not valid UTF-8. The
// output lines (UTF-8) are appended to `out` and the "line N: MESSAGE" reports to `errors`;
// a line longer than kMaxLineBytes is reported as too long and ends the text. With `gridRows`,
// the grid texts of the computed samples are appended to it too until it holds `keepAtMost`
// samples (by default the 50 a window holds).
// With `samples`, every computed sample is appended to it with its inputs.
Report ProcessText(std::string_view text, const Options& options, std::size_t firstLine, std::string& out,
                   std::string& errors, std::vector<SampleRecord>* gridRows = nullptr,
                   const Lab* reference = nullptr, std::size_t keepAtMost = kMaxSamples,
                   std::vector<StoredSample>* samples = nullptr);

// Looks in a block of the input, read as ProcessText reads it, for the first sample line named
// `name` (its name field without the final blank the grid adds). The search is over when that
// line is met, with its L*, a*, b* when it can be computed, or when a too long line ends the
// input.
struct ReferenceSearch {
  bool over = false;
  std::optional<Lab> lab;
};
ReferenceSearch FindReference(std::string_view text, const Options& options, std::string_view name);

// The printed report of a run: the first 50 computed samples numbered 1 to 50 as the window's
// grid would hold them (with --pdf-all every sample, numbered on, over numbered pages), under
// the caption "TINTAVIS - " and the input's file name ("TINTAVIS" for standard input), in the
// language of --lang. The date and time are the writer's to fill.
ReportContent RunReport(const Options& options, std::vector<SampleRecord> gridRows);

// Writes the report to `path`; returns what went wrong, or an empty text when it was written.
using ReportWriter = std::function<std::string(const std::string& path, ReportContent content)>;

// The laboratory report of a run: every computed sample with its inputs, the details of --lab,
// --operator, --instrument and --note, the input's file name (none for standard input), the
// reference of --reference. The date and time are the writer's to fill.
LabReportContent RunLabReport(const Options& options, std::vector<StoredSample> samples, const std::optional<Lab>& reference);

// Writes the laboratory report to `path`, as ReportWriter does the printed report.
using LabReportWriter = std::function<std::string(const std::string& path, LabReportContent content)>;

// The whole tool: reads the input, writes standard output and standard error, returns the exit
// status (0 all samples computed, 1 some failed, 2 usage error, unreadable input, output or
// report that could not be written). The input is read and the output written a block at a
// time, the blocks computed on the threads of --threads. --pdf and --pdf-all need `writeReport`;
// --pdf says on the error stream when samples after the 50th were left out of its page.
// --report needs `writeLabReport`.
int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err,
        const ReportWriter& writeReport = {}, const LabReportWriter& writeLabReport = {});

}  // namespace tintavis::batch
