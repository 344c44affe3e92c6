#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#ifdef TINTAVIS_CALC_PDF
#include "cli/pdfreport.h"
#endif

int main(int argc, char** argv) {
  // Past a file-size limit a write fails with EFBIG and is reported, rather than the signal
  // ending the tool with half a file.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef TINTAVIS_CALC_PDF
  // Qt is started only when a report is written, so that the data file alone stays as quick as
  // it was.
  std::optional<tintavis::batch::GuiApplication> gui;
  const auto writeReport = [&gui](const std::string& path, tintavis::ReportContent content) {
    if (!gui) gui.emplace();
    return tintavis::batch::WritePdfReport(path, std::move(content));
  };
  const auto writeLabReport = [&gui](const std::string& path, tintavis::LabReportContent content) {
    if (!gui) gui.emplace();
    return tintavis::batch::WriteLabPdfReport(path, std::move(content));
  };
  return tintavis::batch::Run(args, stdin, stdout, stderr, writeReport, writeLabReport);
#else
  return tintavis::batch::Run(args, stdin, stdout, stderr);
#endif
}
