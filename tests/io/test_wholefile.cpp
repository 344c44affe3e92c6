// The whole-file reader: it never waits on a pipe or device, refuses what is no regular file
// and what is larger than a file of its kind, and knows a file again under another name.
#include "io/wholefile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "io/datafile.h"
#include "logic/textrules.h"
#include "tests/support/datafiles.h"

namespace {

namespace fs = std::filesystem;
using tintavis::Language;
using tintavis::WholeFile;
using tintavis::WholeFileError;
using tintavis::testing::WriteBytes;

std::string ErrorOf(const tintavis::WholeFileRead& read) {
  const auto* error = std::get_if<WholeFileError>(&read);
  return error != nullptr ? error->message : "(read " + std::to_string(std::get<WholeFile>(read).bytes.size()) + ")";
}

class WholeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_wholefile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  fs::path folder;
};

TEST_F(WholeFileTest, OnlyARegularFileWithinTheLimitIsRead) {
  WriteBytes(folder / "datos.xls", "abc");
  ASSERT_EQ(::mkfifo((folder / "tuberia").c_str(), 0600), 0);  // no writer: a blocking open would wait
  fs::create_directory(folder / "carpeta");
  // Sparse: as large as it says, without the disk space.
  WriteBytes(folder / "grande.xls", "");
  ASSERT_EQ(::truncate((folder / "grande.xls").c_str(), tintavis::kMaxDataFileBytes + 1), 0);
  using Kind = tintavis::WholeFileProblem;
  struct Case {
    std::string path;
    Language language;
    std::string result;
    Kind kind = Kind::System;
  } cases[] = {
      {(folder / "datos.xls").string(), Language::Spanish, "(read 3)"},
      {(folder / "tuberia").string(), Language::Spanish, "No es un archivo normal, sino una tubería o un dispositivo",
       Kind::NotARegularFile},
      {"/dev/zero", Language::English, "Is not a regular file but a pipe or a device", Kind::NotARegularFile},
      {(folder / "carpeta").string(), Language::Spanish, "Es una carpeta, no un archivo", Kind::NotARegularFile},
      {(folder / "carpeta").string(), Language::English, "Is a folder, not a file", Kind::NotARegularFile},
      {(folder / "grande.xls").string(), Language::English,
       "The file is larger than 16 MiB, more than a file of this kind holds", Kind::TooLarge},
      {(folder / "nada.xls").string(), Language::English, "File not found", Kind::System},
  };
  for (const Case& c : cases) {
    const tintavis::WholeFileRead read = tintavis::ReadWholeFile(c.path, tintavis::kMaxDataFileBytes, c.language);
    EXPECT_EQ(ErrorOf(read), c.result) << c.path;
    if (const auto* error = std::get_if<WholeFileError>(&read)) {
      EXPECT_EQ(error->kind, c.kind) << c.path;
    }
  }
  // The data file reader and the spectra reader share it.
  EXPECT_EQ(std::get<tintavis::DataFileError>(tintavis::ReadDataFile((folder / "grande.xls").string(), '.',
                                                                     Language::Spanish))
                .message,
            "El archivo pasa de 16 MiB, más de lo que tiene un archivo de este tipo");
}

TEST_F(WholeFileTest, AStreamIsRefusedAsSoonAsItPassesTheLimit) {
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  ASSERT_EQ(::write(pipe[1], "0123456789", 10), 10);
  ::close(pipe[1]);
  EXPECT_TRUE(std::holds_alternative<WholeFileError>(tintavis::ReadWholeDescriptor(pipe[0], 9, Language::English)));
  ::close(pipe[0]);
}

TEST_F(WholeFileTest, AHardLinkIsTheSameFileAndACopyIsNot) {
  const fs::path file = folder / "muchas.xls";
  WriteBytes(file, "header\nVino \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\n");
  fs::create_hard_link(file, folder / "enlace.xls");
  fs::create_symlink(file, folder / "simbolico.xls");
  WriteBytes(folder / "copia.xls", "x");
  tintavis::FileIdentity opened;
  ASSERT_TRUE(std::holds_alternative<tintavis::DataFileContent>(
      tintavis::ReadDataFile(file.string(), '.', Language::Spanish, &opened)));
  EXPECT_EQ(tintavis::IdentityOfPath((folder / "enlace.xls").string()), opened);
  EXPECT_EQ(tintavis::IdentityOfPath((folder / "simbolico.xls").string()), opened);
  EXPECT_NE(tintavis::IdentityOfPath((folder / "copia.xls").string()), opened);
  EXPECT_EQ(tintavis::IdentityOfPath((folder / "nueva.xls").string()), std::nullopt);
}

TEST(LongNames, AreCutToTheLongestTheGridTakesWholeCharactersAndAll) {
  const std::string header = tintavis::testing::kHeaderEs;
  const std::string values = "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n";
  struct Case {
    std::string name;
    std::string kept;
    bool cut;
  } cases[] = {
      {std::string(1000, 'a'), std::string(1000, 'a'), false},
      {std::string(5000, 'b'), std::string(1000, 'b'), true},
      // ñ takes two bytes: 1000 characters, 2000 bytes.
      {[] { std::string s; for (int i = 0; i < 1001; ++i) s += "\xC3\xB1"; return s; }(),
       [] { std::string s; for (int i = 0; i < 1000; ++i) s += "\xC3\xB1"; return s; }(), true},
  };
  for (const Case& c : cases) {
    std::string file = header;
    file.append(c.name).append(values);
    const auto content = std::get<tintavis::DataFileContent>(tintavis::ParseDataFile(file, '.', Language::Spanish));
    ASSERT_EQ(content.rows.size(), 1u);
    EXPECT_EQ(content.rows[0][0], c.kept);
    EXPECT_EQ(content.namesCut, c.cut);
  }
  EXPECT_EQ(tintavis::NamesCutMessage(Language::English), "Names longer than 1000 characters were cut to 1000.");
}

}  // namespace
