// "Imprimir" through the main window and Qt's print dialog, answered as a user would: printing
// to a PDF file, cancelling, choosing landscape; and the report page read back from the PDF.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "gui/mainwindow.h"
#include "tests/support/pdftools.h"
#include "tests/support/recordingmessenger.h"

namespace {

namespace fs = std::filesystem;
using tintavis::MainWindow;
using tintavis::MessageDisplay;
using tintavis::testing::PdfText;
using tintavis::testing::PdfWords;
using tintavis::testing::PopplerToolsPresent;
using tintavis::testing::ReadPdfInfo;

class PrintCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_print_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    window.SetDecimalSeparator('.');
    window.show();
  }
  void TearDown() override { fs::remove_all(folder); }

  void Calculate(const QString& name, bool white = false) {
    const char* fields[] = {"NomMuestra", "Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
    const QString red[] = {name, "2", "10", "0.5", "0.8", "0.6", "0.2"};
    const QString whiteValues[] = {name, "10", "10", "0.1", "0.05", "0.04", "0.03"};
    window.findChild<QRadioButton*>(white ? "RadioButton2" : "RadioButton1")->setChecked(true);
    for (int i = 0; i < 7; ++i) window.findChild<QLineEdit*>(fields[i])->setText(white ? whiteValues[i] : red[i]);
    window.Calculate();
  }

  // Runs `command`; the print dialog it opens is handed to `answer` once it is up. Returns
  // whether a dialog came up.
  bool WithPrintDialog(const std::function<void()>& command, const std::function<void(QPrintDialog*)>& answer) {
    bool answered = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      answered = true;
      answer(dialog);
    });
    command();
    QApplication::processEvents();  // the timer fires even when no dialog held the command
    return answered;
  }

  // The user picks "Imprimir a archivo (PDF)" and types the file's name.
  static void ChoosePdfFile(QPrintDialog* dialog, const std::string& path) {
    auto* printers = dialog->findChild<QComboBox*>("printers");
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->count() - 1);
    ASSERT_EQ(printers->currentText(), "Imprimir a archivo (PDF)");
    dialog->findChild<QLineEdit*>("filename")->setText(QString::fromStdString(path));
  }

  std::string Pdf(const char* name) const { return (folder / name).string(); }

  // The words of the page in the order pdftotext finds them (top to bottom).
  static std::vector<std::string> Words(const std::string& pdf) {
    std::vector<std::string> words;
    for (const auto& w : PdfWords(pdf)) words.push_back(w.text);
    return words;
  }
  static bool Has(const std::vector<std::string>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
  }

  tintavis::testing::RecordingMessenger messages;
  MainWindow window;
  fs::path folder;
};

TEST_F(PrintCommandTest, MenuItemAndPopupItemBothOpenPrintDialog1) {
  auto* imprimir1 = window.findChild<QAction*>("Imprimir1");
  ASSERT_NE(imprimir1, nullptr);
  EXPECT_EQ(imprimir1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
  QString seen;
  EXPECT_TRUE(WithPrintDialog([&] { imprimir1->trigger(); }, [&](QPrintDialog* d) {
    seen = d->objectName();
    d->reject();
  }));
  EXPECT_EQ(seen, "PrintDialog1");
  seen.clear();
  EXPECT_TRUE(WithPrintDialog([&] { window.findChild<QAction*>("Imprimir2")->trigger(); }, [&](QPrintDialog* d) {
    seen = d->objectName();
    d->reject();
  }));
  EXPECT_EQ(seen, "PrintDialog1");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PrintCommandTest, DialogOffersPageAndSelectionRangesWithPageRangeSelectedAndCollation) {
  window.setWindowTitle("TINTAVIS - datos.xls");
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
    EXPECT_TRUE(d->testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_TRUE(d->testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_TRUE(d->testOption(QAbstractPrintDialog::PrintCollateCopies));
    EXPECT_EQ(d->printRange(), QAbstractPrintDialog::PageRange);
    EXPECT_TRUE(d->findChild<QRadioButton*>("printRange")->isChecked());
    EXPECT_TRUE(d->findChild<QRadioButton*>("printSelection")->isEnabled());
    EXPECT_TRUE(d->printer()->collateCopies());
    EXPECT_TRUE(d->findChild<QCheckBox*>("collate")->isChecked());
    // The job carries the main window's caption.
    EXPECT_EQ(d->printer()->docName(), "TINTAVIS - datos.xls");
    d->reject();
  }));
}

TEST_F(PrintCommandTest, AcceptingPrintsOnePortraitPageWithTheSamples) {
  ASSERT_TRUE(PopplerToolsPresent());
  Calculate("Crianza");
  Calculate("Verdejo", true);
  const std::string pdf = Pdf("report.pdf");
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
    ChoosePdfFile(d, pdf);
    d->accept();
  }));
  ASSERT_TRUE(fs::exists(pdf));
  const auto info = ReadPdfInfo(pdf);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->pages, 1);
  EXPECT_LT(info->width, info->height);
  const std::string text = PdfText(pdf);
  for (const char* expected : {"TINTAVIS", "Coordenadas con iluminante D65 y observador 10º", "Muestra", "Crianza",
                               "3.213", "0.533", "Verdejo", "84.560", "--", "IC", "dA(%)"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PrintCommandTest, TheDialogSpeaksTheLanguageOfTheProgram) {
  struct Seen {
    QString pdfEntry, print, cancel;
  };
  const auto look = [](Seen& seen) {
    return [&seen](QPrintDialog* d) {
      auto* printers = d->findChild<QComboBox*>("printers");
      ASSERT_NE(printers, nullptr);
      seen.pdfEntry = printers->itemText(printers->count() - 1);
      auto* buttons = d->findChild<QDialogButtonBox*>();
      seen.print = buttons->button(QDialogButtonBox::Ok)->text();
      seen.cancel = buttons->button(QDialogButtonBox::Cancel)->text();
      d->reject();
    };
  };
  Seen spanish, english, spanishAgain;
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, look(spanish)));
  window.SwitchToEnglish();
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, look(english)));
  window.SwitchToSpanish();
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, look(spanishAgain)));
  EXPECT_EQ(spanish.pdfEntry, "Imprimir a archivo (PDF)");
  EXPECT_EQ(spanish.print, "Im&primir");
  EXPECT_EQ(spanish.cancel, "Cancelar");
  EXPECT_EQ(english.pdfEntry, "Print to File (PDF)");
  EXPECT_EQ(english.print, "&Print");
  EXPECT_EQ(english.cancel, "Cancel");
  EXPECT_EQ(spanishAgain.pdfEntry, spanish.pdfEntry);
}

TEST_F(PrintCommandTest, ThePdfProposedIsInTheDocumentsFolderNamedAfterTheCaption) {
  // The user's home in the test's folder, for this test only.
  struct Variable {
    explicit Variable(const char* n) : name(n), set(qEnvironmentVariableIsSet(n)), value(qgetenv(n)) {}
    ~Variable() { set ? qputenv(name, value) : qunsetenv(name); }
    const char* name;
    bool set;
    QByteArray value;
  } home("HOME"), config("XDG_CONFIG_HOME");
  qputenv("HOME", QFile::encodeName(QString::fromStdString(folder.string())));
  qunsetenv("XDG_CONFIG_HOME");  // no user-dirs.dirs: the documents folder is ~/Documents
  fs::create_directories(folder / "Documents");
  fs::create_directories(folder / "informes");
  const auto proposed = [&] {
    QString file;
    EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
      file = d->findChild<QLineEdit*>("filename")->text();
      d->reject();
    }));
    return file.toStdString();
  };
  EXPECT_EQ(proposed(), (folder / "Documents" / "TINTAVIS.pdf").string());
  window.setWindowTitle("TINTAVIS - datos.xls");
  EXPECT_EQ(proposed(), (folder / "Documents" / "datos.pdf").string());
  // Once a file was printed, its folder is proposed with the caption's name.
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
    ChoosePdfFile(d, (folder / "informes" / "julio.pdf").string());
    d->accept();
  }));
  window.setWindowTitle("TINTAVIS - agosto.ods");
  EXPECT_EQ(proposed(), (folder / "informes" / "agosto.pdf").string());
}

TEST_F(PrintCommandTest, CancellingPrintsNothing) {
  Calculate("Crianza");
  const std::string pdf = Pdf("cancelled.pdf");
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
    ChoosePdfFile(d, pdf);
    d->reject();
  }));
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PrintCommandTest, LandscapeChosenInTheDialogStillGivesAPortraitPage) {
  ASSERT_TRUE(PopplerToolsPresent());
  Calculate("Crianza");
  const std::string pdf = Pdf("landscape.pdf");
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
    ChoosePdfFile(d, pdf);
    d->printer()->setPageOrientation(QPageLayout::Landscape);
    d->accept();
    // The dialog hands the landscape choice on to the printer; the command overrides it.
    EXPECT_EQ(d->printer()->pageLayout().orientation(), QPageLayout::Landscape);
  }));
  const auto info = ReadPdfInfo(pdf);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->pages, 1);
  EXPECT_LT(info->width, info->height);
}

TEST_F(PrintCommandTest, WithoutAnyDestinationTheCommandStopsBeforeTheDialog) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has printers";
  // The dialog is created by the first showing and kept.
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) { d->reject(); }));
  // Without its PDF output, and with no printer, the dialog would have nowhere to print.
  window.findChild<QPrintDialog*>("PrintDialog1")->setOption(QAbstractPrintDialog::PrintToFile, false);
  EXPECT_FALSE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) { d->reject(); }));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].display, MessageDisplay::ErrorDisplay);
  EXPECT_EQ(messages.messages[0].text, "There is no default printer currently selected.");
}

// The page the command sends after the dialog, on a PDF printer set up directly.
class PrintedPageTest : public PrintCommandTest {
 protected:
  std::string PrintToPdf(const char* name, QPageLayout::Orientation orientation = QPageLayout::Portrait) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    std::string pdf = Pdf(name);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageOrientation(orientation);
    EXPECT_EQ(window.PrintReportOn(printer), std::nullopt);
    return pdf;
  }
};

TEST_F(PrintedPageTest, SpanishPageCarriesCaptionTitleHeadingsAndRows) {
  ASSERT_TRUE(PopplerToolsPresent());
  Calculate("Crianza");
  Calculate("Rosado");
  const std::string pdf = PrintToPdf("es.pdf", QPageLayout::Landscape);
  const auto info = ReadPdfInfo(pdf);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->pages, 1);
  EXPECT_LT(info->width, info->height);
  const std::string text = PdfText(pdf);
  for (const char* expected : {"Coordenadas con iluminante D65 y observador 10º", "nº", "Muestra", "L*", "Int", "Ton",
                               "Crianza", "Rosado", "43.99", "41.24", "7.400"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  // The page starts with the window caption; the date follows in parentheses.
  const auto words = Words(pdf);
  ASSERT_GE(words.size(), 2u);
  EXPECT_EQ(words[0], "TINTAVIS");
  EXPECT_EQ(words[1].front(), '(');
  EXPECT_EQ(text.find("Sample"), std::string::npos);
}

TEST_F(PrintedPageTest, EnglishPageChangesTitleAndNameHeadingOnly) {
  ASSERT_TRUE(PopplerToolsPresent());
  Calculate("Crianza");
  window.SwitchToEnglish();
  const std::string text = PdfText(PrintToPdf("en.pdf"));
  for (const char* expected : {"Coordinates by D65 illuminant and 10º observer", "Sample", "nº", "Int", "Ton"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_EQ(text.find("Muestra"), std::string::npos);
  EXPECT_EQ(text.find("Coordenadas"), std::string::npos);
}

TEST_F(PrintedPageTest, RowsOpenedFromAFilePrintTheirNumberTextsUnderTheFilesCaption) {
  ASSERT_TRUE(PopplerToolsPresent());
  const fs::path data = folder / "datos.xls";
  {
    std::ofstream out(data, std::ios::binary);
    out << "   Muestra\t     X\t     Y\t     Z\t    L*\t    C*\t    h*\t    a*\t    b*\t   Int.\t  Ton.\r\n"
        << "Crianza \t3.213\t1.403\t0.368\t12.0\t43.99\t20.37\t41.24\t15.31\t7.400\t0.533\r\n";
  }
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString(data.string()));
    static_cast<QDialog*>(dialog)->accept();
  });
  window.Open();
  ASSERT_EQ(window.windowTitle(), "TINTAVIS - datos.xls");
  const auto words = Words(PrintToPdf("opened.pdf"));
  ASSERT_GE(words.size(), 4u);
  EXPECT_EQ(words[0], "TINTAVIS");
  EXPECT_EQ(words[1], "-");
  EXPECT_EQ(words[2], "datos.xls");
  EXPECT_EQ(words[3].front(), '(');
  // The open command wrote 12.0 as 12 and 7.400 as 7.4; those are the texts printed.
  EXPECT_TRUE(Has(words, "12"));
  EXPECT_TRUE(Has(words, "7.4"));
  EXPECT_TRUE(Has(words, "3.213"));
  EXPECT_FALSE(Has(words, "12.0"));
  EXPECT_FALSE(Has(words, "7.400"));
}

TEST_F(PrintedPageTest, APdfFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
  ASSERT_EQ(::mkfifo((folder / "pipe.pdf").c_str(), 0600), 0);  // writing it would wait for a reader
  fs::create_directory(folder / "folder.pdf");
  const std::string old = "%PDF-1.4 the old report";
  std::ofstream(folder / "old.pdf", std::ios::binary) << old;
  struct Case {
    const char* name;
    long sizeLimit;  // a file-size limit while printing, 0 for none
    const char* said;
  } cases[] = {
      {"missing/report.pdf", 0, "La carpeta no existe"},
      {"pipe.pdf", 0, "No es un archivo normal, sino una tubería o un dispositivo"},
      {"folder.pdf", 0, "Es una carpeta, no un archivo"},
      {"old.pdf", 2000, "Disk full"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / c.name).string()));
    struct rlimit before {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = before;
    if (c.sizeLimit > 0) limited.rlim_cur = static_cast<rlim_t>(c.sizeLimit);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto problem = window.PrintReportOn(printer);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(problem, c.said);
  }
  EXPECT_FALSE(fs::exists(folder / "missing"));
  EXPECT_TRUE(fs::is_fifo(folder / "pipe.pdf"));
  std::ifstream in(folder / "old.pdf", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), old);
  // "Imprimir" shows what went wrong.
  EXPECT_TRUE(WithPrintDialog([&] { window.Print(); }, [&](QPrintDialog* d) {
    ChoosePdfFile(d, (folder / "pipe.pdf").string());
    d->accept();
  }));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].display, MessageDisplay::ErrorDisplay);
  EXPECT_EQ(messages.messages[0].text, "No es un archivo normal, sino una tubería o un dispositivo.");
}

}  // namespace
