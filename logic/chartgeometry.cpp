// The empty CIELAB charts as drawing steps, and where a sample's row number goes on them.
//
// Positions are whole pixels of the chart bitmaps, x to the right and y downwards from the
// top-left corner. The a*b* chart has its origin at (45, 255) and 35 pixels per 10 units on both
// axes; the L* scale has L* = 0 at y = 289 and 28 pixels per 10 units. Grid lines stop short of
// the tick labels so that the labels stay readable.
#include "logic/chartgeometry.h"

#include <algorithm>

#include <cmath>
#include <utility>

namespace tintavis {

namespace {

// clang-format off
// Bitmap sizes in pixels and background colours of the two charts.
constexpr int kAbWidth      = 303;
constexpr int kAbHeight     = 303;
constexpr Rgb kAbBackground {255, 255, 220};
constexpr int kLWidth       = 35;
constexpr int kLHeight      = 305;
constexpr Rgb kLBackground  {200, 255, 240};

// Pixels per 10 units: between ticks and between grid lines.
constexpr int kAbStep = 35;
constexpr int kLStep  = 28;

// Label placement, in pixels per unit and pixel offsets of the label's top-left corner.
constexpr long double kAbPixelsPerUnit = 3.5L;
constexpr int kAbLabelLeftOneDigit     = 43;   // added to round(3.5·a*)
constexpr int kAbLabelLeftTwoDigits    = 40;
constexpr int kAbLabelTop              = 250;  // from which round(3.5·b*) is taken
constexpr long double kLPixelsPerUnit  = 2.8L;
constexpr long double kLLabelRaise     = 9.0L; // added to 2.8·L* before rounding
constexpr int kLLabelBase              = 291;  // from which the rounded value is taken
constexpr int kLLabelLeftOneDigit      = 20;
constexpr int kLLabelLeftTwoDigits     = 17;
constexpr int kFirstTwoDigitRow        = 10;

// Rounded positions saturate here: far beyond both bitmaps, so such a label draws nothing,
// and small enough that the offsets above never overflow an int.
constexpr long double kFarOff = 1'000'000.0L;
// clang-format on

// Nearest whole number, ties to even, of a value formed in extended precision. Values beyond
// kFarOff (inf included) saturate there; nan, which has no place, goes far off too.
int RoundToPixel(long double value) {
  if (std::isnan(value)) return static_cast<int>(kFarOff);
  if (value > kFarOff) value = kFarOff;
  if (value < -kFarOff) value = -kFarOff;
  long double whole = std::floor(value);
  const long double fraction = value - whole;  // exact: |value| is far below 2^63
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0.0L)) whole += 1.0L;
  return static_cast<int>(whole);
}

void AddLine(ChartDrawing& chart, int x1, int y1, int x2, int y2, Rgb colour) {
  chart.ops.push_back(DrawOp::Line({x1, y1}, {x2, y2}, colour));
}

void AddText(ChartDrawing& chart, int x, int y, std::string text, const ChartFont& font, Rgb colour) {
  chart.ops.push_back(DrawOp::Text({x, y}, std::move(text), font, colour));
}

ChartDrawing BuildAbChart() {
  ChartDrawing chart{kAbWidth, kAbHeight, kAbBackground, {}};
  chart.ops.push_back(DrawOp::Fill(kAbBackground));

  // The b* axis with its ticks at b* = 70 down to -20, and the b* values beside them.
  AddLine(chart, 45, 2, 45, 303, kAxisColour);
  for (int i = 0; i <= 9; ++i) AddLine(chart, 43, 10 + kAbStep * i, 48, 10 + kAbStep * i, kAxisColour);
  for (int i = 0; i <= 6; ++i) {
    AddText(chart, 32, 5 + kAbStep * i, std::to_string(70 - 10 * i), kTickLabelFont, kAxisColour);
  }
  AddText(chart, 37, 257, "0", kTickLabelFont, kAxisColour);
  AddText(chart, 29, 285, "-10", kTickLabelFont, kAxisColour);

  // The a* axis with its ticks at a* = -10 to 80, and the a* values under them.
  AddLine(chart, 2, 255, 300, 255, kAxisColour);
  for (int i = 0; i <= 9; ++i) AddLine(chart, 10 + kAbStep * i, 253, 10 + kAbStep * i, 258, kAxisColour);
  for (int i = 1; i <= 7; ++i) {
    AddText(chart, 41 + kAbStep * i, 257, std::to_string(10 * i), kTickLabelFont, kAxisColour);
  }
  AddText(chart, 4, 257, "-10", kTickLabelFont, kAxisColour);

  // Horizontal grid lines at b* = 70 down to 10 and at -10, broken where the b* values stand.
  for (int i = 0; i <= 6; ++i) {
    const int y = 10 + kAbStep * i;
    AddLine(chart, 45, y, 303, y, kGridColour);
    AddLine(chart, 2, y, 30, y, kGridColour);
  }
  AddLine(chart, 45, 290, 303, 290, kGridColour);
  AddLine(chart, 2, 290, 26, 290, kGridColour);

  // Vertical grid lines at a* = 10 to 70 and at -10, broken between 255 and 268 where the a*
  // values stand.
  for (int i = 0; i <= 6; ++i) {
    const int x = 80 + kAbStep * i;
    AddLine(chart, x, 2, x, 255, kGridColour);
    AddLine(chart, x, 268, x, 303, kGridColour);
  }
  AddLine(chart, 10, 2, 10, 255, kGridColour);
  AddLine(chart, 10, 268, 10, 303, kGridColour);

  AddText(chart, 13, 106, "b*", kAxisNameFont, kAxisNameColour);
  AddText(chart, 181, 270, "a*", kAxisNameFont, kAxisNameColour);
  return chart;
}

ChartDrawing BuildLScale() {
  ChartDrawing chart{kLWidth, kLHeight, kLBackground, {}};
  chart.ops.push_back(DrawOp::Fill(kLBackground));

  // The axis with ticks at L* = 100 down to -10.
  AddLine(chart, 15, 3, 15, 300, kAxisColour);
  for (int i = 0; i <= 11; ++i) AddLine(chart, 15, 9 + kLStep * i, 18, 9 + kLStep * i, kAxisColour);

  // L* values, ending flush right near the axis.
  AddText(chart, 0, 4, "100", kTickLabelFont, kAxisColour);
  for (int i = 1; i <= 9; ++i) {
    AddText(chart, 4, 4 + kLStep * i, std::to_string(100 - 10 * i), kTickLabelFont, kAxisColour);
  }
  AddText(chart, 9, 284, "0", kTickLabelFont, kAxisColour);

  AddText(chart, 1, 155, "L*", kAxisNameFont, kAxisNameColour);

  // Grid lines to the right of the ticks, where the sample labels go.
  for (int i = 0; i <= 11; ++i) AddLine(chart, 19, 9 + kLStep * i, 35, 9 + kLStep * i, kGridColour);
  return chart;
}

}  // namespace

DrawOp DrawOp::Fill(Rgb colour) {
  DrawOp op;
  op.kind = Kind::Fill;
  op.colour = colour;
  return op;
}

DrawOp DrawOp::Line(PixelPoint from, PixelPoint to, Rgb colour) {
  DrawOp op;
  op.kind = Kind::Line;
  op.colour = colour;
  op.from = from;
  op.to = to;
  return op;
}

DrawOp DrawOp::Text(PixelPoint topLeft, std::string text, const ChartFont& font, Rgb colour) {
  DrawOp op;
  op.kind = Kind::Text;
  op.colour = colour;
  op.from = topLeft;
  op.text = std::move(text);
  op.font = font;
  return op;
}

const ChartDrawing& AbChartDrawing() {
  static const ChartDrawing chart = BuildAbChart();
  return chart;
}

const ChartDrawing& LScaleDrawing() {
  static const ChartDrawing chart = BuildLScale();
  return chart;
}

PixelPoint AbLabelPosition(int row, double a, double b) {
  const int left = row >= kFirstTwoDigitRow ? kAbLabelLeftTwoDigits : kAbLabelLeftOneDigit;
  const int x = RoundToPixel(kAbPixelsPerUnit * static_cast<long double>(a)) + left;
  const int y = kAbLabelTop - RoundToPixel(kAbPixelsPerUnit * static_cast<long double>(b));
  return {x, y};
}

ChartMark AbSampleMark(int row, double a, double b) {
  ChartMark mark{AbLabelPosition(row, a, b), false, {}};
  if (!std::isfinite(a) || !std::isfinite(b)) return mark;
  constexpr int kOriginX = 45;
  constexpr int kOriginY = 255;
  const long double px = kOriginX + kAbPixelsPerUnit * static_cast<long double>(a);
  const long double py = kOriginY - kAbPixelsPerUnit * static_cast<long double>(b);
  // Off the chart is where not a pixel of the label would be seen; a label cut by an edge stays.
  constexpr int kLabelWidth = 16;
  constexpr int kLabelHeight = 12;
  const int width = row >= kFirstTwoDigitRow ? kLabelWidth : kLabelWidth / 2 + 2;
  const PixelPoint at = mark.label;
  const int dx = at.x + width <= 0 ? -1 : (at.x >= kAbWidth ? 1 : 0);
  const int dy = at.y + kLabelHeight <= 0 ? -1 : (at.y >= kAbHeight ? 1 : 0);
  if (dx == 0 && dy == 0) return mark;
  mark.outside = true;
  // The tip one pixel inside the edge, level with the sample along the edge.
  const auto clampTo = [](long double v, int high) { return static_cast<int>(std::clamp<long double>(std::round(v), 1, high)); };
  const PixelPoint tip{clampTo(px, kAbWidth - 2), clampTo(py, kAbHeight - 2)};
  constexpr int kShaft = 8;
  constexpr int kBarb = 3;
  const PixelPoint past{tip.x + dx, tip.y + dy};
  mark.arrow.push_back({{tip.x - kShaft * dx, tip.y - kShaft * dy}, past});
  // The barbs go back from the tip on either side of the shaft.
  const int perpX = -dy;
  const int perpY = dx;
  for (const int side : {-1, 1}) {
    const PixelPoint end{tip.x - kBarb * dx + side * kBarb * perpX, tip.y - kBarb * dy + side * kBarb * perpY};
    mark.arrow.push_back({end, tip});
  }
  // The label beyond the shaft's inner end, kept whole inside the chart.
  const int centreX = tip.x - (kShaft + kLabelWidth / 2 + 2) * dx;
  const int centreY = tip.y - (kShaft + kLabelHeight / 2 + 2) * dy;
  mark.label = {std::clamp(centreX - width / 2, 0, kAbWidth - width), std::clamp(centreY - kLabelHeight / 2, 0, kAbHeight - kLabelHeight)};
  return mark;
}

PixelPoint LLabelPosition(int row, double L) {
  const int x = row >= kFirstTwoDigitRow ? kLLabelLeftTwoDigits : kLLabelLeftOneDigit;
  const int y = kLLabelBase - RoundToPixel(kLPixelsPerUnit * static_cast<long double>(L) + kLLabelRaise);
  return {x, y};
}

}  // namespace tintavis
