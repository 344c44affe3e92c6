// The bitmaps of the a*b* chart (`Imagen`) and the L* scale (`Image2`). They hold only pixels:
// each plotted sample adds its row number in red, and nothing is erased until the empty charts
// are drawn again.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

#include "logic/chartgeometry.h"

namespace tintavis {

class ChartImages {
 public:
  // Starts with both charts empty, drawn for a screen of `pixelRatio` device pixels to a
  // logical pixel and enlarged `zoom` times; at 1 and 1 every pixel is the chart's own.
  explicit ChartImages(qreal pixelRatio = 1.0, qreal zoom = 1.0);

  // Recreates both bitmaps and draws the empty charts, discarding every label.
  void DrawEmptyCharts();

  // Draws both charts again at a new pixel ratio and zoom with the labels they hold.
  void SetScale(qreal pixelRatio, qreal zoom);
  qreal Zoom() const { return zoom_; }

  // Writes the row number of a sample on both charts, over whatever lies there.
  void PlotSample(int row, double a, double b, double L);
  void PlotAbLabel(int row, double a, double b);
  void PlotLLabel(int row, double L);

  // The bitmaps, 303 × 303 and 35 × 305 logical pixels times the zoom, shown unscaled from
  // their top-left corner.
  const QImage& AbChart() const { return abChart_; }
  const QImage& LScale() const { return lScale_; }

 private:
  struct Label {
    bool onAbChart;
    int row;
    double first, second;  // a and b, or L
  };
  void DrawLabel(const Label& label);

  qreal pixelRatio_;
  qreal zoom_;
  QImage abChart_;
  QImage lScale_;
  std::vector<Label> labels_;  // since the empty charts were last drawn
};

// The font the charts draw `font` with: sized in pixels as on a 96 dpi screen, and without
// antialiasing so that every text pixel has exactly its colour or the background's.
QFont ChartQFont(const ChartFont& font);

// The box that text drawn with its top-left corner at `topLeft` fills with the background:
// the text's advance wide and the font's height high.
QRect ChartTextBox(const ChartFont& font, PixelPoint topLeft, const QString& text);

// Replays the steps of an empty chart on `image`, which must have the chart's size times `zoom`
// in logical pixels.
void DrawChartOps(QImage& image, const ChartDrawing& chart, qreal zoom = 1.0);

}  // namespace tintavis
