// tintavis-calc --pdf and --pdf-all: the printed report as a PDF file, drawn by the same code as
// the window's "Imprimir", on A4 portrait pages (one for --pdf). Runs without a display.
#pragma once

#include <memory>
#include <string>

#include "io/labreport.h"
#include "io/report.h"

class QGuiApplication;
class QPdfWriter;

namespace tintavis::batch {

// Device pixels per inch of the PDF page.
inline constexpr int kPdfResolution = 600;

// The page of the report: A4 portrait at kPdfResolution, with the margins that Qt gives a PDF
// printer, so that the file matches what the window prints to a PDF file.
void SetUpReportPage(QPdfWriter& writer);

// Writes the report with the date of now in the report's language and the time as the system's
// locale writes it. Needs a QGuiApplication for the fonts, such as the one of a GuiApplication.
// Returns what went wrong, or an empty text.
std::string WritePdfReport(const std::string& path, ReportContent content);

// --report: the laboratory report as a PDF/A file on the same pages, drawn by the same code as
// the window's "Informe del laboratorio", with the date of now. It goes through a temporary file
// renamed over `path`, so that a failure leaves an earlier file whole. Needs a QGuiApplication
// too. Returns what went wrong, or an empty text.
std::string WriteLabPdfReport(const std::string& path, LabReportContent content);

// The application object the report needs for its fonts, on the offscreen platform unless
// QT_QPA_PLATFORM names another, so that no display is needed. While it lives, Qt's own
// diagnostics are kept off the error stream, which carries the tool's messages only.
class GuiApplication {
 public:
  GuiApplication();
  ~GuiApplication();
  GuiApplication(const GuiApplication&) = delete;
  GuiApplication& operator=(const GuiApplication&) = delete;

 private:
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace tintavis::batch
