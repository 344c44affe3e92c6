// The printed report: the results grid as a ruled table on one portrait page, under a line with
// the window caption and the date and time. Every position is a fixed fraction of the printable
// width W and height H in device pixels, so the page scales with the printer's resolution and
// paper. The page is drawn through a ReportCanvas, which the printer (or a PDF file) implements
// and tests record. The batch tool may also print more samples than a page holds: then the
// table goes on over as many pages as needed, each numbered.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/rounding.h"
#include "logic/chartgeometry.h"
#include "logic/headings.h"
#include "logic/resultsgrid.h"

namespace tintavis {

// Where the parts of the page stand, in device pixels from the printable area's top-left corner
// (x to the right, y downwards). Each rounded fraction of W or H is rounded on its own before
// any integer is added to it or multiplied.
struct ReportGeometry {
  ReportGeometry(int width, int height);

  int width;
  int height;
  int pitch;      // P: the height of one band of the table
  int yCaption;   // caption and date line
  int yTop;       // top border; horizontal line i lies at yTop + i * pitch
  int yTitle;     // title text
  int yInner;     // upper end of the inner vertical lines
  int yText0;     // header texts; sample row r at yText0 + r * pitch
  int xCaption;
  int xLeft;      // left border, start of every horizontal line
  int xRight;     // right border, end of every horizontal line
  int xSep;       // between the number column and the name column
  int xCol0;      // first of the twelve column lines
  int colStep;    // distance between two column lines
  int xTitle;
  int xNo;        // "nº" and the row numbers
  int xNameHead;  // the name heading
  int xName;      // sample names
  int xValue0;    // value texts: grid column c at xValue0 + c * valueStep
  int valueStep;

  static constexpr int kColumnLines = 12;
  int XCol(int j) const { return xCol0 + j * colStep; }           // j = 0 to 11
  int XValue(int column) const { return xValue0 + column * valueStep; }  // grid column 2 to 13
  int YText(int row) const { return yText0 + row * pitch; }       // 0 = header row
  int YLine(int i) const { return yTop + i * pitch; }
  int YBottom(int samples) const { return yInner + (samples + 1) * pitch; }
};

// The divisors of W that place the fourteen headings of the header row (headings::kReport),
// in the order they are drawn.
inline constexpr std::array<double, 14> kReportHeadingDivisors = {
    21.0, 9.5, 4.55, 3.53, 2.89, 2.44, 2.11, 1.85, 1.655, 1.495, 1.37, 1.265, 1.162, 1.095};
static_assert(kReportHeadingDivisors.size() == headings::kReport.size());

// The moment of printing as the caller's locale writes it: short date and long time.
struct ReportMoment {
  std::string date;
  std::string time;
  bool midnight = false;  // exactly midnight: the time is left out
};

// The caption, ten blanks, and the date and time in parentheses.
std::string ReportCaptionLine(std::string_view caption, const ReportMoment& moment);

// A sample row as the grid holds it: column 0 the row number text, 1 the name, 2 to 11 the
// ten value texts.
using ReportRow = std::array<std::string, kGridColumns>;

// Rows 1 to `samples` of the grid, texts untouched.
std::vector<ReportRow> ReportRows(const ResultsGrid& grid, int samples);

// Sample rows on one page: the 50 samples of the window's grid.
inline constexpr int kReportRowsPerPage = 50;

// Everything the report shows.
struct ReportContent {
  std::string caption;  // the main window's caption
  Language language = Language::Spanish;
  ReportMoment moment;
  // Sample rows 1 to N. Only the first 50 are printed unless the pages are numbered.
  std::vector<ReportRow> rows;
  // Every row is printed, 50 to a page, and each page carries "page/pages" at the right end
  // of the caption line.
  bool numberPages = false;
};

// The pages the report takes: one, or with numbered pages one for every 50 rows begun.
int ReportPageCount(const ReportContent& content);

// Where the page goes: texts with their top-left corner at the point, lines of one device pixel.
class ReportCanvas {
 public:
  virtual ~ReportCanvas() = default;
  virtual void DrawText(int x, int y, std::string_view utf8) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  // The width the text would take in device pixels, as DrawText would draw it.
  virtual int TextWidth(std::string_view utf8) = 0;
  // Colours, for the laboratory report's swatches and chart: a rectangle filled without an
  // outline, and lines and texts in a colour other than black. The plain report draws none.
  virtual void FillRect(int x, int y, int width, int height, Rgb colour) = 0;
  virtual void DrawColouredLine(int x1, int y1, int x2, int y2, Rgb colour) = 0;
  virtual void DrawColouredText(int x, int y, std::string_view utf8, Rgb colour) = 0;
};

// A sample name as the report prints it: whole when it ends before `width` device pixels,
// otherwise cut at a character and ended by "…" so that it does, its final blanks dropped.
std::string FitName(ReportCanvas& canvas, std::string_view name, int width);

// Draws page `page` (0 = the first) on a printable area of `width` x `height` device pixels:
// the caption line (and the page number), the N + 3 horizontal lines, the vertical lines, the
// title, the header row and the N sample rows of the page, in this order.
void PrintReport(ReportCanvas& canvas, int width, int height, const ReportContent& content, int page = 0);

}  // namespace tintavis
