#include "gui/qtprinting.h"

#include <QDateTime>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "gui/qtglue.h"

namespace tintavis {

QFont ReportFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(7.0);
  return font;
}

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter), ascent_(painter.fontMetrics().ascent()) {}

void QPainterCanvas::DrawText(int x, int y, std::string_view utf8) {
  if (utf8.empty()) return;
  // QPainter places text on its baseline; the report gives the top-left corner.
  painter_.drawText(QPoint(x, y + ascent_), ToQString(utf8));
}

void QPainterCanvas::DrawLine(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

ReportMoment ReportMomentOf(const QDateTime& when, const QLocale& locale) {
  ReportMoment moment;
  moment.date = locale.toString(when.date(), QLocale::ShortFormat).toStdString();
  moment.time = locale.toString(when.time(), QLocale::LongFormat).toStdString();
  moment.midnight = when.time() == QTime(0, 0);
  return moment;
}

bool PaintReport(QPagedPaintDevice& device, const ReportContent& content) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setFont(ReportFont());
  QPainterCanvas canvas(painter);
  PrintReport(canvas, device.width(), device.height(), content);
  return painter.end();
}

bool PrintDestinationAvailable(const QPrintDialog& dialog) {
  return dialog.testOption(QAbstractPrintDialog::PrintToFile) || !QPrinterInfo::availablePrinters().isEmpty();
}

}  // namespace tintavis
