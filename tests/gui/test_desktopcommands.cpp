// The window as the desktop meets it: a file given on the command line, the workbook export,
// and file dialogs that start in the folder last used, also in a later run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "gui/commandline.h"
#include "gui/filedialogs.h"
#include "io/workbook.h"
#include "logic/workbooksheets.h"
#include "tests/support/datafiles.h"
#include "tests/support/programfixture.h"

namespace {

using tintavis::testing::kCrianza;
using tintavis::testing::kHeaderEs;
using tintavis::testing::ReadBytes;
using tintavis::testing::WriteBytes;

class DesktopTest : public tintavis::testing::ProgramWithFolderTest {
 protected:
  void SetUp() override {
    ProgramWithFolderTest::SetUp();
    QSettings(QStringLiteral("TINTAVIS"), QStringLiteral("TINTAVIS")).clear();
    WriteBytes(folder / "datos.xls", std::string(kHeaderEs) + kCrianza + kCrianza);
  }
};

TEST(CommandLine, TakesHelpVersionAndOneFile) {
  const QString program = QStringLiteral("tintavis");
  EXPECT_TRUE(tintavis::ReadCommandLine({program, "--help"}).help);
  EXPECT_TRUE(tintavis::ReadCommandLine({program, "-v"}).version);
  EXPECT_EQ(tintavis::ReadCommandLine({program, "datos.xls"}).file, QDir::current().absoluteFilePath("datos.xls"));
  EXPECT_FALSE(tintavis::ReadCommandLine({program, "a", "b"}).error.isEmpty());
  EXPECT_FALSE(tintavis::ReadCommandLine({program, "--bogus"}).error.isEmpty());
  // Before Qt has taken its own options out, options unknown to the program are Qt's.
  const auto early = tintavis::ReadCommandLine({program, "-style", "fusion", "--version"}, true);
  EXPECT_TRUE(early.error.isEmpty());
  EXPECT_TRUE(early.version);
}

TEST_F(DesktopTest, AFileOnTheCommandLineIsOpenedOnceTheWindowsAreUp) {
  tintavis::OpenOnceShown(window(), Path("datos.xls"));
  EXPECT_EQ(window().Session().SampleCount(), 0) << "nothing before the event loop runs";
  QApplication::processEvents();
  EXPECT_EQ(window().Session().SampleCount(), 2);
  EXPECT_EQ(window().windowTitle(), "TINTAVIS - datos.xls");
}

// The exported workbook opens again with the grid's cells and numbers, also from the command
// line; a workbook whose first sheet is not the samples' is for the spreadsheet program.
TEST_F(DesktopTest, AnExportedWorkbookOpensAgainAndAnotherIsRefused) {
  WriteBytes(folder / "datos.xls", std::string(kHeaderEs) + kCrianza +
                                       "Verdejo \t87.834\t93.06\t85.217\t97.3\t10.1\t93.87\t-0.68\t10.08\t--\t--\r\n");
  ASSERT_TRUE(window().OpenFile(Path("datos.xls")));
  QAbstractItemModel& grid = window().GridItemModel();
  QStringList before;
  for (int row = 0; row < 2; ++row) {
    for (int column = 1; column < 12; ++column) before << grid.index(row, column).data().toString();
  }
  const std::vector<tintavis::StoredSample> samples = window().Session().store.Samples();
  ASSERT_TRUE(window().ExportWorkbookFile(Path("m.xlsx")));
  window().ClearAllSamples();
  tintavis::OpenOnceShown(window(), Path("m.xlsx"));
  QApplication::processEvents();
  ASSERT_EQ(window().Session().SampleCount(), 2) << (messages.messages.empty() ? "" : messages.messages.back().text);
  QStringList after;
  for (int row = 0; row < 2; ++row) {
    for (int column = 1; column < 12; ++column) after << grid.index(row, column).data().toString();
  }
  EXPECT_EQ(after, before);
  EXPECT_EQ(window().Session().store.Sample(1).values, samples[0].values);

  ASSERT_TRUE(tintavis::WriteWorkbook((folder / "otro.xlsx").string(),
                                      {tintavis::MethodSheet(samples, tintavis::Language::Spanish)},
                                      tintavis::Language::Spanish)
                  == std::nullopt);
  messages.messages.clear();
  EXPECT_FALSE(window().OpenFile(Path("otro.xlsx")));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find("«otro.xlsx» es un libro de hoja de cálculo que no escribió TINTAVIS"),
            std::string::npos);
  EXPECT_EQ(window().Session().SampleCount(), 2);
}

TEST_F(DesktopTest, TheDifferenceTableIsASheetWhileItsWindowIsOpen) {
  ASSERT_TRUE(window().OpenFile(Path("datos.xls")));
  EXPECT_EQ(window().WorkbookSheets().size(), 2u);
  program.differences.ShowWindow();
  window().SwitchToEnglish();
  const auto sheets = window().WorkbookSheets();
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].name, "Samples");
  EXPECT_EQ(sheets[2].name, "Colour differences");
  EXPECT_EQ(sheets[2].rows.size(), 4u) << "reference, headings and two samples";
  program.differences.hide();
  EXPECT_EQ(window().WorkbookSheets().size(), 2u);
}

TEST_F(DesktopTest, AFailedExportIsShownAndLeavesTheOldFile) {
  ASSERT_TRUE(window().OpenFile(Path("datos.xls")));
  EXPECT_FALSE(window().ExportWorkbookFile(Path("datos.xls/m.xlsx")));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text.rfind("No se pudo escribir el libro: ", 0), 0u);
  EXPECT_EQ(ReadBytes(folder / "datos.xls"), std::string(kHeaderEs) + kCrianza + kCrianza);
}

TEST_F(DesktopTest, TheExportCommandAsksForAnXlsxFileAndWritesIt) {
  ASSERT_TRUE(window().OpenFile(Path("datos.xls")));
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->defaultSuffix(), "xlsx");
    dialog->selectFile(Path("export"));
    static_cast<QDialog*>(dialog)->accept();
  });
  window().findChild<QAction*>("ExportarExcel1")->trigger();
  EXPECT_TRUE(tintavis::IsWorkbookFile((folder / "export.xlsx").string()));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DesktopTest, DialogsStartInTheFolderLastUsedAlsoInALaterRun) {
  QWidget parent;
  auto* save = tintavis::MakeFileDialog(&parent, "a", tintavis::FileDialogKind::SaveExcel, tintavis::Language::Spanish);
  tintavis::RememberChoice(save, Path("datos.xls"));
  // A dialog of a later run, made after the choice and kept only in the settings.
  auto* open = tintavis::MakeFileDialog(&parent, "b", tintavis::FileDialogKind::Open, tintavis::Language::Spanish);
  EXPECT_EQ(open->directory(), QDir(QString::fromStdString(folder.string())));
  // A folder that has gone is not proposed.
  tintavis::RememberChoice(save, Path("gone/x.xls"));
  auto* later = tintavis::MakeFileDialog(&parent, "c", tintavis::FileDialogKind::Open, tintavis::Language::Spanish);
  EXPECT_NE(later->directory(), QDir(QString::fromStdString((folder / "gone").string())));
}

}  // namespace

namespace {

// The round trip a lab makes: the workbook exported, opened in LibreOffice Calc and saved back
// as tab-separated text, opened again by "Abrir" with the same cells. Skipped where LibreOffice
// is not installed.
TEST_F(DesktopTest, AWorkbookSavedBackByCalcAsTabTextOpensWithTheSameCells) {
  if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "LibreOffice is not installed";
  WriteBytes(folder / "datos.xls", std::string(kHeaderEs) + kCrianza +
                                       "Rosado, añada \t69.426\t66.413\t47.169\t85.2\t26.71\t57.17\t14.48\t22.45\t0.778\t1.436\r\n"
                                       "Verdejo \t87.834\t93.06\t85.217\t97.3\t10.1\t93.87\t-0.68\t10.08\t--\t--\r\n");
  ASSERT_TRUE(window().OpenFile(Path("datos.xls")));
  QAbstractItemModel& grid = window().GridItemModel();
  std::vector<QStringList> before;
  for (int row = 0; row < 3; ++row) {
    QStringList cells;
    for (int column = 1; column < 12; ++column) cells << grid.index(row, column).data().toString();
    before.push_back(cells);
  }
  ASSERT_TRUE(window().ExportWorkbookFile(Path("m.xlsx")));
  // Tab (9) as separator, text in double quotes (34), UTF-8 (76), from line 1; the sheet as
  // Calc shows it in a Spanish desktop, decimal commas included.
  // LibreOffice's profile lives apart from the test's folder: its helper processes may still
  // write there after the conversion has returned.
  const std::string profile = ::testing::TempDir() + "tintavis_libreoffice_profile";
  const std::string command = "cd '" + folder.string() + "' && LC_ALL=es_ES.UTF-8 timeout 120 soffice --headless " +
                              "--norestore -env:UserInstallation=file://" + profile + " " +
                              "--convert-to 'csv:Text - txt - csv (StarCalc):9,34,76,1' --outdir . m.xlsx >/dev/null 2>&1";
  // A first start of LibreOffice may only set its profile up: a second try converts.
  for (int attempt = 0; attempt < 2 && !std::filesystem::exists(folder / "m.csv"); ++attempt) {
    [[maybe_unused]] const int status = std::system(command.c_str());  // the file says whether it worked
  }
  if (!std::filesystem::exists(folder / "m.csv")) GTEST_SKIP() << "LibreOffice could not convert the workbook here";
  ASSERT_TRUE(window().OpenFile(Path("m.csv"))) << messages.messages.back().text;
  for (int row = 0; row < 3; ++row) {
    for (int column = 1; column < 12; ++column) {
      EXPECT_EQ(grid.index(row, column).data().toString(), before[static_cast<std::size_t>(row)][column - 1])
          << "row " << row + 1 << ", column " << column;
    }
  }
}

}  // namespace
