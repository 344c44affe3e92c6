// The laboratory report on Qt's paint devices, and the settings that let its PDF be archived.
#include <QPdfWriter>

#include "gui/qtglue.h"
#include "gui/qtprinting.h"
#include "logic/labreporttexts.h"

namespace tintavis {

QString LabReportTitle(const LabReportContent& content) {
  QString title = ToQString(labreport::kTitle.In(content.language));
  if (!content.details.laboratory.empty()) title += QStringLiteral(" - ") + ToQString(content.details.laboratory);
  return title;
}

void SetUpArchivalPdf(QPdfWriter& writer, const LabReportContent& content) {
  writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
  writer.setTitle(LabReportTitle(content));
  writer.setCreator(QStringLiteral("TINTAVIS"));
}

bool PaintLabReport(QPagedPaintDevice& device, const LabReportContent& content) {
  return PaintPages(
      device, [&](int width, int height) { return LabReportPageCount(content, width, height); },
      [&](ReportCanvas& canvas, int width, int height, int page) { PrintLabReport(canvas, width, height, content, page); });
}

}  // namespace tintavis
