// Drawing of the CIELAB charts on their bitmaps.
//
// Everything is drawn pixel-exactly: lines are runs of whole pixels that stop one pixel short of
// their end point, and text is neither antialiased nor kerned, so every pixel of a chart is one of
// the chart's few colours and redrawing the empty charts gives the very same image.
#include "gui/chartimages.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QStringList>

#include <array>
#include <cstdlib>
#include <string_view>

#include "gui/qtglue.h"
#include "logic/windowplaces.h"

namespace tintavis {

namespace {

// Fonts the charts name, and the metric-compatible families that stand in for them where the
// named family is not installed.
struct FontFamily {
  std::string_view name;
  const char* standIn;
  QFont::StyleHint hint;
};

// clang-format off
constexpr std::array<FontFamily, 3> kFontFamilies = {{
    {"Arial",           "Liberation Sans",  QFont::SansSerif},
    {"Times",           "Liberation Serif", QFont::Serif},
    {"Times New Roman", "Liberation Serif", QFont::Serif},
}};
// clang-format on

QColor ToQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

// One drawing session on a chart bitmap.
class ChartPainter {
 public:
  // Drawn in the chart's own pixels, `zoom` times larger; the image's pixel ratio makes each of
  // them as many device pixels, so that lines stay sharp and text is drawn at the device's size.
  ChartPainter(QImage& image, Rgb background, qreal zoom)
      : painter_(&image), background_(ToQColor(background)), zoom_(zoom) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    if (zoom != 1.0) painter_.scale(zoom, zoom);
  }

  void Fill(Rgb colour) {
    const QSizeF size = static_cast<QImage*>(painter_.device())->deviceIndependentSize() / zoom_;
    painter_.fillRect(QRectF(QPointF(0, 0), size), ToQColor(colour));
  }

  // The pixels from `from` up to `to`, without `to`. Horizontal and vertical lines are single
  // runs; any other line steps along the nearest pixels.
  void Line(PixelPoint from, PixelPoint to, Rgb colour) {
    const QColor c = ToQColor(colour);
    if (from.y == to.y) {
      const int left = from.x < to.x ? from.x : to.x + 1;
      painter_.fillRect(QRect(left, from.y, std::abs(to.x - from.x), 1), c);
      return;
    }
    if (from.x == to.x) {
      const int top = from.y < to.y ? from.y : to.y + 1;
      painter_.fillRect(QRect(from.x, top, 1, std::abs(to.y - from.y)), c);
      return;
    }
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y) {
      painter_.fillRect(QRect(x, y, 1, 1), c);
      const int twice = 2 * err;
      if (twice >= dy) {
        err += dy;
        x += sx;
      }
      if (twice <= dx) {
        err += dx;
        y += sy;
      }
    }
  }

  // Text with its top-left corner at `topLeft`, on a box of the background that hides what lies
  // under it.
  void Text(PixelPoint topLeft, const QString& text, const ChartFont& font, Rgb colour) {
    const QFont qfont = ChartQFont(font);
    const QFontMetrics metrics(qfont);
    painter_.fillRect(ChartTextBox(font, topLeft, text), background_);
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(colour));
    painter_.drawText(QPoint(topLeft.x, topLeft.y + metrics.ascent()), text);
  }

 private:
  QPainter painter_;
  QColor background_;
  qreal zoom_;
};

QImage NewChartImage(const ChartDrawing& chart, qreal pixelRatio, qreal zoom) {
  const ChartScale scale = ScaledChartSize(chart.width, chart.height, pixelRatio, zoom);
  QImage image(scale.device.width, scale.device.height, QImage::Format_RGB32);
  image.setDevicePixelRatio(pixelRatio);
  image.fill(ToQColor(chart.background));
  return image;
}

}  // namespace

QFont ChartQFont(const ChartFont& font) {
  QFont qfont;
  QStringList families{ToQString(font.family)};
  QFont::StyleHint hint = QFont::AnyStyle;
  for (const FontFamily& known : kFontFamilies) {
    if (known.name == font.family) {
      families.append(QString::fromLatin1(known.standIn));
      hint = known.hint;
    }
  }
  qfont.setFamilies(families);
  qfont.setStyleHint(hint, QFont::NoAntialias);
  qfont.setHintingPreference(QFont::PreferFullHinting);
  qfont.setPixelSize(FontPixelSize(font.pointSize));
  qfont.setBold(font.bold);
  qfont.setKerning(false);
  return qfont;
}

QRect ChartTextBox(const ChartFont& font, PixelPoint topLeft, const QString& text) {
  const QFontMetrics metrics(ChartQFont(font));
  return QRect(topLeft.x, topLeft.y, metrics.horizontalAdvance(text), metrics.height());
}

void DrawChartOps(QImage& image, const ChartDrawing& chart, qreal zoom) {
  ChartPainter painter(image, chart.background, zoom);
  for (const DrawOp& op : chart.ops) {
    switch (op.kind) {
      case DrawOp::Kind::Fill:
        painter.Fill(op.colour);
        break;
      case DrawOp::Kind::Line:
        painter.Line(op.from, op.to, op.colour);
        break;
      case DrawOp::Kind::Text:
        painter.Text(op.from, ToQString(op.text), op.font, op.colour);
        break;
    }
  }
}

ChartImages::ChartImages(qreal pixelRatio, qreal zoom) : pixelRatio_(pixelRatio), zoom_(zoom) { DrawEmptyCharts(); }

void ChartImages::DrawEmptyCharts() {
  labels_.clear();
  abChart_ = NewChartImage(AbChartDrawing(), pixelRatio_, zoom_);
  DrawChartOps(abChart_, AbChartDrawing(), zoom_);
  lScale_ = NewChartImage(LScaleDrawing(), pixelRatio_, zoom_);
  DrawChartOps(lScale_, LScaleDrawing(), zoom_);
}

void ChartImages::SetScale(qreal pixelRatio, qreal zoom) {
  if (pixelRatio == pixelRatio_ && zoom == zoom_) return;
  std::vector<Label> labels = std::move(labels_);
  pixelRatio_ = pixelRatio;
  zoom_ = zoom;
  DrawEmptyCharts();
  for (const Label& label : labels) DrawLabel(label);
}

void ChartImages::PlotSample(int row, double a, double b, double L) {
  PlotAbLabel(row, a, b);
  PlotLLabel(row, L);
}

void ChartImages::PlotAbLabel(int row, double a, double b) { DrawLabel({true, row, a, b}); }

void ChartImages::PlotLLabel(int row, double L) { DrawLabel({false, row, L, 0.0}); }

void ChartImages::DrawLabel(const Label& label) {
  labels_.push_back(label);
  if (label.onAbChart) {
    ChartPainter painter(abChart_, AbChartDrawing().background, zoom_);
    const ChartMark mark = AbSampleMark(label.row, label.first, label.second);
    painter.Text(mark.label, QString::number(label.row), kSampleLabelFont, kSampleLabelColour);
    for (const auto& [from, to] : mark.arrow) painter.Line(from, to, kSampleLabelColour);
  } else {
    ChartPainter painter(lScale_, LScaleDrawing().background, zoom_);
    painter.Text(LLabelPosition(label.row, label.first), QString::number(label.row), kSampleLabelFont,
                 kSampleLabelColour);
  }
}

}  // namespace tintavis
