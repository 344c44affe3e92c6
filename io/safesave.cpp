#include "io/safesave.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "io/fileerrors.h"
#include "logic/messages.h"

namespace tintavis {

namespace {

namespace fs = std::filesystem;

// Writes every byte, going on after partial writes and interruptions; 0 or the errno.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// Copies the whole content of `from`, from its start, to the end of `to`; 0 or the errno.
int CopyContent(int from, int to) {
  std::array<char, 1 << 16> buffer{};
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(from, buffer.data(), buffer.size(), at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    if (const int error = WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(n))); error != 0) {
      return error;
    }
    at += n;
  }
}

// The file a path leads to once its symbolic links are followed.
struct LinkTarget {
  std::string path;
  int error = 0;                        // a failure on the way
  std::optional<struct stat> existing;  // nothing when no file is there yet
};

LinkTarget FollowLinks(const std::string& path) {
  // As many links as the kernel follows before it gives up with ELOOP.
  constexpr int kMaxLinks = 40;
  LinkTarget target{path, 0, std::nullopt};
  for (int links = 0;; ++links) {
    struct stat st {};
    if (::lstat(target.path.c_str(), &st) != 0) {
      if (errno != ENOENT) target.error = errno;
      return target;
    }
    if (!S_ISLNK(st.st_mode)) {
      target.existing = st;
      return target;
    }
    if (links == kMaxLinks) {
      target.error = ELOOP;
      return target;
    }
    std::error_code ec;
    const fs::path next = fs::read_symlink(target.path, ec);
    if (ec) {
      target.error = ec.value();
      return target;
    }
    // A relative link starts from the folder that holds it.
    target.path = next.is_absolute() ? next.string() : (fs::path(target.path).parent_path() / next).string();
  }
}

fs::path FolderOf(const std::string& path) {
  const fs::path p(path);
  return p.has_parent_path() ? p.parent_path() : fs::path(".");
}

// The mode a new file gets from the user's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Gives the new file the old one's owner and group; a user who may not give a file away keeps at
// least the group when that is one of theirs, and otherwise the file is simply theirs.
int KeepOwner(int fd, const struct stat& old) {
  auto notAllowed = [](int error) { return error == EPERM || error == EINVAL; };
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return 0;
  if (!notAllowed(errno)) return errno;
  if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0 || notAllowed(errno)) return 0;
  return errno;
}

// The folder refuses to let the user create or replace a file in it.
bool FolderRefuses(int error) { return error == EACCES || error == EPERM; }

// Flushes a folder, so that a file made or renamed in it reaches the disk with it.
void SyncFolder(const fs::path& folder) {
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

// 0 when `size` bytes fit into the file open as `fd`, else the errno a write would end with.
int CheckRoom(int fd, std::uintmax_t size) {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && size > limit.rlim_cur) return EFBIG;
  struct statvfs vfs {};
  if (::fstatvfs(fd, &vfs) != 0) return errno;
  // The blocks the old content frees are not counted: some file systems keep them.
  if (size > static_cast<std::uintmax_t>(vfs.f_bavail) * vfs.f_frsize) return ENOSPC;
  return 0;
}

// The old content of a file rewritten in place, copied and flushed to the disk first.
struct Backup {
  std::string path;
  int error = 0;
  std::string temporaryFolder;  // where the copy was to be made when its own folder refused
};

Backup CopyAside(int fd, const std::string& target) {
  const std::string name = fs::path(target).filename().string();
  Backup backup;
  backup.path = (FolderOf(target) / ("." + name + ".XXXXXX")).string();
  int copy = ::mkstemp(backup.path.data());
  if (copy < 0 && FolderRefuses(errno)) {
    backup.temporaryFolder = TemporaryFolder();
    backup.path = (fs::path(backup.temporaryFolder) / (name + ".XXXXXX")).string();
    copy = ::mkstemp(backup.path.data());
  }
  if (copy < 0) {
    backup.error = errno;
    return backup;
  }
  backup.error = CopyContent(fd, copy);
  if (backup.error == 0 && ::fsync(copy) != 0) backup.error = errno;
  if (::close(copy) != 0 && backup.error == 0) backup.error = errno;
  if (backup.error != 0) {
    ::unlink(backup.path.c_str());
  } else {
    SyncFolder(FolderOf(backup.path));
  }
  return backup;
}

// Empties the file open as `fd` and writes `bytes` into it, flushed to the disk; 0 or the errno.
int Rewrite(int fd, std::string_view bytes) {
  if (::lseek(fd, 0, SEEK_SET) != 0 || ::ftruncate(fd, 0) != 0) return errno;
  if (const int error = WriteAll(fd, bytes); error != 0) return error;
  return ::fsync(fd) != 0 ? errno : 0;
}

// Writes the content into the regular file `target` itself, its old content kept in a copy
// until the new one is on the disk.
std::optional<std::string> WriteInPlace(const std::string& target, std::string_view bytes, Language language) {
  auto message = [&](int error) { return FileErrorMessage(error, target, FileUse::Writing, language); };
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return message(errno);
  if (const int error = CheckRoom(fd, bytes.size()); error != 0) {
    ::close(fd);
    return message(error);
  }
  const Backup backup = CopyAside(fd, target);
  if (backup.error != 0) {
    ::close(fd);
    if (backup.temporaryFolder.empty()) return message(backup.error);
    return Filled(messages::kTemporaryFileFailed.In(language), {message(backup.error), backup.temporaryFolder});
  }
  int error = Rewrite(fd, bytes);
  if (error == 0) {
    error = ::close(fd) != 0 ? errno : 0;
    if (error == 0) {
      ::unlink(backup.path.c_str());
      return std::nullopt;
    }
    return Filled(messages::kOldContentKept.In(language), {message(error), backup.path});
  }
  // The old content fitted before: it goes back from the copy.
  int restored = -1;
  if (const int copy = ::open(backup.path.c_str(), O_RDONLY | O_CLOEXEC); copy >= 0) {
    restored = Rewrite(fd, {});
    if (restored == 0) restored = CopyContent(copy, fd);
    if (restored == 0 && ::fsync(fd) != 0) restored = errno;
    ::close(copy);
  }
  ::close(fd);
  if (restored != 0) return Filled(messages::kOldContentKept.In(language), {message(error), backup.path});
  ::unlink(backup.path.c_str());
  return message(error);
}

}  // namespace

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  std::error_code ec;
  if (folder != nullptr && *folder != '\0' && fs::is_directory(folder, ec)) return folder;
  return "/tmp";
}

int OpenNamelessTemporaryFile(int& error) {
  const std::string folder = TemporaryFolder();
  int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    // A file system without nameless files: a named one, unlinked at once.
    std::string path = (fs::path(folder) / "tintavis.XXXXXX").string();
    fd = ::mkstemp(path.data());
    if (fd >= 0) ::unlink(path.c_str());
  }
  error = fd < 0 ? errno : 0;
  return fd;
}

ReplacementFile::ReplacementFile(const std::string& path, Language language) : language_(language) {
  const LinkTarget target = FollowLinks(path);
  target_ = target.path;
  auto message = [&](int error) { return FileErrorMessage(error, target_, FileUse::Writing, language_); };
  if (target.error != 0) {
    problem_ = message(target.error);
    return;
  }
  if (target.existing && !S_ISREG(target.existing->st_mode)) {
    problem_ = NotARegularFileMessage(target.existing->st_mode, language_);
    return;
  }
  old_ = target.existing;
  // A file with no name yet, so that a program killed while writing it leaves nothing behind;
  // it is given a name through /proc once complete. Where either is missing, a named one.
  std::error_code ec;
  if (fs::is_directory("/proc/self/fd", ec)) {
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ >= 0) return;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      folderRefused_ = FolderRefuses(errno);
      problem_ = message(errno);
      return;
    }
  }
  temporary_ = NewTemporaryName();
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0) {
    folderRefused_ = FolderRefuses(errno);
    problem_ = message(errno);
    temporary_.clear();
  }
}

std::string ReplacementFile::NewTemporaryName() const {
  return (FolderOf(target_) / ("." + fs::path(target_).filename().string() + ".XXXXXX")).string();
}

ReplacementFile::~ReplacementFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

std::optional<std::string> ReplacementFile::Commit() {
  if (problem_) return problem_;
  auto fail = [&](int error) -> std::optional<std::string> {
    problem_ = FileErrorMessage(error, target_, FileUse::Writing, language_);
    return problem_;
  };
  // The owner first: giving a file away clears its set-user-ID and set-group-ID bits.
  if (old_) {
    if (const int error = KeepOwner(fd_, *old_); error != 0) return fail(error);
  }
  if (::fchmod(fd_, old_ ? (old_->st_mode & 07777) : NewFileMode()) != 0) return fail(errno);
  if (::fsync(fd_) != 0) return fail(errno);
  if (temporary_.empty()) {
    // The nameless file gets a fresh name beside the target, then takes the target's place.
    std::string name = NewTemporaryName();
    const int placeholder = ::mkstemp(name.data());
    if (placeholder < 0) return fail(errno);
    ::close(placeholder);
    ::unlink(name.c_str());
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) return fail(errno);
    temporary_ = std::move(name);
  }
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return fail(errno);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    // A sticky folder lets the user create files but not replace another user's file.
    folderRefused_ = FolderRefuses(errno);
    return fail(errno);
  }
  temporary_.clear();
  SyncFolder(FolderOf(target_));
  return std::nullopt;
}

std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes, Language language) {
  ReplacementFile replacement(path, language);
  const std::string& target = replacement.Target();
  const auto& old = replacement.Old();
  if (old) {
    // Opening the file for writing refuses what a plain save would be refused, before anything
    // changes.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return FileErrorMessage(errno, target, FileUse::Writing, language);
    ::close(fd);
    // Replacing would cut the other hard links.
    if (old->st_nlink > 1) return WriteInPlace(target, bytes, language);
  }
  if (!replacement.Problem()) {
    if (const int error = WriteAll(replacement.Descriptor(), bytes); error != 0) {
      return FileErrorMessage(error, target, FileUse::Writing, language);
    }
    if (auto problem = replacement.Commit(); !problem) return std::nullopt;
  }
  // The folder does not let the user make the new file, or replace the old one with it.
  if (old && replacement.FolderRefused()) return WriteInPlace(target, bytes, language);
  return replacement.Problem();
}

}  // namespace tintavis
