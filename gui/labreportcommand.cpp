// The main window's "Informe del laboratorio": the dialog for the report's header, the print
// dialog, and the report drawn on the printer chosen.
#include <QDateTime>
#include <QFile>
#include <QPrinter>

#include "gui/differencewindow.h"
#include "gui/labreportdialog.h"
#include "gui/mainwindow.h"
#include "gui/qtglue.h"
#include "gui/qtprinting.h"
#include "logic/messages.h"

namespace tintavis {

void MainWindow::LaboratoryReport() {
  if (labReportDialog_ == nullptr) {
    labReportDialog_ = new LabReportDialog(this);
    connect(this, &MainWindow::languageChanged, labReportDialog_, &LabReportDialog::ApplyLanguage);
  }
  labReportDialog_->ApplyLanguage(language_);
  if (labReportDialog_->exec() != QDialog::Accepted) return;
  const LabReportDetails details = labReportDialog_->Details();
  if (printer_ == nullptr) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setPageOrientation(QPageLayout::Portrait);
  const LabReportContent estimate = LabReportContentOf(details);
  const int pages = LabReportPageCount(estimate, printer_->width(), printer_->height());
  if (!ChoosePrinter(LabReportTitle(estimate), pages)) return;
  if (const auto problem = LabReportOn(*printer_, details)) ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(*problem)});
}

LabReportContent MainWindow::LabReportContentOf(LabReportDetails details) const {
  const bool differences = differences_ != nullptr && differences_->isVisible();
  const int reference = differences ? differences_->Model().ReferenceRow() : 0;
  QualityCheck check;
  if (differences) check = differences_->Model().Check();
  check.uncertainty = uncertainty_;
  return LabReportOf(session_.store, std::move(details), language_, separator_, reference, check);
}

std::optional<std::string> MainWindow::LabReportOn(QPrinter& printer, LabReportDetails details) {
  printer.setPageOrientation(QPageLayout::Portrait);
  details.dataFile = ToStdString(dataFile_);
  details.moment = ReportMomentOf(QDateTime::currentDateTime(), language_);
  const LabReportContent content = LabReportContentOf(std::move(details));
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    const std::string problem = WriteLabReportPdf(QFile::encodeName(printer.outputFileName()).toStdString(),
                                                  printer.pageLayout(), printer.resolution(), content);
    if (problem.empty()) return std::nullopt;
    return problem;
  }
  if (!PaintLabReport(printer, content)) return std::string(messages::kPrintingFailed);
  return std::nullopt;
}

}  // namespace tintavis
