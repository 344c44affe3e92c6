// "Informe del laboratorio" through the main window: its dialog, which remembers what it was
// given, then Qt's print dialog printing to a PDF file, read back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <functional>

#include "gui/differencewindow.h"
#include "tests/support/pdftools.h"
#include "tests/support/programfixture.h"

namespace {

using tintavis::testing::CommandOutput;
using tintavis::testing::PdfText;
using tintavis::testing::Quoted;
using tintavis::testing::ReadPdfInfo;

class LabReportCommandTest : public tintavis::testing::ProgramWithFolderTest {
 protected:
  void SetUp() override {
    ProgramWithFolderTest::SetUp();
    // The settings the dialog keeps go to the test's folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Path("settings"));
    QSettings(QStringLiteral("TINTAVIS"), QStringLiteral("TINTAVIS")).clear();
  }

  void Calculate(const QString& name, bool white = false) {
    const char* fields[] = {"NomMuestra", "Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
    const QString red[] = {name, "2", "10", "0.5", "0.8", "0.6", "0.2"};
    const QString whiteValues[] = {name, "10", "10", "0.1", "0.05", "0.04", "0.03"};
    window().findChild<QRadioButton*>(white ? "RadioButton2" : "RadioButton1")->setChecked(true);
    for (int i = 0; i < 7; ++i) window().findChild<QLineEdit*>(fields[i])->setText(white ? whiteValues[i] : red[i]);
    window().Calculate();
  }

  // Runs the command: `fill` answers its dialog, then (when it accepted) the print dialog
  // prints to `pdf`. Returns the fields the dialog showed when it came up.
  QStringList Run(const std::function<void(QDialog*)>& fill, const QString& pdf) {
    QStringList shown;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || dialog->objectName() != "FormInforme") return;
      for (const char* name : {"Laboratorio", "Operador", "Instrumento", "Nota"}) {
        shown << dialog->findChild<QLineEdit*>(name)->text();
      }
      QTimer::singleShot(0, [&] {
        auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (print == nullptr) return;
        auto* printers = print->findChild<QComboBox*>("printers");
        printers->setCurrentIndex(printers->count() - 1);
        print->findChild<QLineEdit*>("filename")->setText(pdf);
        print->accept();
      });
      fill(dialog);
    });
    window().findChild<QAction*>("Informelaboratorio1")->trigger();
    QApplication::processEvents();
    return shown;
  }
};

TEST_F(LabReportCommandTest, TheItemSpeaksBothLanguages) {
  auto* item = window().findChild<QAction*>("Informelaboratorio1");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "In&forme del laboratorio…");
  window().SwitchToEnglish();
  EXPECT_EQ(item->text(), "&Laboratory report…");  // its access key kept
}

TEST_F(LabReportCommandTest, TheReportIsPrintedWithTheDetailsWhichAreRememberedForNextTime) {
  ASSERT_TRUE(tintavis::testing::PopplerToolsPresent());
  Calculate("Crianza");
  Calculate("Verdejo", true);
  // The colour difference window shows, with the second sample as its reference.
  program.differences.show();
  program.differences.Model().SetReferenceRow(2);
  const QString pdf = Path("informe.pdf");
  const QStringList first = Run(
      [](QDialog* d) {
        d->findChild<QLineEdit*>("Laboratorio")->setText("Enolab");
        d->findChild<QLineEdit*>("Operador")->setText("Ana");
        d->findChild<QLineEdit*>("Instrumento")->setText("UV-1800");
        d->accept();
      },
      pdf);
  EXPECT_EQ(first, (QStringList{"", "", "", ""}));
  const auto info = ReadPdfInfo(pdf.toStdString());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->pages, 2);
  EXPECT_LT(info->width, info->height);
  const std::string text = PdfText(pdf.toStdString());
  for (const char* expected : {"Laboratorio: Enolab", "Operador: Ana", "Instrumento: UV-1800", "Crianza", "Verdejo",
                               "Referencia de ΔE00: Verdejo", "Realizado por:"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_NE(CommandOutput("pdfinfo -meta " + Quoted(pdf.toStdString())).find("pdfaid:part"), std::string::npos);

  // The next time the dialog offers the same details; cancelling it prints nothing.
  std::filesystem::remove(pdf.toStdString());
  const QStringList second = Run([](QDialog* d) { d->reject(); }, pdf);
  EXPECT_EQ(second, (QStringList{"Enolab", "Ana", "UV-1800", ""}));
  EXPECT_FALSE(std::filesystem::exists(pdf.toStdString()));
  EXPECT_TRUE(messages.messages.empty());

  // A tolerance in the difference window adds the page of the check, with its verdicts.
  program.differences.findChild<QLineEdit*>("Tolerance")->setText("2");
  Run([](QDialog* d) { d->accept(); }, pdf);
  const auto checked = ReadPdfInfo(pdf.toStdString());
  ASSERT_TRUE(checked);
  EXPECT_EQ(checked->pages, 3);
  const std::string checkText = PdfText(pdf.toStdString());
  for (const char* expected : {"Incertidumbre de medida y conformidad", "Muestra de referencia: Verdejo", "No conforme",
                               "Resultado: 1 de 2 conformes"}) {
    EXPECT_NE(checkText.find(expected), std::string::npos) << expected << "\n" << checkText;
  }
}

}  // namespace
