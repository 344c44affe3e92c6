#include "cli/pdfreport.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cstdio>
#include <cstdlib>

#include "gui/qtprinting.h"
#include "io/safesave.h"

namespace tintavis::batch {

void SetUpReportPage(QPdfWriter& writer) {
  writer.setResolution(kPdfResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                   QPageLayout::Point));
}

std::string WritePdfReport(const std::string& path, ReportContent content) {
  content.moment = ReportMomentOf(QDateTime::currentDateTime(), content.language);
  QFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return file.errorString().toStdString();
  bool painted = false;
  {
    QPdfWriter writer(&file);
    SetUpReportPage(writer);
    writer.setTitle(QString::fromStdString(content.caption));
    writer.setCreator(QStringLiteral("TINTAVIS"));
    painted = PaintReport(writer, content);
  }
  file.close();
  if (file.error() != QFileDevice::NoError) return file.errorString().toStdString();
  if (!painted) return "the page could not be drawn";
  return {};
}

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
