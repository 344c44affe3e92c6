// Where the main window's controls and the windows around it stand: the grid, the charts and
// the swatch, which take the room a larger client gives; the sizes of the chart bitmaps; and the
// quick entry window at start, placed beside the controls rather than over the fields or the
// grid.
#pragma once

#include "logic/chartgeometry.h"

namespace tintavis {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The block of controls in the main window's client area, top-left at the client's origin.
inline constexpr PixelSize kControlsBlock{1124, 674};
// The top of the grid, the charts and the swatch.
inline constexpr int kGridTop = 221;

struct PixelBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The places of the growing controls at the block's size, in client coordinates (the chart
// bitmaps' labels and the divider inside the charts' frame: relative to it).
inline constexpr PixelBox kGridBox{22, 221, 525, 304};
inline constexpr PixelBox kChartsFrameBox{550, 221, 341, 304};
inline constexpr PixelBox kAbChartBox{1, 2, 301, 301};
inline constexpr PixelBox kLScaleBox{304, 2, 38, 300};
inline constexpr PixelBox kDividerBox{850, 222, 4, 303};
inline constexpr PixelBox kSwatchBox{895, 221, 187, 304};
inline constexpr int kHeadingTop = 168;
inline constexpr int kHeadingHeight = 41;
inline constexpr int kNoteTop = 544;
// Below this client size the controls no longer fit and the client scrolls.
inline constexpr PixelSize kSmallestClient{1090, 566};

// The growing controls in a client of some size. At the block's size or smaller every place is
// the block's own; a taller client gives its extra height to the grid's rows, a wider one half
// its extra width to the grid's name column and half to the charts and the swatch, which grow
// by one zoom in both directions (the a*b* chart stays square) no taller than the grid.
struct MainLayout {
  PixelBox grid;
  PixelBox chartsFrame;
  PixelBox abChart;  // in the frame
  PixelBox lScale;   // in the frame
  PixelBox divider;
  PixelBox swatch;
  PixelBox headings[3];  // over the grid, the charts and the swatch
  int noteTop = 0;
  int nameColumnExtra = 0;  // pixels added to the name column's width
  double chartZoom = 1.0;
};
MainLayout GrownMainLayout(PixelSize client);

// A chart bitmap of `width` × `height` chart pixels enlarged `zoom` times, in logical pixels and
// in the device pixels of a screen of `pixelRatio`.
struct ChartScale {
  PixelSize logical;
  PixelSize device;
  friend bool operator==(const ChartScale&, const ChartScale&) = default;
};
ChartScale ScaledChartSize(int width, int height, double pixelRatio, double zoom);

// The top-left corner, in client coordinates of the main window, of the quick entry window's
// frame of `frame` size, when the window shows the part `shown` of its client from the client's
// origin (less than the client once the client scrolls): below the charts at their left edge
// when the part shown is tall and wide enough; else in the bottom-right corner of the part
// shown, over the swatch and the note. Never left of the charts nor above the grid's top, where
// the fields are.
PixelPoint QuickEntryStartPlace(PixelSize client, PixelSize shown, PixelSize frame);

}  // namespace tintavis
