// tintavis-screenshot OUT.png: starts the main window, calculates a few samples as a user would
// (keys typed into the fields, Enter), selects one row and writes a picture of the window.
// scripts/screenshot runs it under a virtual X server for the README's picture.
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "gui/mainwindow.h"
#include "gui/messenger.h"
#include "gui/logo.h"

namespace {

struct Sample {
  const char* name;
  bool red;
  const char* d;
  const char* r;
  const char* a[4];
};

constexpr Sample kSamples[] = {
    {"Crianza", true, "2", "10", {"0.5", "0.8", "0.6", "0.2"}},
    {"Joven", true, "2", "10", {"0.62", "1.05", "0.78", "0.21"}},
    {"Rosado", true, "10", "10", {"0.35", "0.30", "0.12", "0.05"}},
    {"Clarete", true, "10", "10", {"0.9", "1.1", "0.62", "0.18"}},
    {"Reserva", true, "2", "10", {"0.44", "0.61", "0.47", "0.19"}},
    {"Verdejo", false, "10", "10", {"0.10", "0.04", "0.02", "0.01"}},
    {"Brandy", false, "10", "10", {"0.45", "0.25", "0.15", "0.09"}},
};

void Type(tintavis::MainWindow& w, const char* field, const QString& text) {
  auto* e = w.findChild<QLineEdit*>(field);
  e->setFocus();
  e->selectAll();
  QTest::keyClicks(e, text);
}

}  // namespace

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
  for (const Sample& s : kSamples) {
    window.findChild<QRadioButton*>(s.red ? "RadioButton1" : "RadioButton2")->click();
    Type(window, "NomMuestra", QString::fromLatin1(s.name));
    Type(window, "Espesor", QString::fromLatin1(s.d));
    Type(window, "referido", QString::fromLatin1(s.r));
    const char* fields[4] = {"PrimLong", "SegLong", "TercLong", "CuartLong"};
    for (int k = 0; k < 4; ++k) Type(window, fields[k], QString::fromLatin1(s.a[k]));
    QTest::keyClick(window.findChild<QLineEdit*>("CuartLong"), Qt::Key_Return);
  }
  // The first sample selected again: its label on top, its colour in the swatch.
  auto* grid = window.findChild<QTableView*>("Resultados1");
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
  QTest::qWait(200);

  const bool saved = window.grab().save(out);
  return saved ? 0 : 1;
}
