#include "cli/labpdf.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QPdfWriter>

#include "cli/pdfreport.h"
#include "gui/labprinting.h"
#include "gui/qtprinting.h"
#include "io/safesave.h"

namespace tintavis::batch {

std::string WriteLabPdfReport(const std::string& path, LabReportContent content) {
  content.details.moment = ReportMomentOf(QDateTime::currentDateTime(), content.language);
  QByteArray bytes;
  bool painted = false;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    SetUpReportPage(writer);
    SetUpArchivalPdf(writer, content);
    painted = PaintLabReport(writer, content);
  }
  if (!painted) return "the page could not be drawn";
  if (const auto problem = ReplaceFileContent(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    return *problem;
  }
  return {};
}

}  // namespace tintavis::batch
