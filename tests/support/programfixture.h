// The whole program on the offscreen platform, with its message boxes recorded and a folder of
// its own for the files a test writes: the fixture of the tests that drive the file commands.
#pragma once

#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <filesystem>
#include <string>

#include "gui/program.h"
#include "tests/support/recordingmessenger.h"

namespace tintavis::testing {

// The program's remembered settings emptied before the program reads them, so that no test
// starts from what an earlier one left.
struct ForgottenSettings {
  ForgottenSettings() { QSettings(QStringLiteral("TINTAVIS"), QStringLiteral("TINTAVIS")).clear(); }
};

class ProgramWithFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(::testing::TempDir()) /
             ("tintavis_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    window().SetDecimalSeparator('.');
    window().show();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  MainWindow& window() { return program.mainWindow; }
  QString Path(const char* name) const { return QString::fromStdString((folder / name).string()); }

  ForgottenSettings forgotten;
  RecordingMessenger messages;
  Program program;
  std::filesystem::path folder;
};

}  // namespace tintavis::testing
