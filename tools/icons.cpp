// tintavis-icons FOLDER: writes the program's icon, drawn from the logo, in the freedesktop
// hicolor layout: FOLDER/<N>x<N>/apps/tintavis.png for the usual sizes and
// FOLDER/scalable/apps/tintavis.svg. The build runs it for the install target.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "gui/logo.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The logo centred in a square of `side` units, its height filling the square.
void PaintSquareIcon(QPainter& p, int side) {
  const qreal scale = static_cast<qreal>(side) / tintavis::kLogoHeight;
  p.translate((side - tintavis::kLogoWidth * scale) / 2, 0);
  p.scale(scale, scale);
  tintavis::PaintLogo(p);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tintavis-icons FOLDER\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  for (const int side : kSizes) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(side);
    if (!root.mkpath(folder)) return 1;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintSquareIcon(p, side);
    p.end();
    if (!image.save(root.filePath(folder + "/tintavis.png"))) return 1;
  }
  if (!root.mkpath("scalable/apps")) return 1;
  QSvgGenerator svg;
  svg.setFileName(root.filePath("scalable/apps/tintavis.svg"));
  svg.setSize(QSize(256, 256));
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle(QStringLiteral("TINTAVIS"));
  svg.setDescription(QStringLiteral("A glass of red wine under the visible spectrum"));
  QPainter p(&svg);
  PaintSquareIcon(p, 256);
  p.end();
  return 0;
}
