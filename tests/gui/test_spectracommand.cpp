// "Abrir espectros" through the real file dialog and spectra dialog, answered from the keyboard
// as a user would, and compared with tintavis-calc --spectra on the same file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "gui/program.h"
#include "tests/support/datafiles.h"
#include "tests/support/programfixture.h"
#include "tests/support/recordingmessenger.h"
#include "tests/support/spectrafiles.h"

namespace {

namespace fs = std::filesystem;
using tintavis::testing::kReferenceRedKnots;
using tintavis::testing::SpectraFileText;

// The fields of one line of the batch tool's output, without its CR LF.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// tintavis-calc run on `args`: its data lines after the header, split into fields.
std::vector<std::vector<std::string>> BatchLines(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_LE(tintavis::batch::Run(args, stdin, out, err), 1);
  std::fclose(err);
  std::rewind(out);
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0) text.append(buffer, n);
  std::fclose(out);
  std::vector<std::vector<std::string>> lines;
  for (std::size_t start = text.find("\r\n") + 2; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(Fields(text.substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

class SpectraCommandTest : public tintavis::testing::ProgramWithFolderTest {
 protected:
  // Runs `then` once the modal window named `name` is up (the one before may still be closing).
  static void WhenModal(const QString& name, const std::function<void(QDialog*)>& then, int tries = 50) {
    QTimer::singleShot(0, [=] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal != nullptr && modal->objectName() == name) {
        then(modal);
      } else if (tries > 0) {
        WhenModal(name, then, tries - 1);
      } else {
        ADD_FAILURE() << "no " << name.toStdString();
        if (modal != nullptr) modal->reject();
      }
    });
  }

  // "Abrir espectros": the file `name` chosen, then `answer` given to the spectra dialog.
  void OpenSpectra(const char* name, const std::function<void(QDialog*)>& answer) {
    bool answered = false;
    WhenModal("OpenDialog2", [&](QDialog* files) {
      EXPECT_EQ(files->windowTitle(), "Abrir espectros");
      WhenModal("FormEspectros", [&](QDialog* choices) {
        answered = true;
        answer(choices);
      });
      static_cast<QFileDialog*>(files)->selectFile(Path(name));
      files->accept();
    });
    window().findChild<QAction*>("AbrirEspectros1")->trigger();
    EXPECT_TRUE(answered);
  }

  // Types `text` over the dialog field `field`, as a user who tabbed into it.
  static void TypeOver(QDialog* dialog, const char* field, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  QString Cell(int row, int column) {
    return window().findChild<QTableView*>("Resultados1")->model()->index(row - 1, column).data().toString();
  }
  void Write(const char* name, const std::string& text) { tintavis::testing::WriteBytes(folder / name, text); }
};

TEST_F(SpectraCommandTest, GivesTheGridTheBatchToolsNumbersAndSaysHowFarTheEstimateIs) {
  Write("espectros.tsv", SpectraFileText({{"Tinto", kReferenceRedKnots},
                                          {"Oscuro", tintavis::testing::Scaled(kReferenceRedKnots, 5)},
                                          {"Claro", tintavis::testing::Scaled(kReferenceRedKnots, 0.2)}}));
  const QImage emptyChart = window().Charts().AbChart();
  OpenSpectra("espectros.tsv", [](QDialog* d) {
    TypeOver(d, "EspesorMedida", "2");
    QTest::keyClick(d->findChild<QLineEdit*>("EspesorMedida"), Qt::Key_Return);
  });

  const auto batch = BatchLines({"--spectra", Path("espectros.tsv").toStdString(), "--path", "2"});
  ASSERT_EQ(batch.size(), 3u);
  for (int row = 1; row <= 3; ++row) {
    const auto& line = batch[static_cast<std::size_t>(row - 1)];
    for (int column = 1; column <= 11; ++column) {
      EXPECT_EQ(Cell(row, column).toStdString(), line[static_cast<std::size_t>(column - 1)]) << row << "," << column;
    }
  }
  EXPECT_EQ(Cell(1, 5), "9.4");  // L* of the red wine's whole spectrum, not its estimate's 12.0
  // The box's figures are those of the batch tool's last column.
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string summary = messages.messages[0].text;
  EXPECT_EQ(batch[1][11], "  --");
  const bool tintoLargest = std::stod(batch[0][11]) >= std::stod(batch[2][11]);
  const std::string largest = tintoLargest ? batch[0][11] + " (Tinto)" : batch[2][11] + " (Claro)";
  EXPECT_NE(summary.find("en 2 espectros: máximo " + largest), std::string::npos) << summary;
  EXPECT_NE(summary.find("\nSin estimación con cuatro longitudes de onda: Oscuro."), std::string::npos) << summary;

  EXPECT_EQ(window().windowTitle(), "TINTAVIS - espectros.tsv");
  EXPECT_EQ(window().Session().NextRow(), 4);
  EXPECT_TRUE(window().Session().unsavedSamples);
  EXPECT_NE(window().Charts().AbChart(), emptyChart);  // plotted as calculated samples are
  // The next "Abrir espectros" keeps the choices and asks before the unsaved rows go.
  OpenSpectra("espectros.tsv", [](QDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>("EspesorMedida")->text(), "2");
    QTest::keyClick(d->findChild<QLineEdit*>("EspesorResultado"), Qt::Key_Escape);
  });
  ASSERT_EQ(messages.questions.size(), 1u);
  EXPECT_EQ(messages.questions[0].text, "Hay muestras sin guardar. ¿Desea guardarlas?");
  EXPECT_EQ(messages.messages.size(), 1u);  // Escape: nothing read, no new summary
  EXPECT_TRUE(window().Session().unsavedSamples);
}

TEST_F(SpectraCommandTest, TheDialogWorksFromTheKeyboardAndRefusesAPathOfNoCell) {
  Write("uno.tsv", SpectraFileText({{"Blanco joven", tintavis::testing::Scaled(kReferenceRedKnots, 0.05)}}, true));
  window().findChild<QAction*>("English1")->trigger();
  EXPECT_EQ(window().findChild<QAction*>("AbrirEspectros1")->text(), "Open &spectra…");
  OpenSpectra("uno.tsv", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Open spectra");
    // Keys reach the dialog once the application has made it the active window.
    ASSERT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
    // Tab order: the wine type, both path lengths, the kind of values, the buttons; the arrows
    // choose within a box.
    d->findChild<QRadioButton*>("Tinto")->setFocus();
    QTest::keyClick(d->focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(d->findChild<QRadioButton*>("Blanco")->isChecked());
    QStringList order;
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
      order << d->focusWidget()->objectName();
    }
    EXPECT_EQ(order.join(",").toStdString(), "EspesorMedida,EspesorResultado,Absorbancia,");
    EXPECT_EQ(qobject_cast<QPushButton*>(d->focusWidget())->text(), "OK");
    d->findChild<QRadioButton*>("Absorbancia")->setFocus();
    QTest::keyClick(d->focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(d->findChild<QRadioButton*>("Transmitancia")->isChecked());
    TypeOver(d, "EspesorResultado", "0");
    QTest::keyClick(d->findChild<QLineEdit*>("EspesorResultado"), Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());  // refused, and the field is there to be typed again
    EXPECT_EQ(d->focusWidget(), d->findChild<QLineEdit*>("EspesorResultado"));
    TypeOver(d, "EspesorResultado", "10");
    QTest::keyClick(d->findChild<QLineEdit*>("EspesorResultado"), Qt::Key_Return);
  });
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].text, "The pathlength must be 1 mm or more.");
  EXPECT_EQ(messages.messages[0].display, tintavis::MessageDisplay::ErrorDisplay);
  EXPECT_EQ(messages.messages[1].text.rfind("ΔE00 of the four-wavelength estimate against the full spectrum, over 1 "
                                            "spectrum: ", 0),
            0u)
      << messages.messages[1].text;
  // Read as transmittances, in a 10 mm cell, for a white wine.
  const auto batch = BatchLines(
      {"--spectra", Path("uno.tsv").toStdString(), "--transmittance", "--wine", "white", "--lang", "en"});
  ASSERT_EQ(batch.size(), 1u);
  EXPECT_EQ(Cell(1, 2).toStdString(), batch[0][1]);
  EXPECT_EQ(Cell(1, 10), "  --");
}

// A file in percent whose values are all below 1 (a dark wine) is read in percent when the
// dialog says so, from the keyboard, as tintavis-calc --transmittance-percent reads it.
TEST_F(SpectraCommandTest, ThePercentChoiceReadsTransmittancesInPercent) {
  Write("oscuro.tsv", SpectraFileText({{"Oscuro", kReferenceRedKnots}}, true));
  OpenSpectra("oscuro.tsv", [](QDialog* d) {
    ASSERT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
    QTest::keyClick(d, Qt::Key_P, Qt::AltModifier);
    // A button's access key clicks it after a short animation.
    auto* percent = d->findChild<QRadioButton*>("TransmitanciaPorcentaje");
    EXPECT_TRUE(QTest::qWaitFor([percent] { return percent->isChecked(); }));
    QTest::keyClick(d->findChild<QLineEdit*>("EspesorMedida"), Qt::Key_Return);
  });
  const auto batch = BatchLines({"--spectra", Path("oscuro.tsv").toStdString(), "--transmittance-percent"});
  ASSERT_EQ(batch.size(), 1u);
  for (int column = 2; column <= 9; ++column) {
    EXPECT_EQ(Cell(1, column).toStdString(), batch[0][static_cast<std::size_t>(column - 1)]) << column;
  }
  EXPECT_NE(Cell(1, 5), QString::fromStdString(BatchLines({"--spectra", Path("oscuro.tsv").toStdString(), "--transmittance"})[0][4]));
}

TEST_F(SpectraCommandTest, AFaultyFileSaysWhereAndLeavesTheGridAsItWas) {
  std::string text = SpectraFileText({{"Tinto", kReferenceRedKnots}});
  text.replace(text.find("\n400\t") + 5, 8, "x");
  Write("malo.tsv", text);
  OpenSpectra("malo.tsv", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Línea 6, columna 2: 'x' no es un número.");
  EXPECT_EQ(messages.messages[0].display, tintavis::MessageDisplay::ErrorDisplay);
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(window().windowTitle(), "TINTAVIS");
  EXPECT_FALSE(window().Session().unsavedSamples);
}

}  // namespace
