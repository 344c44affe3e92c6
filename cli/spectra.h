// tintavis-calc --spectra: a file of measured spectra instead of lines of four absorbances. The
// file is small and is read and checked whole before anything is written, so it takes this
// simple path rather than the blocks and threads of the absorbance lines.
#pragma once

#include <cstdio>
#include <string>

#include "cli/batch.h"

namespace tintavis::batch {

// Reads `input` (named `inputName` in messages), writes the data file of the full-method results
// with the ΔE00 of each four-wavelength estimate to `out`, the reports to `err`, and the printed
// report with --pdf, the laboratory report with --report. Returns the exit status: 0 every spectrum computed (a refused estimate is
// only reported), 1 some could not be, 2 a file that is unreadable or not a good spectra file, a
// --reference that names no computed spectrum, or an output or report that could not be written.
int RunSpectra(const Options& options, std::FILE* input, const std::string& inputName, std::FILE* out,
               std::FILE* err, const ReportWriter& writeReport, const LabReportWriter& writeLabReport);

}  // namespace tintavis::batch
