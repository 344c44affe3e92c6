// The logo is drawn with vector shapes in the coordinates of the full 341 x 379 picture:
// a tulip glass of red wine on a stem and foot, under an arc of the visible spectrum from
// 400 nm (violet, left) to 700 nm (red, right) with markers at 450, 520, 570 and 630 nm, the
// wavelengths at which the program measures a wine.
#include "gui/logo.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>

#include <array>
#include <cmath>

namespace tintavis {
namespace {

constexpr qreal kCentreX = kLogoWidth / 2.0;

// Outline of glass and foot: a dark slate with a hint of violet, readable on light and dark
// backgrounds and still a line when the logo is shown at a fifth of its size.
const QColor kOutline(72, 66, 92);

// ---- Spectrum arc ---------------------------------------------------------------------------

const QPointF kArcCentre(kCentreX, 182.0);
constexpr qreal kArcRadius = 160.0;
constexpr qreal kArcWidth = 12.0;
// Angles in degrees, counter-clockwise from three o'clock: 400 nm sits on the left, 700 nm on
// the right.
constexpr qreal kArcAngleAt400 = 157.0;
constexpr qreal kArcAngleAt700 = 23.0;

qreal ArcAngleFor(qreal nm) {
  return kArcAngleAt400 + (nm - 400.0) / 300.0 * (kArcAngleAt700 - kArcAngleAt400);
}

QPointF ArcPointFor(qreal nm) {
  const qreal a = qDegreesToRadians(ArcAngleFor(nm));
  return {kArcCentre.x() + kArcRadius * std::cos(a), kArcCentre.y() - kArcRadius * std::sin(a)};
}

// A display colour for a wavelength: a hand-tuned ramp through the hues the eye sees along
// the spectrum, brightened for legibility rather than colorimetrically exact.
struct SpectrumStop {
  qreal nm;
  int r, g, b;
};
// clang-format off
constexpr std::array<SpectrumStop, 9> kSpectrumRamp{{
  {400.0, 112,  28, 168},
  {440.0,  64,  52, 214},
  {470.0,  24, 118, 222},
  {495.0,  18, 170, 190},
  {525.0,  52, 178,  74},
  {565.0, 214, 206,  28},
  {595.0, 246, 150,  24},
  {640.0, 220,  40,  36},
  {700.0, 150,  14,  36},
}};
// clang-format on

QColor SpectrumColour(qreal nm) {
  if (nm <= kSpectrumRamp.front().nm) {
    const auto& s = kSpectrumRamp.front();
    return {s.r, s.g, s.b};
  }
  for (std::size_t i = 1; i < kSpectrumRamp.size(); ++i) {
    const auto& lo = kSpectrumRamp[i - 1];
    const auto& hi = kSpectrumRamp[i];
    if (nm <= hi.nm) {
      const qreal t = (nm - lo.nm) / (hi.nm - lo.nm);
      auto mix = [t](int a, int b) { return qRound(a + (b - a) * t); };
      return {mix(lo.r, hi.r), mix(lo.g, hi.g), mix(lo.b, hi.b)};
    }
  }
  const auto& s = kSpectrumRamp.back();
  return {s.r, s.g, s.b};
}

void DrawSpectrumArc(QPainter& p) {
  // One filled band, not a chain of segments, so no seams show between colours.
  QPainterPath centreLine;
  const QRectF circle(kArcCentre.x() - kArcRadius, kArcCentre.y() - kArcRadius, 2 * kArcRadius,
                      2 * kArcRadius);
  centreLine.arcMoveTo(circle, kArcAngleAt400);
  centreLine.arcTo(circle, kArcAngleAt400, kArcAngleAt700 - kArcAngleAt400);
  QPainterPathStroker stroker;
  stroker.setWidth(kArcWidth);
  stroker.setCapStyle(Qt::RoundCap);
  const QPainterPath band = stroker.createStroke(centreLine);

  // The conical gradient runs counter-clockwise from 0 degrees; the band only covers the part
  // between the two end angles (plus the round caps, which take the end colours).
  QConicalGradient gradient(kArcCentre, 0.0);
  gradient.setColorAt(0.0, SpectrumColour(700.0));
  for (int nm = 700; nm >= 400; nm -= 10) {
    gradient.setColorAt(ArcAngleFor(nm) / 360.0, SpectrumColour(nm));
  }
  gradient.setColorAt(0.75, SpectrumColour(400.0));
  gradient.setColorAt(0.76, SpectrumColour(700.0));
  gradient.setColorAt(1.0, SpectrumColour(700.0));

  p.setPen(Qt::NoPen);
  p.setBrush(gradient);
  p.drawPath(band);

  // The four measuring wavelengths: white beads with a dark rim.
  for (const qreal nm : {450.0, 520.0, 570.0, 630.0}) {
    const QPointF at = ArcPointFor(nm);
    p.setPen(QPen(kOutline, 2.5));
    p.setBrush(Qt::white);
    p.drawEllipse(at, 8.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(SpectrumColour(nm));
    p.drawEllipse(at, 3.6, 3.6);
  }
}

// ---- Glass ----------------------------------------------------------------------------------

constexpr qreal kRimY = 72.0;
constexpr qreal kRimHalfWidth = 60.0;
constexpr qreal kRimHalfHeight = 9.0;
constexpr qreal kBowlBottomY = 268.0;
constexpr qreal kWineLevelY = 160.0;
constexpr qreal kFootY = 345.0;
constexpr qreal kFootHalfWidth = 82.0;
constexpr qreal kFootHalfHeight = 16.0;

// The bowl's silhouette: the two flanks of a tulip glass and the back half of the rim.
QPainterPath BowlPath() {
  const qreal l = kCentreX - kRimHalfWidth;
  const qreal r = kCentreX + kRimHalfWidth;
  QPainterPath path;
  path.moveTo(l, kRimY);
  path.cubicTo(l - 7.0, 108.0, l - 25.0, 140.0, l - 24.0, 180.0);
  path.cubicTo(l - 23.0, 234.0, kCentreX - 40.0, kBowlBottomY, kCentreX, kBowlBottomY);
  path.cubicTo(kCentreX + 40.0, kBowlBottomY, r + 23.0, 234.0, r + 24.0, 180.0);
  path.cubicTo(r + 25.0, 140.0, r + 7.0, 108.0, r, kRimY);
  path.arcTo(QRectF(l, kRimY - kRimHalfHeight, r - l, 2 * kRimHalfHeight), 0.0, 180.0);
  path.closeSubpath();
  return path;
}

QRectF RimRect() {
  return {kCentreX - kRimHalfWidth, kRimY - kRimHalfHeight, 2 * kRimHalfWidth,
          2 * kRimHalfHeight};
}

void DrawShadow(QPainter& p) {
  // In object coordinates, so the round gradient stretches to the flat ellipse it fills.
  QRadialGradient shadow(0.5, 0.5, 0.5);
  shadow.setCoordinateMode(QGradient::ObjectMode);
  shadow.setColorAt(0.0, QColor(40, 20, 40, 70));
  shadow.setColorAt(1.0, QColor(40, 20, 40, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(QPointF(kCentreX, kFootY + 14.0), kFootHalfWidth + 30.0, kFootHalfHeight + 2.0);
}

void DrawFoot(QPainter& p) {
  QLinearGradient glass(0.0, kFootY - kFootHalfHeight, 0.0, kFootY + kFootHalfHeight);
  glass.setColorAt(0.0, QColor(252, 252, 255));
  glass.setColorAt(0.55, QColor(222, 224, 236));
  glass.setColorAt(1.0, QColor(178, 180, 200));
  p.setPen(QPen(kOutline, 4.0));
  p.setBrush(glass);
  p.drawEllipse(QPointF(kCentreX, kFootY), kFootHalfWidth, kFootHalfHeight);
  // The foot's upper face catches the light along its front edge.
  p.setPen(QPen(QColor(255, 255, 255, 220), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(kCentreX - kFootHalfWidth + 12.0, kFootY - kFootHalfHeight + 5.0,
                   2 * (kFootHalfWidth - 12.0), 2 * (kFootHalfHeight - 6.0)),
            200 * 16, 140 * 16);
}

void DrawStem(QPainter& p) {
  const qreal top = kBowlBottomY - 8.0;
  const qreal bottom = kFootY - 3.0;
  QPainterPath stem;
  stem.moveTo(kCentreX - 12.0, top);
  stem.cubicTo(kCentreX - 6.0, top + 16.0, kCentreX - 5.5, top + 24.0, kCentreX - 5.5, top + 34.0);
  stem.lineTo(kCentreX - 5.5, bottom - 22.0);
  stem.cubicTo(kCentreX - 5.5, bottom - 8.0, kCentreX - 14.0, bottom - 2.0, kCentreX - 22.0, bottom);
  stem.lineTo(kCentreX + 22.0, bottom);
  stem.cubicTo(kCentreX + 14.0, bottom - 2.0, kCentreX + 5.5, bottom - 8.0, kCentreX + 5.5,
               bottom - 22.0);
  stem.lineTo(kCentreX + 5.5, top + 34.0);
  stem.cubicTo(kCentreX + 5.5, top + 24.0, kCentreX + 6.0, top + 16.0, kCentreX + 12.0, top);
  stem.closeSubpath();

  QLinearGradient glass(kCentreX - 22.0, 0.0, kCentreX + 22.0, 0.0);
  glass.setColorAt(0.0, QColor(190, 192, 210));
  glass.setColorAt(0.42, QColor(255, 255, 255));
  glass.setColorAt(1.0, QColor(160, 162, 184));
  p.setPen(QPen(kOutline, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(glass);
  p.drawPath(stem);
}

void DrawBowl(QPainter& p) {
  const QPainterPath bowl = BowlPath();

  // The empty upper part of the bowl: faintly tinted, mostly see-through glass.
  QLinearGradient glass(kCentreX - 95.0, 0.0, kCentreX + 95.0, 0.0);
  glass.setColorAt(0.0, QColor(255, 255, 255, 170));
  glass.setColorAt(0.45, QColor(236, 240, 250, 90));
  glass.setColorAt(1.0, QColor(196, 204, 226, 160));
  p.setPen(Qt::NoPen);
  p.setBrush(glass);
  p.drawPath(bowl);

  // The wine: the bowl below the level line, with the surface seen slightly from above.
  QPainterPath slice;
  slice.addRect(QRectF(0.0, kWineLevelY - 0.5, kLogoWidth, 1.0));
  const QRectF levelSpan = bowl.intersected(slice).boundingRect();
  const qreal surfaceHalfWidth = levelSpan.width() / 2.0 - 1.0;
  const qreal surfaceHalfHeight = surfaceHalfWidth * kRimHalfHeight / kRimHalfWidth;
  const QRectF surface(kCentreX - surfaceHalfWidth, kWineLevelY - surfaceHalfHeight,
                       2 * surfaceHalfWidth, 2 * surfaceHalfHeight);

  QPainterPath below;
  below.addRect(QRectF(0.0, kWineLevelY, kLogoWidth, kLogoHeight));
  QPainterPath surfacePath;
  surfacePath.addEllipse(surface);
  const QPainterPath wine = bowl.intersected(below.united(surfacePath));

  QRadialGradient body(QPointF(kCentreX - 30.0, 204.0), 118.0, QPointF(kCentreX - 46.0, 194.0));
  body.setColorAt(0.0, QColor(184, 28, 60));
  body.setColorAt(0.5, QColor(128, 10, 40));
  body.setColorAt(1.0, QColor(70, 0, 24));
  p.setBrush(body);
  p.drawPath(wine);

  QLinearGradient top(surface.left(), 0.0, surface.right(), 0.0);
  top.setColorAt(0.0, QColor(196, 48, 82));
  top.setColorAt(0.6, QColor(150, 22, 54));
  top.setColorAt(1.0, QColor(104, 6, 34));
  p.setBrush(top);
  p.drawEllipse(surface);
  // The meniscus: a thin bright line along the front edge of the surface.
  p.setPen(QPen(QColor(236, 130, 150, 200), 2.0, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(surface.adjusted(2.0, 1.0, -2.0, -1.0), 195 * 16, 110 * 16);

  // Reflections on the glass, over the wine as well as the empty part.
  p.setPen(QPen(QColor(255, 255, 255, 215), 9.0, Qt::SolidLine, Qt::RoundCap));
  QPainterPath gleam;
  gleam.moveTo(kCentreX - kRimHalfWidth + 5.0, 104.0);
  gleam.cubicTo(kCentreX - kRimHalfWidth - 9.0, 140.0, kCentreX - kRimHalfWidth - 12.0, 190.0,
                kCentreX - kRimHalfWidth - 1.0, 226.0);
  p.drawPath(gleam);
  p.setPen(QPen(QColor(255, 255, 255, 120), 4.0, Qt::SolidLine, Qt::RoundCap));
  QPainterPath sheen;
  sheen.moveTo(kCentreX + kRimHalfWidth + 7.0, 126.0);
  sheen.cubicTo(kCentreX + kRimHalfWidth + 14.0, 152.0, kCentreX + kRimHalfWidth + 14.0, 180.0,
                kCentreX + kRimHalfWidth + 11.0, 204.0);
  p.drawPath(sheen);

  // Outline, then the rim: the opening's front edge drawn over the glass.
  p.setPen(QPen(kOutline, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(bowl);
  p.setPen(QPen(kOutline, 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(RimRect(), 180 * 16, 180 * 16);
}

QImage RenderLogo() {
  QImage image(kLogoWidth, kLogoHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  PaintLogo(p);
  p.end();
  return image;
}

// The logo scaled to `size` device pixels. Qt's smooth scaling averages over the source area
// when shrinking, which keeps the thin outlines clean at a fifth of the full size.
QImage ScaledLogo(QSize size) {
  return TintavisLogo().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

void PaintLogo(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  DrawSpectrumArc(p);
  DrawShadow(p);
  DrawFoot(p);
  DrawStem(p);
  DrawBowl(p);
  p.restore();
}

QImage TintavisLogo() {
  static const QImage logo = RenderLogo();
  return logo;
}

QRect LogoRectInBox(const QRect& box) {
  if (box.isEmpty()) return {box.topLeft(), QSize(0, 0)};
  // The side that limits is filled; the other is rounded to the nearest pixel, which never
  // exceeds the box because the exact value does not.
  QSize size;
  if (qint64(box.width()) * kLogoHeight >= qint64(box.height()) * kLogoWidth) {
    size = {qRound(qreal(box.height()) * kLogoWidth / kLogoHeight), box.height()};
  } else {
    size = {box.width(), qRound(qreal(box.width()) * kLogoHeight / kLogoWidth)};
  }
  return {box.x() + (box.width() - size.width()) / 2, box.y() + (box.height() - size.height()) / 2,
          size.width(), size.height()};
}

void DrawLogoInBox(QPainter& painter, const QRect& box) {
  const QRect target = LogoRectInBox(box);
  if (target.isEmpty()) return;
  // Scale once to the pixels the target covers on the device, then draw without resampling.
  const QSize devicePixels = painter.deviceTransform().mapRect(QRectF(target)).size().toSize();
  if (devicePixels.isEmpty()) return;
  painter.drawImage(QRectF(target), ScaledLogo(devicePixels));
}

QPixmap LogoForBox(QSize box, qreal devicePixelRatio) {
  const QSize size = LogoRectInBox(QRect(QPoint(0, 0), box)).size();
  if (size.isEmpty()) return {};
  const qreal ratio = devicePixelRatio > 0.0 ? devicePixelRatio : 1.0;
  QPixmap pixmap = QPixmap::fromImage(ScaledLogo((QSizeF(size) * ratio).toSize()));
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

QIcon TintavisIcon() {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    DrawLogoInBox(p, QRect(0, 0, side, side));
    p.end();
    icon.addPixmap(QPixmap::fromImage(canvas));
  }
  return icon;
}

}  // namespace tintavis
