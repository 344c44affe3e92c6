// The two CIELAB charts beside the results grid as data: the a*b* chart (`Imagen`) and the L*
// scale (`Image2`). The empty charts are lists of drawing steps that the window replays on its
// bitmaps; a sample is marked by its row number, whose top-left corner these rules place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintavis {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A font as the charts name it: family, size in points and weight.
struct ChartFont {
  std::string_view family;
  int pointSize = 0;
  bool bold = false;
  friend bool operator==(const ChartFont&, const ChartFont&) = default;
};

// clang-format off
inline constexpr Rgb kAxisColour       {0, 0, 0};        // black: axes, ticks and tick labels
inline constexpr Rgb kGridColour       {192, 192, 192};  // silver: grid lines every 10 units
inline constexpr Rgb kAxisNameColour   {0, 0, 128};      // navy: "a*", "b*", "L*"
inline constexpr Rgb kSampleLabelColour{255, 0, 0};      // red: the row number of a sample

inline constexpr ChartFont kTickLabelFont  {"Arial", 7, false};
inline constexpr ChartFont kAxisNameFont   {"Arial", 10, true};
// Sample labels are bold because the charts keep the style last set for the axis names.
inline constexpr ChartFont kSampleLabelFont{"Times", 8, true};
// clang-format on

// The charts were laid out on a 96 dpi screen; fonts are sized in pixels as that screen did.
inline constexpr int kScreenPixelsPerInch = 96;

// Character height in pixels of a font of `pointSize` points on that screen: pt · 96 / 72,
// rounded to the nearest whole pixel (7 pt → 9, 8 pt → 11, 10 pt → 13).
constexpr int FontPixelSize(int pointSize) {
  const long long scaled = static_cast<long long>(pointSize) * kScreenPixelsPerInch;
  const long long half = 72 / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / 72 : -((-scaled + half) / 72));
}

// One drawing step on a chart bitmap.
struct DrawOp {
  enum class Kind {
    Fill,  // the whole bitmap in `colour`
    Line,  // 1-pixel line in `colour` covering `from` and every pixel up to `to`, but not `to`
    Text,  // `text` in `font` and `colour`, top-left corner at `from`, on a box of the background
  };
  Kind kind = Kind::Fill;
  Rgb colour;
  PixelPoint from;
  PixelPoint to;
  std::string text;
  ChartFont font;

  static DrawOp Fill(Rgb colour);
  static DrawOp Line(PixelPoint from, PixelPoint to, Rgb colour);
  static DrawOp Text(PixelPoint topLeft, std::string text, const ChartFont& font, Rgb colour);

  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

// An empty chart: bitmap size, the background that text boxes are filled with, and the steps
// that draw it, in drawing order (later steps cover earlier ones).
struct ChartDrawing {
  int width = 0;
  int height = 0;
  Rgb background;
  std::vector<DrawOp> ops;
};

// The a*b* chart: 303 × 303, origin a* = b* = 0 at (45, 255), 3.5 pixels per unit.
const ChartDrawing& AbChartDrawing();
// The L* scale: 35 × 305, L* = 100 at y = 9 and L* = 0 at y = 289, 2.8 pixels per unit.
const ChartDrawing& LScaleDrawing();

// Top-left corner of the label of grid row `row` on the a*b* chart. Two-digit labels start
// further left so that a label's middle stays near the sample's point. Values far off the chart
// give far-off positions (never clamped onto the bitmap); inf and nan give a position off it.
PixelPoint AbLabelPosition(int row, double a, double b);
// How a sample stands on the a*b* chart. A sample whose label would show on the chart, whole or
// cut by an edge, has it at AbLabelPosition. One whose label would lie wholly off it is marked
// at the edge it lies beyond instead: a small red
// arrow with its tip on the edge, pointing out towards the sample, and the label beside the
// arrow, inside the chart. Values that are not finite give no mark on the chart.
struct ChartMark {
  PixelPoint label;
  bool outside = false;
  // The arrow's lines (each covers its start and every pixel up to its end, but not the end).
  std::vector<std::pair<PixelPoint, PixelPoint>> arrow;
};
ChartMark AbSampleMark(int row, double a, double b);

// Top-left corner of the label of grid row `row` on the L* scale, likewise.
PixelPoint LLabelPosition(int row, double L);

}  // namespace tintavis
