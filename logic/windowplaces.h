// Where the windows around the main window stand: the quick entry window at start, placed
// beside the main window's controls rather than over its fields or its grid.
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
// The first client row below the charts, the swatch and the note under them.
inline constexpr int kBelowChartsTop = 566;
// The left edge of the charts' frame; the fields and the grid lie to its left or above the charts.
inline constexpr int kChartsLeft = 550;
// The top of the grid, the charts and the swatch.
inline constexpr int kGridTop = 221;

// The top-left corner, in client coordinates of the main window, of the quick entry window's
// frame of `frame` size: below the charts at their left edge when the client is tall enough;
// else beside the block of controls, level with the grid's top, when it is wide enough; else in
// the client's bottom-right corner, over the swatch and the note. Never left of the charts nor
// above the grid's top, where the fields are.
PixelPoint QuickEntryStartPlace(PixelSize client, PixelSize frame);

}  // namespace tintavis
