// The program's logo: a glass of red wine under an arc of the visible spectrum, with the four
// measuring wavelengths marked on it. It is drawn in code once, at its full size, and shown
// scaled down in the main window, the About window, the splash window and the window icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>

class QPainter;

namespace tintavis {

// Size of the full logo picture, in pixels.
inline constexpr int kLogoWidth = 341;
inline constexpr int kLogoHeight = 379;

// Paints the logo as vector drawing in its own kLogoWidth x kLogoHeight coordinates, for any
// device: the picture below, the installed icons, a scalable icon.
void PaintLogo(QPainter& painter);

// The full logo: kLogoWidth x kLogoHeight, premultiplied ARGB32, transparent background.
// Rendered on the first call and cached; the copies share the same pixels.
QImage TintavisLogo();

// The part of `box` the logo covers when shown as large as fits with its proportions kept,
// centred in the box, the scaled side rounded to whole pixels (110 x 105 gives 94 x 105).
QRect LogoRectInBox(const QRect& box);

// Draws the logo into `box` of `painter`, scaled smoothly with its proportions kept and centred.
void DrawLogoInBox(QPainter& painter, const QRect& box);

// The logo scaled to fit a box of `box` size with its proportions kept: the pixmap has the
// scaled size (not the box size), so a label that centres its pixmap places it as
// DrawLogoInBox would. `devicePixelRatio` > 1 renders more pixels for high-density screens.
QPixmap LogoForBox(QSize box, qreal devicePixelRatio = 1.0);

// The window icon: the logo centred on square transparent canvases from 16 to 256 pixels.
QIcon TintavisIcon();

}  // namespace tintavis
