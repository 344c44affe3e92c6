// tintavis-screenshot OUT.png: starts the main window, calculates a few samples as a user would
// (keys typed into the fields, Enter), selects one row and writes a picture of the window.
// scripts/screenshot runs it under a virtual X server for the README's picture.
#include <QApplication>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "gui/mainwindow.h"
#include "gui/messenger.h"
#include "gui/logo.h"
#include "tools/typedsamples.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(tintavis::kApplicationTitle));
  QApplication::setWindowIcon(tintavis::TintavisIcon());
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");

  tintavis::MainWindow window;
  window.SetDecimalSeparator('.');
  // The size of a window maximised on a 1600 × 1200 screen, where the grid and the charts grow.
  window.resize(1600, 1130);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  for (const tintavis::TypedSample& s : tintavis::TypedSamples()) {
    tintavis::CalculateTyped(window, s, QString::fromLatin1(s.name));
  }
  // The first sample selected again: its label on top, its colour in the swatch.
  auto* grid = window.findChild<QTableView*>("Resultados1");
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
  QTest::qWait(200);

  const bool saved = window.grab().save(out);
  return saved ? 0 : 1;
}
