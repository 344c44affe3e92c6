#include "cli/pdfreport.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cstdio>
#include <cstdlib>

#include "gui/qtprinting.h"

namespace tintavis::batch {

namespace {

QPageLayout ReportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

}  // namespace

void SetUpReportPage(QPdfWriter& writer) {
  writer.setResolution(kPdfResolution);
  writer.setPageLayout(ReportPageLayout());
}

std::string WritePdfReport(const std::string& path, ReportContent content) {
  content.moment = ReportMomentOf(QDateTime::currentDateTime(), content.language);
  return WriteReportPdf(path, ReportPageLayout(), kPdfResolution, QString::fromStdString(content.caption),
                        QStringLiteral("TINTAVIS"), content);
}

std::string WriteLabPdfReport(const std::string& path, LabReportContent content) {
  content.details.moment = ReportMomentOf(QDateTime::currentDateTime(), content.language);
  return WriteLabReportPdf(path, ReportPageLayout(), kPdfResolution, content);
}

namespace {

void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "tintavis-calc: %s\n", qPrintable(message));
    std::abort();
  }
}

}  // namespace

GuiApplication::GuiApplication() {
  qInstallMessageHandler(QuietMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tintavis-calc";
  static char* argv[] = {name, nullptr};
  application_ = std::make_unique<QGuiApplication>(argc, argv);
}

GuiApplication::~GuiApplication() {
  application_.reset();
  qInstallMessageHandler(nullptr);
}

}  // namespace tintavis::batch
