// tintavis-calc --report: the laboratory report as a PDF/A file on A4 portrait pages, drawn by
// the same code as the window's "Informe del laboratorio". Runs without a display.
#pragma once

#include <string>

#include "io/labreport.h"

namespace tintavis::batch {

// Writes the report with the date of now, through a temporary file renamed over `path`, so that
// a failure leaves any earlier file whole. Needs a QGuiApplication (a GuiApplication) for the
// fonts. Returns what went wrong, or an empty text.
std::string WriteLabPdfReport(const std::string& path, LabReportContent content);

}  // namespace tintavis::batch
