// "Guardar" and "Abrir" through the real (Qt) file dialogs, answered as a user would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "io/datafile.h"
#include "tests/support/datafiles.h"
#include "tests/support/programfixture.h"
#include "tests/support/recordingmessenger.h"
#include "gui/program.h"

namespace {

using tintavis::testing::kCrianza;
using tintavis::testing::kHeaderEs;
using tintavis::testing::ReadBytes;
using tintavis::testing::WriteBytes;

namespace fs = std::filesystem;


class FileCommandsTest : public tintavis::testing::ProgramWithFolderTest {
 protected:
  // Runs `command`; the file dialog it opens is handed to `answer` once it is up.
  void WithDialog(const std::function<void()>& command, const std::function<void(QFileDialog*)>& answer) {
    bool answered = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      answered = true;
      answer(dialog);
    });
    command();
    EXPECT_TRUE(answered);
  }
  static void Choose(QFileDialog* dialog, const QString& name) {
    dialog->selectFile(name);
    static_cast<QDialog*>(dialog)->accept();
  }
  void Trigger(const char* action) { window().findChild<QAction*>(action)->trigger(); }

  void TypeRed(const QString& name) {
    const char* fields[] = {"NomMuestra", "Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
    const QString values[] = {name, "2", "10", "0.5", "0.8", "0.6", "0.2"};
    for (int i = 0; i < 7; ++i) window().findChild<QLineEdit*>(fields[i])->setText(values[i]);
    window().Calculate();
  }
  QString Cell(int row, int column) {
    return window().findChild<QTableView*>("Resultados1")->model()->index(row - 1, column).data().toString();
  }
};

TEST_F(FileCommandsTest, ArchivoExcelProposesCoordenadasAndWritesAnXlsFile) {
  TypeRed("Crianza");
  WithDialog([&] { Trigger("ArchivoExcel1"); },
             [&](QFileDialog* d) {
               EXPECT_EQ(d->objectName(), "SaveDialog2");
               EXPECT_EQ(d->defaultSuffix(), "xls");
               EXPECT_EQ(d->nameFilters(), (QStringList{"Archivos Excel (*.xls)", "Archivos Calc (*.ods)"}));
               EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
               EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text(), "Coordenadas");
               Choose(d, Path("datos"));
             });
  EXPECT_EQ(ReadBytes(folder / "datos.xls"), std::string(kHeaderEs) + kCrianza);
  EXPECT_EQ(window().windowTitle(), "TINTAVIS - datos.xls");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(FileCommandsTest, ArchivoCalcUsesTheOdsDialogAndBothWriteTheSameBytes) {
  TypeRed("Crianza");
  WithDialog([&] { Trigger("ArchivoCalc1"); },
             [&](QFileDialog* d) {
               EXPECT_EQ(d->objectName(), "SaveDialog1");
               EXPECT_EQ(d->defaultSuffix(), "ods");
               EXPECT_EQ(d->nameFilters(), (QStringList{"Archivos Calc (*.ods)", "Archivos Excel (*.xls)"}));
               Choose(d, Path("datos"));
             });
  EXPECT_EQ(window().windowTitle(), "TINTAVIS - datos.ods");
  WithDialog([&] { Trigger("Guardar2"); }, [&](QFileDialog* d) {
    EXPECT_EQ(d->objectName(), "SaveDialog2");  // the popup's "Guardar" is "Archivo Excel"
    Choose(d, Path("otro"));
  });
  EXPECT_EQ(ReadBytes(folder / "datos.ods"), ReadBytes(folder / "otro.xls"));
  EXPECT_EQ(window().windowTitle(), "TINTAVIS - otro.xls");
}

TEST_F(FileCommandsTest, EachSaveDialogProposesItsOwnLastName) {
  WithDialog([&] { Trigger("ArchivoExcel1"); }, [&](QFileDialog* d) { Choose(d, Path("primero")); });
  WithDialog([&] { Trigger("ArchivoExcel1"); }, [&](QFileDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text(), "primero.xls");
    EXPECT_EQ(d->directory().absolutePath(), QString::fromStdString(folder.string()));
    d->reject();
  });
  WithDialog([&] { Trigger("ArchivoCalc1"); }, [&](QFileDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text(), "Coordenadas");
    d->reject();
  });
}

TEST_F(FileCommandsTest, LabelsAndQtsOwnTextsFollowTheLanguageAndTheTitleStaysSpanish) {
  struct Seen {
    QStringList labels;  // "Buscar en:", "Nombre:", "Tipo:", the two buttons, the title
    QString column;      // the first column of the file list
  };
  const auto look = [](Seen& seen) {
    return [&seen](QFileDialog* d) {
      auto* buttons = d->findChild<QDialogButtonBox*>("buttonBox");
      ASSERT_NE(buttons, nullptr);
      seen.labels = {d->labelText(QFileDialog::LookIn), d->labelText(QFileDialog::FileName),
                     d->labelText(QFileDialog::FileType), buttons->button(QDialogButtonBox::Save)->text(),
                     buttons->button(QDialogButtonBox::Cancel)->text(), d->windowTitle()};
      auto* list = d->findChild<QTreeView*>("treeView");
      ASSERT_NE(list, nullptr);
      seen.column = list->model()->headerData(0, Qt::Horizontal).toString();
      d->reject();
    };
  };
  Seen spanish, english;
  WithDialog([&] { Trigger("ArchivoExcel1"); }, look(spanish));
  window().SwitchToEnglish();
  QApplication::processEvents();  // the kept dialog takes Qt's new texts
  WithDialog([&] { Trigger("ArchivoExcel1"); }, look(english));
  EXPECT_EQ(spanish.labels, (QStringList{"Buscar en:", "Nombre:", "Tipo:", "Guardar", "Cancelar", "Guardar como"}));
  EXPECT_EQ(english.labels, (QStringList{"Look in:", "File name:", "Files of type:", "Save", "Cancel", "Guardar como"}));
  EXPECT_EQ(spanish.column, "Nombre");
  EXPECT_EQ(english.column, "Name");
}

TEST_F(FileCommandsTest, AnOpenDialogFirstShownInEnglishReadsEnglishLabelsAndKeepsItsTitle) {
  window().SwitchToEnglish();
  WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) {
    EXPECT_EQ(d->labelText(QFileDialog::LookIn), "Look in:");
    EXPECT_EQ(d->labelText(QFileDialog::FileName), "File name:");
    EXPECT_EQ(d->labelText(QFileDialog::Accept), "Open");
    EXPECT_EQ(d->windowTitle(), "Abrir un archivo");
    d->reject();
  });
}

TEST_F(FileCommandsTest, CancellingWritesNothingAndKeepsTheCaption) {
  WriteBytes(folder / "Coordenadas.xls", "old");
  WithDialog([&] { Trigger("ArchivoExcel1"); }, [&](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(ReadBytes(folder / "Coordenadas.xls"), "old");
  EXPECT_EQ(window().windowTitle(), "TINTAVIS");
}

TEST_F(FileCommandsTest, AFailedSaveShowsTheErrorAndKeepsCaptionAndGrid) {
  TypeRed("Crianza");
  WriteBytes(folder / "plain", "x");
  WithDialog([&] { Trigger("ArchivoExcel1"); }, [&](QFileDialog* d) {
    d->selectFile(Path("plain") + "/datos.xls");
    // The dialog itself refuses a folder that does not exist; the command is run with it as a
    // user's typing could still reach it.
    static_cast<QDialog*>(d)->done(QDialog::Accepted);
  });
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Invalid filename.");
  EXPECT_EQ(messages.messages[0].display, tintavis::MessageDisplay::ErrorDisplay);
  EXPECT_EQ(window().windowTitle(), "TINTAVIS");
  EXPECT_EQ(Cell(1, 1), "Crianza ");
}

TEST_F(FileCommandsTest, AbrirFillsTheGridAndSetsNextRowAndCaption) {
  WriteBytes(folder / "tres.xls", std::string(kHeaderEs) + kCrianza + kCrianza + "Otro \t1\t2\t3\t4\t5\t6\t7\t8\t--\t--\r\n");
  TypeRed("Antes");
  window().findChild<QLineEdit*>("NomMuestra")->setText("campo");
  WithDialog([&] { Trigger("Abrir1"); },
             [&](QFileDialog* d) {
               EXPECT_EQ(d->objectName(), "OpenDialog1");
               EXPECT_EQ(d->windowTitle(), "Abrir un archivo");
               EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFiles);
               EXPECT_EQ(d->nameFilters(), (QStringList{"Archivos Excel (*.xls)", "Archivos SunOffice (*.ods)",
                                                        "Todos los archivos (*.*)"}));
               Choose(d, Path("tres.xls"));
             });
  EXPECT_EQ(Cell(1, 1), "Crianza ");
  EXPECT_EQ(Cell(1, 5), "12");
  EXPECT_EQ(Cell(1, 10), "7.4");
  EXPECT_EQ(Cell(3, 10), "  --");
  EXPECT_EQ(window().Session().NextRow(), 4);
  EXPECT_EQ(window().windowTitle(), "TINTAVIS - tres.xls");
  EXPECT_EQ(window().findChild<QLineEdit*>("NomMuestra")->text(), "");
  // An opened row keeps the file's numbers, so selecting it shows it again without a word.
  messages.messages.clear();
  window().RedisplaySelectedRow(3);
  EXPECT_TRUE(messages.messages.empty());
  TypeRed("Nuevo");
  EXPECT_EQ(Cell(4, 1), "Nuevo ");
}

TEST_F(FileCommandsTest, ABadFileLeavesEverythingButSwitchesNumberingOff) {
  WriteBytes(folder / "malo.xls", std::string(kHeaderEs) + kCrianza + "Roto \t1\t2\tabc\t4\t5\t6\t7\t8\t9\t10\r\n");
  TypeRed("Antes");
  program.mainWindow.ShowNumberingDialog();
  program.numbering.findChild<QRadioButton*>("RadioButton1")->click();
  WithDialog([&] { Trigger("Abrir2"); }, [&](QFileDialog* d) { Choose(d, Path("malo.xls")); });
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Invalid numeric input (línea 3, columna 4)");  // the display adds no full stop after ")"
  EXPECT_EQ(Cell(1, 1), "Antes ");
  EXPECT_EQ(window().Session().NextRow(), 2);
  EXPECT_EQ(window().windowTitle(), "TINTAVIS");
  EXPECT_FALSE(program.numbering.NumberingEnabled());
}

TEST_F(FileCommandsTest, CancellingAbrirOnlySwitchesNumberingOff) {
  TypeRed("Antes");
  program.mainWindow.ShowNumberingDialog();
  program.numbering.findChild<QRadioButton*>("RadioButton1")->click();
  WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) { d->reject(); });
  EXPECT_FALSE(program.numbering.NumberingEnabled());
  EXPECT_EQ(Cell(1, 1), "Antes ");
}

TEST_F(FileCommandsTest, OfSeveralChosenFilesOnlyTheFirstIsOpened) {
  WriteBytes(folder / "a.xls", std::string(kHeaderEs) + kCrianza);
  WriteBytes(folder / "b.xls", std::string(kHeaderEs) + "Otro \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n");
  WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) {
    d->setDirectory(QString::fromStdString(folder.string()));
    d->selectFile("\"a.xls\" \"b.xls\"");
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(Cell(1, 1), "Crianza ");
  EXPECT_EQ(window().windowTitle(), "TINTAVIS - a.xls");
}

TEST_F(FileCommandsTest, AFileOfMoreThanFiftySamplesLoadsFiftyAndSaysSo) {
  std::string bytes = kHeaderEs;
  for (int i = 0; i < 52; ++i) bytes += kCrianza;
  WriteBytes(folder / "muchas.xls", bytes);
  WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) { Choose(d, Path("muchas.xls")); });
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Se han abierto 50 de las 52 muestras del archivo. Numero máximo de muestras = 50");
  EXPECT_EQ(window().Session().NextRow(), 50);
  EXPECT_EQ(window().Session().SampleCount(), 50);
  EXPECT_EQ(window().findChild<QTableView*>("Resultados1")->model()->rowCount(), 50);
  EXPECT_EQ(Cell(50, 1), "Crianza ");
  // Saving back over it asks first; No (also Enter and Escape) leaves the file whole.
  EXPECT_FALSE(window().SaveFile(Path("muchas.xls")));
  ASSERT_EQ(messages.questions.size(), 1u);
  EXPECT_EQ(messages.questions[0].text, "El archivo tiene 52 muestras; se guardarán 50. ¿Continuar?");
  EXPECT_EQ(messages.questions[0].answers[static_cast<std::size_t>(messages.questions[0].defaultAnswer)], "No");
  EXPECT_EQ(ReadBytes(folder / "muchas.xls"), bytes);
  // So does saving over it by another name: a hard link is the same file.
  fs::create_hard_link(folder / "muchas.xls", folder / "enlace.xls");
  EXPECT_FALSE(window().SaveFile(Path("enlace.xls")));
  EXPECT_EQ(messages.questions.size(), 2u);
  EXPECT_EQ(ReadBytes(folder / "muchas.xls"), bytes);
  messages.answers = {0};  // Sí
  EXPECT_TRUE(window().SaveFile(Path("muchas.xls")));
  EXPECT_NE(ReadBytes(folder / "muchas.xls"), bytes);
}

TEST_F(FileCommandsTest, AWorkbookIsRefusedAndChangesNothing) {
  WriteBytes(folder / "libro.xlsx", std::string("PK\x03\x04", 4) + "[Content_Types].xml");
  TypeRed("Antes");
  messages.messages.clear();
  const QString caption = window().windowTitle();
  WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) { Choose(d, Path("libro.xlsx")); });
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text,
            "«libro.xlsx» es un libro de hoja de cálculo que no escribió TINTAVIS. Ábralo con la hoja de cálculo; "
            "TINTAVIS abre los archivos de datos que escribe «Guardar» y los libros que escribe «Exportar a Excel».");
  EXPECT_EQ(Cell(1, 1), "Antes ");
  EXPECT_EQ(window().Session().NextRow(), 2);
  EXPECT_EQ(window().windowTitle(), caption);
}

TEST_F(FileCommandsTest, AFileWithoutSamplesSaysSoAndChangesNothing) {
  TypeRed("Antes");
  const QString caption = window().windowTitle();
  for (const std::string& bytes : {std::string(), std::string(kHeaderEs)}) {
    WriteBytes(folder / "vacio.xls", bytes);
    messages.messages.clear();
    WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) { Choose(d, Path("vacio.xls")); });
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "No hay muestras en este archivo.");
    EXPECT_EQ(Cell(1, 1), "Antes ");
    EXPECT_EQ(window().windowTitle(), caption);
  }
}

// The commands that throw the grid away, each with the three answers to the unsaved-work
// question.
struct GuardCase {
  const char* command;
  int answer;  // 0 Guardar, 1 No guardar, 2 Cancelar
  bool goesOn;
};

class UnsavedSamplesGuard : public FileCommandsTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(UnsavedSamplesGuard, AsksBeforeThrowingSamplesAway) {
  const GuardCase& c = GetParam();
  TypeRed("Vino");
  messages.answers = {c.answer};
  const bool opens = std::string(c.command) == "Abrir1";
  auto run = [&] {
    if (std::string(c.command) == "Close") {
      window().close();
    } else {
      Trigger(c.command);
    }
  };
  if (c.answer == 0) {
    // Guardar: the "Archivo Excel" save runs first; cancelling it stops the command.
    WithDialog(run, [&](QFileDialog* d) {
      Choose(d, Path("guardado.xls"));
      if (opens) QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    });
    EXPECT_TRUE(fs::exists(folder / "guardado.xls"));
    EXPECT_FALSE(window().Session().unsavedSamples);
  } else if (opens && c.goesOn) {
    WithDialog(run, [&](QFileDialog* d) { static_cast<QDialog*>(d)->reject(); });
  } else {
    run();
  }
  ASSERT_EQ(messages.questions.size(), 1u);
  EXPECT_EQ(messages.questions[0].text, "Hay muestras sin guardar. ¿Desea guardarlas?");
  EXPECT_EQ(messages.questions[0].answers, (std::vector<std::string>{"Guardar", "No guardar", "Cancelar"}));
  EXPECT_EQ(messages.questions[0].escapeAnswer, 2);
  const bool cleared = Cell(1, 1).isEmpty();
  const bool closed = !window().isVisible();
  if (std::string(c.command) == "Close" || std::string(c.command) == "Salir1") {
    EXPECT_EQ(closed, c.goesOn);
    window().show();
  } else if (!opens) {
    EXPECT_EQ(cleared, c.goesOn);
  }
  if (!c.goesOn) {
    EXPECT_EQ(Cell(1, 1), "Vino ");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UnsavedSamplesGuard,
    ::testing::Values(GuardCase{"Nuevo1", 0, true}, GuardCase{"Nuevo1", 1, true}, GuardCase{"Nuevo1", 2, false},
                      GuardCase{"Borrartodo1", 1, true}, GuardCase{"Borrartodo1", 2, false},
                      GuardCase{"Salir1", 1, true}, GuardCase{"Salir1", 2, false}, GuardCase{"Close", 2, false},
                      GuardCase{"Close", 0, true}, GuardCase{"Abrir1", 1, true}, GuardCase{"Abrir1", 2, false},
                      GuardCase{"AbrirEspectros1", 2, false}));

TEST_F(FileCommandsTest, WithNothingUnsavedNoQuestionIsAsked) {
  Trigger("Nuevo1");
  TypeRed("Vino");
  WithDialog([&] { Trigger("ArchivoExcel1"); }, [&](QFileDialog* d) { Choose(d, Path("vino.xls")); });
  Trigger("Borrartodo1");
  EXPECT_TRUE(messages.questions.empty());
  EXPECT_EQ(Cell(1, 1), "");
}

TEST_F(FileCommandsTest, SaveThenOpenRoundTripsAFullGrid) {
  for (int i = 0; i < 50; ++i) TypeRed(QString("Muestra %1").arg(i));
  messages.messages.clear();
  WithDialog([&] { Trigger("ArchivoExcel1"); }, [&](QFileDialog* d) { Choose(d, Path("lleno.xls")); });
  Trigger("Nuevo1");
  EXPECT_EQ(Cell(1, 1), "");
  WithDialog([&] { Trigger("Abrir1"); }, [&](QFileDialog* d) { Choose(d, Path("lleno.xls")); });
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(Cell(1, 1), "Muestra 0 ");
  EXPECT_EQ(Cell(50, 1), "Muestra 49 ");
  EXPECT_EQ(Cell(50, 2), "3.213");
  EXPECT_EQ(window().Session().NextRow(), 50);
  EXPECT_TRUE(window().Session().LimitReached());
  // The next calculation finds the grid full, as after the fiftieth calculated sample.
  TypeRed("Z");
  EXPECT_EQ(Cell(50, 1), "Muestra 49 ");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text.rfind("Numero máximo de muestras = 50\n", 0), 0u);
}

}  // namespace

namespace {

// Readings typed elsewhere come in as if typed: after the rows there are, numbered and marked
// unsaved, as one change to undo, with the lines left out listed once at the end.
TEST_F(FileCommandsTest, ImportedReadingsAreCalculatedAsTypedAndTheRestListed) {
  TypeRed("Primera");
  WriteBytes(folder / "lecturas.csv",
             "# name;wine;d;r;A450;A520;A570;A630\n"
             "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n"
             "\"Rosado, 2023\";\"Tinto, Rosado\";10;10;0,35;0,30;0,12;0,05\n"
             "Raro;rojo;2;10;0.5;0.8;0.6;0.2\n"
             "Negativo\tred\t-2\t10\t0.5\t0.8\t0.6\t0.2\n");
  messages.messages.clear();
  messages.answers = {1};  // "No guardar" for the sample typed first
  WithDialog([&] { Trigger("ImportarLecturas1"); }, [&](QFileDialog* d) { Choose(d, Path("lecturas.csv")); });
  EXPECT_EQ(messages.questions.size(), 1u);
  EXPECT_EQ(Cell(2, 1), "Crianza ");
  EXPECT_EQ(Cell(3, 1), "Rosado, 2023 ");
  EXPECT_EQ(Cell(2, 2), Cell(1, 2));  // the same reading as the one typed
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string& report = messages.messages[0].text;
  EXPECT_EQ(report.rfind("Líneas no importadas:\nlínea 4: tipo de vino desconocido «rojo»", 0), 0u) << report;
  EXPECT_NE(report.find("\nlínea 5: "), std::string::npos) << report;
  EXPECT_TRUE(window().Session().unsavedSamples);
  window().UndoStack().undo();
  EXPECT_EQ(window().Session().store.SampleCount(), 1);
}

}  // namespace
