#include "io/report.h"

#include <algorithm>
#include <cmath>

namespace tintavis {
namespace {

inline constexpr std::string_view kCaptionGap = "          (";  // ten blanks
inline constexpr std::string_view kEllipsis = "\u2026";

std::string_view WithoutFinalBlanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

ReportGeometry::ReportGeometry(int w, int h) : width(w), height(h) {
  const double W = w;
  const double H = h;
  pitch = RoundHalfEven(H / 55.125);
  yCaption = RoundHalfEven(H / 79.38);
  yTop = RoundHalfEven(H / 26.46);
  yTitle = RoundHalfEven(H / 24.8062);
  yInner = RoundHalfEven(H / 17.8784);
  yText0 = RoundHalfEven(H / 17.2565);
  xCaption = RoundHalfEven(W / 19.28);
  xLeft = RoundHalfEven(W / 27.3676);
  xRight = RoundHalfEven(W / 1.0379);
  xSep = RoundHalfEven(W / 13.91);
  xCol0 = RoundHalfEven(W / 5.2047);
  colStep = RoundHalfEven(W / 15.55);
  xTitle = RoundHalfEven(W / 3);
  xNo = RoundHalfEven(W / 21);
  xNameHead = RoundHalfEven(W / 9.5);
  xName = RoundHalfEven(W / 12);
  xValue0 = RoundHalfEven(W / 14);
  valueStep = RoundHalfEven(W / 15.3);
}

std::string ReportCaptionLine(std::string_view caption, const ReportMoment& moment) {
  std::string line(caption);
  line += kCaptionGap;
  line += moment.date;
  if (!moment.midnight) {
    line += ' ';
    line += moment.time;
  }
  line += ')';
  return line;
}

std::vector<ReportRow> ReportRows(const ResultsGrid& grid, int samples) {
  std::vector<ReportRow> rows;
  const int n = std::clamp(samples, 0, ResultsGrid::kStoredRows - 1);
  rows.reserve(static_cast<std::size_t>(n));
  for (int r = 1; r <= n; ++r) {
    ReportRow row;
    for (int c = 0; c < kGridColumns; ++c) row[c] = grid.Cell(r, c);
    rows.push_back(std::move(row));
  }
  return rows;
}

int ReportPageCount(const ReportContent& content) {
  if (!content.numberPages || content.rows.empty()) return 1;
  return static_cast<int>((content.rows.size() + kReportRowsPerPage - 1) / kReportRowsPerPage);
}

std::string FitName(ReportCanvas& canvas, std::string_view name, int width) {
  const std::string_view visible = WithoutFinalBlanks(name);
  if (canvas.TextWidth(visible) <= width) return std::string(name);
  // Where each character of the name begins (UTF-8 continuation bytes begin none).
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < visible.size(); ++i) {
    if ((static_cast<unsigned char>(visible[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  const auto cut = [&](std::size_t characters) {
    std::string text(WithoutFinalBlanks(visible.substr(0, starts[characters])));
    text += kEllipsis;
    return text;
  };
  // The longest beginning that fits with its ellipsis, found by halving: a name may be
  // thousands of characters long, and every measure costs.
  std::size_t fits = 0;  // "…" alone when nothing more fits
  std::size_t tooLong = starts.size();
  while (tooLong - fits > 1) {
    const std::size_t mid = fits + (tooLong - fits) / 2;
    if (canvas.TextWidth(cut(mid)) <= width) {
      fits = mid;
    } else {
      tooLong = mid;
    }
  }
  return cut(fits);
}

void PrintReport(ReportCanvas& canvas, int width, int height, const ReportContent& content, int page) {
  const ReportGeometry g(width, height);
  const std::size_t first = std::min(content.rows.size(), static_cast<std::size_t>(page) * kReportRowsPerPage);
  const int n = static_cast<int>(std::min<std::size_t>(content.rows.size() - first, kReportRowsPerPage));

  canvas.DrawText(g.xCaption, g.yCaption, ReportCaptionLine(content.caption, content.moment));
  if (content.numberPages) {
    const std::string number = std::to_string(page + 1) + "/" + std::to_string(ReportPageCount(content));
    canvas.DrawText(g.xRight - canvas.TextWidth(number), g.yCaption, number);
  }

  // Line 0 is the top border; the bands below hold the title, the header row and one sample
  // each; line N + 2 closes the table.
  for (int i = 0; i <= n + 2; ++i) canvas.DrawLine(g.xLeft, g.YLine(i), g.xRight, g.YLine(i));

  // The title band has no inner lines: those start at the header row.
  const int bottom = g.YBottom(n);
  canvas.DrawLine(g.xSep, g.yInner, g.xSep, bottom);
  canvas.DrawLine(g.xLeft, g.yTop, g.xLeft, bottom);
  for (int j = 0; j < ReportGeometry::kColumnLines; ++j) canvas.DrawLine(g.XCol(j), g.yInner, g.XCol(j), bottom);
  canvas.DrawLine(g.xRight, g.yTop, g.xRight, bottom);

  canvas.DrawText(g.xTitle, g.yTitle, headings::kReportTitle.In(content.language));

  const int yHeader = g.YText(0);
  for (std::size_t i = 0; i < headings::kReport.size(); ++i) {
    canvas.DrawText(RoundHalfEven(width / kReportHeadingDivisors[i]), yHeader, headings::kReport[i].In(content.language));
  }

  // Texts as the grid holds them, blanks included, but for a name that would run over the
  // numbers: it ends a blank's width before the first column line. Grid columns 12 and 13 do
  // not exist, so nothing is drawn under "IC" and "dA(%)".
  const int nameWidth = g.XCol(0) - g.xName - canvas.TextWidth(" ");
  for (int r = 1; r <= n; ++r) {
    const ReportRow& row = content.rows[first + static_cast<std::size_t>(r - 1)];
    const int y = g.YText(r);
    canvas.DrawText(g.xNo, y, row[0]);
    canvas.DrawText(g.xName, y, FitName(canvas, row[1], nameWidth));
    for (int c = 2; c < kGridColumns; ++c) canvas.DrawText(g.XValue(c), y, row[c]);
  }
}

}  // namespace tintavis
