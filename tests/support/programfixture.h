// The whole program on the offscreen platform, with its message boxes recorded and a folder of
// its own for the files a test writes: the fixture of the tests that drive the file commands.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <string>

#include "gui/program.h"
#include "tests/support/recordingmessenger.h"

namespace tintavis::testing {

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

  RecordingMessenger messages;
  Program program;
  std::filesystem::path folder;
};

}  // namespace tintavis::testing
