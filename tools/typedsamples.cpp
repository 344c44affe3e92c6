#include "tools/typedsamples.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "gui/mainwindow.h"

namespace tintavis {

namespace {

constexpr TypedSample kSamples[] = {
    {"Crianza", true, "2", "10", {"0.5", "0.8", "0.6", "0.2"}},
    {"Joven", true, "2", "10", {"0.62", "1.05", "0.78", "0.21"}},
    {"Rosado", true, "10", "10", {"0.35", "0.30", "0.12", "0.05"}},
    {"Clarete", true, "10", "10", {"0.9", "1.1", "0.62", "0.18"}},
    {"Reserva", true, "2", "10", {"0.44", "0.61", "0.47", "0.19"}},
    {"Verdejo", false, "10", "10", {"0.10", "0.04", "0.02", "0.01"}},
    {"Brandy", false, "10", "10", {"0.45", "0.25", "0.15", "0.09"}},
};

void Type(MainWindow& w, const char* field, const QString& text) {
  auto* e = w.findChild<QLineEdit*>(field);
  e->setFocus();
  e->selectAll();
  QTest::keyClicks(e, text);
}

}  // namespace

std::span<const TypedSample> TypedSamples() { return kSamples; }

void CalculateTyped(MainWindow& window, const TypedSample& sample, const QString& name) {
  window.findChild<QRadioButton*>(sample.red ? "RadioButton1" : "RadioButton2")->click();
  Type(window, "NomMuestra", name);
  Type(window, "Espesor", QString::fromLatin1(sample.d));
  Type(window, "referido", QString::fromLatin1(sample.r));
  const char* fields[4] = {"PrimLong", "SegLong", "TercLong", "CuartLong"};
  for (int k = 0; k < 4; ++k) Type(window, fields[k], QString::fromLatin1(sample.a[k]));
  QTest::keyClick(window.findChild<QLineEdit*>("CuartLong"), Qt::Key_Return);
}

}  // namespace tintavis
