#include "logic/windowplaces.h"

#include <algorithm>
#include <cmath>

namespace tintavis {

namespace {

int Scaled(int length, double zoom) { return static_cast<int>(std::lround(length * zoom)); }

// The width the charts and the swatch take beyond the grid: frame, gap, swatch.
constexpr int kChartsAndSwatchWidth = kSwatchBox.Right() - kChartsFrameBox.left;

}  // namespace

MainLayout GrownMainLayout(PixelSize client) {
  const int extraWidth = std::max(0, client.width - kControlsBlock.width);
  const int extraHeight = std::max(0, client.height - kControlsBlock.height);
  const double byWidth = 1.0 + extraWidth / 2.0 / kChartsAndSwatchWidth;
  const double byHeight = 1.0 + static_cast<double>(extraHeight) / kChartsFrameBox.height;
  const double zoom = std::min(byWidth, byHeight);

  MainLayout layout;
  layout.chartZoom = zoom;
  const int chartsGrowth = Scaled(kChartsFrameBox.width, zoom) - kChartsFrameBox.width +
                           Scaled(kSwatchBox.width, zoom) - kSwatchBox.width;
  const int gridExtraWidth = std::max(0, extraWidth - chartsGrowth);
  layout.nameColumnExtra = gridExtraWidth;
  layout.grid = {kGridBox.left, kGridBox.top, kGridBox.width + gridExtraWidth, kGridBox.height + extraHeight};
  layout.chartsFrame = {kChartsFrameBox.left + gridExtraWidth, kChartsFrameBox.top, Scaled(kChartsFrameBox.width, zoom),
                        Scaled(kChartsFrameBox.height, zoom)};
  layout.abChart = {kAbChartBox.left, kAbChartBox.top, Scaled(kAbChartBox.width, zoom), Scaled(kAbChartBox.height, zoom)};
  layout.lScale = {Scaled(kLScaleBox.left, zoom), kLScaleBox.top, Scaled(kLScaleBox.width, zoom),
                   Scaled(kLScaleBox.height, zoom)};
  layout.divider = {layout.chartsFrame.left + Scaled(kDividerBox.left - kChartsFrameBox.left, zoom), kDividerBox.top,
                    kDividerBox.width, Scaled(kDividerBox.height, zoom)};
  layout.swatch = {layout.chartsFrame.Right() + (kSwatchBox.left - kChartsFrameBox.Right()), kSwatchBox.top,
                   Scaled(kSwatchBox.width, zoom), Scaled(kSwatchBox.height, zoom)};
  layout.headings[0] = {layout.grid.left, kHeadingTop, layout.grid.width, kHeadingHeight};
  layout.headings[1] = {layout.chartsFrame.left, kHeadingTop, layout.chartsFrame.width, kHeadingHeight};
  layout.headings[2] = {layout.swatch.left, kHeadingTop, layout.swatch.width, kHeadingHeight};
  layout.noteTop = kNoteTop + extraHeight;
  return layout;
}

ChartScale ScaledChartSize(int width, int height, double pixelRatio, double zoom) {
  const PixelSize logical{Scaled(width, zoom), Scaled(height, zoom)};
  return {logical, {Scaled(logical.width, pixelRatio), Scaled(logical.height, pixelRatio)}};
}

PixelPoint QuickEntryStartPlace(PixelSize client, PixelSize shown, PixelSize frame) {
  constexpr int kGap = 8;
  const MainLayout layout = GrownMainLayout(client);
  const PixelSize visible{std::min(client.width, shown.width), std::min(client.height, shown.height)};
  const int belowCharts = std::max(layout.chartsFrame.Bottom(), layout.swatch.Bottom()) + kGap;
  if (belowCharts + frame.height <= visible.height && layout.chartsFrame.left + frame.width <= visible.width) {
    return {layout.chartsFrame.left, belowCharts};
  }
  return {std::max(layout.chartsFrame.left, visible.width - frame.width), std::max(kGridTop, visible.height - frame.height)};
}

}  // namespace tintavis
