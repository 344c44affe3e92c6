#include "gui/qtprinting.h"

#include <unistd.h>

#include <QDateTime>
#include <QIODevice>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <cerrno>

#include "gui/qtglue.h"
#include "io/fileerrors.h"
#include "io/safesave.h"

namespace tintavis {
namespace {

// Writes to a file descriptor and keeps the errno of the first failure, which Qt's own files
// turn into a text of their own.
class DescriptorDevice : public QIODevice {
 public:
  explicit DescriptorDevice(int fd) : fd_(fd) {}
  bool isSequential() const override { return true; }
  int Error() const { return error_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (error_ != 0) return -1;
    for (qint64 done = 0; done < size;) {
      const ssize_t n = ::write(fd_, data + done, static_cast<std::size_t>(size - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error_ = errno;
        return -1;
      }
      done += n;
    }
    return size;
  }

 private:
  int fd_;
  int error_ = 0;
};

}  // namespace

QFont ReportFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(7.0);
  return font;
}

QPen ReportPen() {
  // A cosmetic pen keeps its width in device pixels: on a PDF page a plain pen of width 1 is
  // scaled down with the page's user space, and the painter's untouched default even comes out
  // as filled strips a tenth of a pixel high.
  QPen pen(Qt::black, 1, Qt::SolidLine);
  pen.setCosmetic(true);
  return pen;
}

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter), metrics_(painter.fontMetrics()) {}

void QPainterCanvas::DrawText(int x, int y, std::string_view utf8) {
  if (utf8.empty()) return;
  // QPainter places text on its baseline; the report gives the top-left corner.
  painter_.drawText(QPoint(x, y + metrics_.ascent()), ToQString(utf8));
}

void QPainterCanvas::DrawLine(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

int QPainterCanvas::TextWidth(std::string_view utf8) { return metrics_.horizontalAdvance(ToQString(utf8)); }

void QPainterCanvas::FillRect(int x, int y, int width, int height, Rgb colour) {
  painter_.fillRect(x, y, width, height, QColor(colour.r, colour.g, colour.b));
}

void QPainterCanvas::DrawColouredLine(int x1, int y1, int x2, int y2, Rgb colour) {
  const QPen black = painter_.pen();
  QPen pen = black;
  pen.setColor(QColor(colour.r, colour.g, colour.b));
  painter_.setPen(pen);
  painter_.drawLine(x1, y1, x2, y2);
  painter_.setPen(black);
}

void QPainterCanvas::DrawColouredText(int x, int y, std::string_view utf8, Rgb colour) {
  const QPen black = painter_.pen();
  painter_.setPen(QColor(colour.r, colour.g, colour.b));
  DrawText(x, y, utf8);
  painter_.setPen(black);
}

QLocale ReportDateLocale(Language language, const QLocale& system) {
  const QLocale::Language wanted = language == Language::English ? QLocale::English : QLocale::Spanish;
  if (system.language() == wanted) return system;
  return language == Language::English ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                       : QLocale(QLocale::Spanish, QLocale::Spain);
}

QString WithFourDigitYear(const QString& dateFormat) {
  QString out;
  bool quoted = false;
  for (qsizetype i = 0; i < dateFormat.size(); ++i) {
    const QChar c = dateFormat[i];
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != u'y') {
      out += c;
      continue;
    }
    // A run of y's, however long, is the year.
    while (i + 1 < dateFormat.size() && dateFormat[i + 1] == u'y') ++i;
    out += QStringLiteral("yyyy");
  }
  return out;
}

ReportMoment ReportMomentOf(const QDateTime& when, Language language, const QLocale& system) {
  const QLocale dates = ReportDateLocale(language, system);
  ReportMoment moment;
  moment.date = dates.toString(when.date(), WithFourDigitYear(dates.dateFormat(QLocale::ShortFormat))).toStdString();
  moment.time = system.toString(when.time(), QLocale::LongFormat).toStdString();
  moment.midnight = when.time() == QTime(0, 0);
  return moment;
}

bool PaintPages(QPagedPaintDevice& device, const std::function<int(int width, int height)>& pages,
                const std::function<void(ReportCanvas& canvas, int width, int height, int page)>& draw) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setFont(ReportFont());
  painter.setPen(ReportPen());
  QPainterCanvas canvas(painter);
  const int count = pages(device.width(), device.height());
  for (int page = 0; page < count; ++page) {
    if (page > 0 && !device.newPage()) {
      painter.end();
      return false;
    }
    draw(canvas, device.width(), device.height(), page);
  }
  return painter.end();
}

bool PaintReport(QPagedPaintDevice& device, const ReportContent& content) {
  return PaintPages(
      device, [&](int, int) { return ReportPageCount(content); },
      [&](ReportCanvas& canvas, int width, int height, int page) { PrintReport(canvas, width, height, content, page); });
}

namespace {

// A PDF file at `path` whose writer `setUp` prepares and `paint` draws on: complete before it
// replaces what was there.
std::string WritePdfFile(const std::string& path, const QPageLayout& layout, int resolution, Language language,
                         const std::function<void(QPdfWriter&)>& setUp, const std::function<bool(QPdfWriter&)>& paint) {
  ReplacementFile file(path, language);
  if (file.Problem()) return *file.Problem();
  DescriptorDevice device(file.Descriptor());
  device.open(QIODevice::WriteOnly);
  bool painted = false;
  {
    QPdfWriter writer(&device);
    writer.setResolution(resolution);
    writer.setPageLayout(layout);
    setUp(writer);
    painted = paint(writer);
  }
  if (device.Error() != 0) return FileErrorMessage(device.Error(), file.Target(), FileUse::Writing, language);
  if (!painted) return "the page could not be drawn";
  if (auto problem = file.Commit()) return *problem;
  return {};
}

}  // namespace

std::string WriteReportPdf(const std::string& path, const QPageLayout& layout, int resolution, const QString& title,
                           const QString& creator, const ReportContent& content) {
  return WritePdfFile(
      path, layout, resolution, content.language,
      [&](QPdfWriter& writer) {
        writer.setTitle(title);
        writer.setCreator(creator);
      },
      [&](QPdfWriter& writer) { return PaintReport(writer, content); });
}

std::string WriteLabReportPdf(const std::string& path, const QPageLayout& layout, int resolution,
                              const LabReportContent& content) {
  return WritePdfFile(
      path, layout, resolution, content.language, [&](QPdfWriter& writer) { SetUpArchivalPdf(writer, content); },
      [&](QPdfWriter& writer) { return PaintLabReport(writer, content); });
}

bool PrintDestinationAvailable(const QPrintDialog& dialog) {
  return dialog.testOption(QAbstractPrintDialog::PrintToFile) || !QPrinterInfo::availablePrinters().isEmpty();
}

}  // namespace tintavis
