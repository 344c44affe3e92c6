// The printed report on Qt's paint devices: a printer chosen in the print dialog, or a PDF file.
#pragma once

#include <QFont>

#include "io/report.h"

class QDateTime;
class QLocale;
class QPagedPaintDevice;
class QPainter;
class QPrintDialog;

namespace tintavis {

// The report's font: Arial (its metric twin Liberation Sans where Arial is missing), 7 points
// at the resolution of the device it is drawn on. At that size the widest values of the grid
// ("107.304", "-100.00") stay inside their columns on A4 and Letter.
QFont ReportFont();

// Draws on a begun painter: texts in the painter's font with their top-left corner at the
// point, lines with the painter's pen.
class QPainterCanvas : public ReportCanvas {
 public:
  explicit QPainterCanvas(QPainter& painter);
  void DrawText(int x, int y, std::string_view utf8) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;

 private:
  QPainter& painter_;
  int ascent_;
};

// The date in the locale's short format and the time in its long format.
ReportMoment ReportMomentOf(const QDateTime& when, const QLocale& locale);

// The page as one document on `device`: begun, drawn in ReportFont and the painter's default
// pen (solid black, one device pixel), ended. W and H are the device's printable area as it
// stands, orientation included. False when the device could not be opened or finished.
bool PaintReport(QPagedPaintDevice& device, const ReportContent& content);

// Whether the print dialog has somewhere to send the page: a printer of the system or the PDF
// file output that the dialog offers while its PrintToFile option is on.
bool PrintDestinationAvailable(const QPrintDialog& dialog);

}  // namespace tintavis
