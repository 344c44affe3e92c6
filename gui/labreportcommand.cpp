// The main window's "Informe del laboratorio": the dialog for the report's header, the print
// dialog, and the report drawn on the printer chosen.
#include <QDateTime>
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
  const LabReportContent estimate = LabReportOf(session_.store, details, language_, separator_, 0);
  const int pages = LabReportPageCount(estimate, printer_->width(), printer_->height());
  if (!ChoosePrinter(LabReportTitle(estimate), pages)) return;
  if (!LabReportOn(*printer_, details)) {
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(messages::kPrintingFailed)});
  }
}

bool MainWindow::LabReportOn(QPrinter& printer, LabReportDetails details) {
  printer.setPageOrientation(QPageLayout::Portrait);
  details.dataFile = ToStdString(dataFile_);
  details.moment = ReportMomentOf(QDateTime::currentDateTime(), language_);
  // ΔE00 is to the reference the colour difference window shows.
  const int reference = differences_ != nullptr && differences_->isVisible() ? differences_->Model().ReferenceRow() : 0;
  const LabReportContent content = LabReportOf(session_.store, std::move(details), language_, separator_, reference);
  // The printer keeps its settings for "Imprimir", whose file stays a plain PDF.
  const QPagedPaintDevice::PdfVersion version = printer.pdfVersion();
  const QString creator = printer.creator();
  SetUpArchivalPdf(printer, content);
  const bool printed = PaintLabReport(printer, content);
  printer.setPdfVersion(version);
  printer.setCreator(creator);
  return printed;
}

}  // namespace tintavis
