#include "io/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/datafiles.h"

namespace {

namespace fs = std::filesystem;
using tintavis::testing::ReadBytes;
using tintavis::testing::WriteBytes;

class Workbook : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_workbook_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  static std::vector<tintavis::Sheet> OneSheet() {
    tintavis::Sheet sheet{"Muestras", {{tintavis::SheetCell::Heading("X")}, {tintavis::SheetCell::Of(3.2128, "0.000")}}, {}};
    return {sheet};
  }
  fs::path folder;
};

TEST_F(Workbook, IsWrittenAsAZipContainerThatOpenRecognisesAsAWorkbook) {
  const std::string path = (folder / "m.xlsx").string();
  EXPECT_EQ(tintavis::WriteWorkbook(path, OneSheet(), tintavis::Language::English), std::nullopt);
  EXPECT_TRUE(tintavis::IsWorkbookFile(path));
  WriteBytes((folder / "d.xls").string(), "   Muestra\t     X\r\n");
  EXPECT_FALSE(tintavis::IsWorkbookFile((folder / "d.xls").string()));
  EXPECT_FALSE(tintavis::IsWorkbookFile((folder / "none.xlsx").string()));
}

TEST_F(Workbook, AFailureIsReportedAndLeavesTheOldFileAsItWas) {
  const std::string old = (folder / "old.xlsx").string();
  WriteBytes(old, "previous");
  // A path through a regular file, which root cannot write either.
  EXPECT_TRUE(tintavis::WriteWorkbook(old + "/new.xlsx", OneSheet(), tintavis::Language::English).has_value());
  // Two sheets of one name: the library refuses the workbook before the file is touched.
  auto sheets = OneSheet();
  sheets.push_back(sheets.front());
  EXPECT_TRUE(tintavis::WriteWorkbook(old, sheets, tintavis::Language::English).has_value());
  EXPECT_EQ(ReadBytes(old), "previous");
}

}  // namespace
