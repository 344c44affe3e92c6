// Saving over an existing file: links, mode, owner and write permission of the file replaced.
// Cases that need an ordinary user run the save in a child process that has become nobody.
#include "io/safesave.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>

#include "io/datafile.h"
#include "tests/support/datafiles.h"

namespace {

namespace fs = std::filesystem;
using tintavis::ResultsGrid;
using tintavis::testing::kHeaderEs;
using tintavis::testing::ReadBytes;
using tintavis::testing::WriteBytes;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
constexpr const char* kOld = "previous content";
constexpr const char* kSaved = "(saved)";

// An empty grid saves as the header line alone.
std::string Save(const fs::path& path) {
  return tintavis::WriteDataFile(ResultsGrid(), 0, path.string(), tintavis::Language::English).value_or(kSaved);
}

// Saves as user nobody, in a child process; the result of Save.
std::string SaveAsNobody(const fs::path& path) {
  int out[2];
  if (::pipe(out) != 0) return "(no pipe)";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(out[0]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    const std::string result = Save(path);
    const bool written = ::write(out[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
    ::_exit(written ? 0 : 3);
  }
  ::close(out[1]);
  std::string result;
  char buf[256];
  for (ssize_t n = 0; (n = ::read(out[0], buf, sizeof buf)) > 0;) result.append(buf, static_cast<std::size_t>(n));
  ::close(out[0]);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return "(child failed)";
  }
  return result;
}

struct stat StatOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

class SafeSave : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_safesave_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    ::chmod(folder.c_str(), 0755);
  }
  void TearDown() override { fs::remove_all(folder); }
  // Every entry under the folder, relative to it: a temporary file left behind shows here.
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder)) names.insert(e.path().lexically_relative(folder).string());
    return names;
  }
  fs::path folder;
};

TEST_F(SafeSave, SymbolicLinksAreFollowedAndStay) {
  struct Link {
    const char* at;
    const char* to;
  };
  struct Case {
    const char* what;
    std::vector<Link> links;  // made in this order; "@" in `to` stands for the test folder
    const char* saveAs;
    const char* written;  // the file that must get the new content, or nullptr
    const char* result;
  } cases[] = {
      {"absolute link", {{"link.xls", "@/data/real.xls"}}, "link.xls", "data/real.xls", kSaved},
      // Relative to the link's folder, not to the working folder.
      {"relative link in another folder", {{"links/l.xls", "../data/real.xls"}}, "links/l.xls", "data/real.xls", kSaved},
      {"chain of links", {{"b.xls", "@/data/real.xls"}, {"links/a.xls", "../b.xls"}}, "links/a.xls", "data/real.xls",
       kSaved},
      {"dangling link creates its target", {{"link.xls", "data/new.xls"}}, "link.xls", "data/new.xls", kSaved},
      {"loop of links", {{"l1.xls", "l2.xls"}, {"l2.xls", "l1.xls"}}, "l1.xls", nullptr, "Invalid filename"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder);
    fs::create_directories(folder / "data");
    fs::create_directories(folder / "links");
    WriteBytes(folder / "data/real.xls", kOld);
    std::set<std::string> before = {"data", "links", "data/real.xls"};
    for (const Link& link : c.links) {
      std::string to = link.to;
      if (to.front() == '@') to = folder.string() + to.substr(1);
      fs::create_symlink(to, folder / link.at);
      before.insert(link.at);
    }
    if (c.written != nullptr) before.insert(c.written);

    EXPECT_EQ(Save(folder / c.saveAs), c.result);
    for (const Link& link : c.links) {
      EXPECT_TRUE(fs::is_symlink(folder / link.at)) << link.at;
    }
    if (c.written != nullptr) {
      EXPECT_EQ(ReadBytes(folder / c.written), kHeaderEs);
    }
    if (c.written == nullptr || std::string(c.written) != "data/real.xls") {
      EXPECT_EQ(ReadBytes(folder / "data/real.xls"), kOld);
    }
    EXPECT_EQ(Entries(), before);
  }
}

TEST_F(SafeSave, TheNewFileKeepsTheOldOnesModeOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  const fs::path file = folder / "datos.xls";
  WriteBytes(file, kOld);
  ASSERT_EQ(::chown(file.c_str(), kNobody, kNogroup), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
  const ino_t oldInode = StatOf(file).st_ino;

  EXPECT_EQ(Save(file), kSaved);
  const struct stat st = StatOf(file);
  EXPECT_NE(st.st_ino, oldInode);  // replaced, not written over
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNogroup);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(ReadBytes(file), kHeaderEs);
}

TEST_F(SafeSave, OnlyARegularFileIsReplacedAndANameIsTakenByteForByte) {
  ASSERT_EQ(::mkfifo((folder / "pipe.xls").c_str(), 0600), 0);
  fs::create_directory(folder / "dir.xls");
  struct Case {
    std::string path;
    const char* result;
  } cases[] = {
      {(folder / "pipe.xls").string(), "Is not a regular file but a pipe or a device"},
      {"/dev/null", "Is not a regular file but a pipe or a device"},
      {(folder / "dir.xls").string(), "Is a folder, not a file"},
      {(folder / "missing" / "x.xls").string(), "The folder does not exist"},
      // Not UTF-8: ñ in Windows-1252, and a cut sequence.
      {(folder / "vino\xF1.xls").string(), kSaved},
      {(folder / "vino\xC3.xls").string(), kSaved},
  };
  for (const Case& c : cases) EXPECT_EQ(Save(c.path), c.result) << c.path;
  EXPECT_TRUE(fs::is_fifo(folder / "pipe.xls"));
  EXPECT_EQ(Entries(), (std::set<std::string>{"dir.xls", "pipe.xls", "vino\xF1.xls", "vino\xC3.xls"}));
  EXPECT_EQ(ReadBytes(folder / "vino\xF1.xls"), kHeaderEs);
}

TEST_F(SafeSave, AProgramKilledWhileWritingLeavesTheOldFileAndNothingElse) {
  const fs::path file = folder / "datos.xls";
  WriteBytes(file, kOld);
  const pid_t child = ::fork();
  if (child == 0) {
    tintavis::ReplacementFile replacement(file.string(), tintavis::Language::English);
    const bool written = !replacement.Problem() && ::write(replacement.Descriptor(), "half", 4) == 4;
    ::_exit(written ? 0 : 1);  // no destructor runs, as after a kill
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadBytes(file), kOld);
  EXPECT_EQ(Entries(), std::set<std::string>{"datos.xls"});
}

TEST_F(SafeSave, AFileWithOtherHardLinksIsWrittenInPlaceOnlyWhenTheContentFits) {
  const fs::path file = folder / "a.xls";
  const fs::path other = folder / "b.xls";
  WriteBytes(file, kOld);
  fs::create_hard_link(file, other);
  const ino_t inode = StatOf(file).st_ino;

  // A file-size limit below the content is known before anything is written, whoever runs.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string refused = Save(file);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(refused, "Disk full");
  EXPECT_EQ(ReadBytes(other), kOld);

  EXPECT_EQ(Save(file), kSaved);
  EXPECT_EQ(ReadBytes(file), kHeaderEs);
  EXPECT_EQ(ReadBytes(other), kHeaderEs);
  EXPECT_EQ(StatOf(file).st_ino, inode);
  EXPECT_EQ(StatOf(file).st_nlink, 2u);
  EXPECT_EQ(Entries(), (std::set<std::string>{"a.xls", "b.xls"}));
}

TEST_F(SafeSave, WhatAnOrdinaryUserMayWriteAndReplace) {
  if (::geteuid() != 0) GTEST_SKIP() << "becoming nobody needs root";
  struct Case {
    const char* what;
    mode_t folderMode;
    uid_t fileOwner;
    mode_t fileMode;
    const char* result;
    bool inPlace;  // the same file gets the new content; otherwise it keeps its old content
  } cases[] = {
      // Nobody could replace the file through the folder but may not write it.
      {"read-only file of another user", 0777, 0, 0644, "File access denied", false},
      {"folder nobody may not write", 0755, kNobody, 0644, kSaved, true},
      // A sticky folder lets nobody create files but not replace root's.
      {"another user's writable file in a sticky folder", 01777, 0, 0666, kSaved, true},
      // The copy of the old content goes to the temporary folder, which here refuses it too.
      {"folder and temporary folder nobody may not write", 0755, kNobody, 0644, "", false},
  };
  const fs::path closedTemporary = folder.string() + "_tmp";
  fs::create_directories(closedTemporary);
  ::chmod(closedTemporary.c_str(), 0755);
  const std::string refusedCopy = "File access denied in the temporary folder '" + closedTemporary.string() + "'";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path file = folder / "datos.xls";
    WriteBytes(file, kOld);
    ASSERT_EQ(::chown(file.c_str(), c.fileOwner, c.fileOwner == 0 ? 0 : kNogroup), 0);
    ASSERT_EQ(::chmod(file.c_str(), c.fileMode), 0);
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
    const ino_t inode = StatOf(file).st_ino;
    const bool closed = *c.result == '\0';
    if (closed) ::setenv("TMPDIR", closedTemporary.c_str(), 1);

    EXPECT_EQ(SaveAsNobody(file), closed ? refusedCopy : c.result);
    ::unsetenv("TMPDIR");
    const struct stat st = StatOf(file);
    EXPECT_EQ(ReadBytes(file), c.inPlace ? kHeaderEs : kOld);
    EXPECT_EQ(st.st_ino, inode);
    EXPECT_EQ(st.st_uid, c.fileOwner);
    EXPECT_EQ(st.st_mode & 07777, c.fileMode);
    EXPECT_EQ(Entries(), std::set<std::string>{"datos.xls"});
    ::chmod(folder.c_str(), 0755);
    fs::remove(file);
  }
  fs::remove_all(closedTemporary);
}

}  // namespace
