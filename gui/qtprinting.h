// The printed report on Qt's paint devices: a printer chosen in the print dialog, or a PDF file.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPen>
#include <functional>

#include "io/labreport.h"
#include "io/report.h"

class QDateTime;
class QPageLayout;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QPainter;
class QPrintDialog;

namespace tintavis {

// The report's font: Arial (its metric twin Liberation Sans where Arial is missing), 7 points
// at the resolution of the device it is drawn on. At that size the widest values of the grid
// ("107.304", "-100.00") stay inside their columns on A4 and Letter.
QFont ReportFont();

// The report's lines: solid black, one device pixel wide whatever the resolution.
QPen ReportPen();

// Draws on a begun painter: texts in the painter's font with their top-left corner at the
// point, lines with the painter's pen.
class QPainterCanvas : public ReportCanvas {
 public:
  explicit QPainterCanvas(QPainter& painter);
  void DrawText(int x, int y, std::string_view utf8) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  int TextWidth(std::string_view utf8) override;
  void FillRect(int x, int y, int width, int height, Rgb colour) override;
  void DrawColouredLine(int x1, int y1, int x2, int y2, Rgb colour) override;
  void DrawColouredText(int x, int y, std::string_view utf8, Rgb colour) override;

 private:
  QPainter& painter_;
  QFontMetrics metrics_;
};

// The conventions the report's date follows: the system's own when it speaks the program's
// language (a Mexican system writes a Spanish date its way), otherwise Spain's for Spanish and
// the United Kingdom's for English, whose day-before-month order a Spanish lab reads right.
QLocale ReportDateLocale(Language language, const QLocale& system);

// The locale's short date format with the year in four digits ("d/M/yy" becomes "d/M/yyyy").
QString WithFourDigitYear(const QString& dateFormat);

// The date in the short format of the program's language with a four-digit year, and the time
// in the system's long format.
ReportMoment ReportMomentOf(const QDateTime& when, Language language, const QLocale& system = QLocale::system());

// A document on `device`: begun, `pages(W, H)` pages each drawn by `draw(canvas, W, H, page)`
// in ReportFont and ReportPen, ended. False when the device could not be opened, given a new
// page or finished.
bool PaintPages(QPagedPaintDevice& device, const std::function<int(int width, int height)>& pages,
                const std::function<void(ReportCanvas& canvas, int width, int height, int page)>& draw);

// The report as one document on `device`: begun, every page drawn in ReportFont and ReportPen,
// ended. W and H are the device's printable area as it stands, orientation included. False when
// the device could not be opened, given a new page or finished.
bool PaintReport(QPagedPaintDevice& device, const ReportContent& content);

// The report as a PDF file at `path` (the file system's bytes, never passed through a QString),
// its pages of `layout` at `resolution` dots per inch, with `title` and `creator` in its
// properties. The file is complete before it replaces what was there (ReplacementFile), so that
// an old report survives a full disk and a pipe or device is never written to. Returns what went
// wrong (without full stop, in the report's language where the text is the program's own), or
// an empty text.
std::string WriteReportPdf(const std::string& path, const QPageLayout& layout, int resolution, const QString& title,
                           const QString& creator, const ReportContent& content);

// The laboratory report as a PDF/A file at `path`, as WriteReportPdf writes the printed one.
std::string WriteLabReportPdf(const std::string& path, const QPageLayout& layout, int resolution,
                              const LabReportContent& content);

// Whether the print dialog has somewhere to send the page: a printer of the system or the PDF
// file output that the dialog offers while its PrintToFile option is on.
bool PrintDestinationAvailable(const QPrintDialog& dialog);

// The laboratory report (gui/labprinting.cpp).

// The title the report's PDF carries in its metadata: the report's name and the laboratory's.
QString LabReportTitle(const LabReportContent& content);

// PDF/A-1b, so that the file can be archived: fonts embedded, the title and "TINTAVIS" as the
// creator in its metadata.
void SetUpArchivalPdf(QPdfWriter& writer, const LabReportContent& content);

// The report as one document on `device`: begun, every page drawn in ReportFont and ReportPen,
// ended. False when the device could not be opened, given a new page or finished.
bool PaintLabReport(QPagedPaintDevice& device, const LabReportContent& content);

}  // namespace tintavis
