#include "io/safesave.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "io/fileerrors.h"

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

// The file a path leads to once its symbolic links are followed.
struct Target {
  std::string path;
  int error = 0;                        // a failure on the way
  std::optional<struct stat> existing;  // nothing when no file is there yet
};

Target FollowLinks(const std::string& path) {
  // As many links as the kernel follows before it gives up with ELOOP.
  constexpr int kMaxLinks = 40;
  Target target{path, 0, std::nullopt};
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

struct RenameOutcome {
  int error = 0;
  bool folderRefused = false;
};

// Writes the content beside the target and renames it over the target. `old` is the regular
// file being replaced, whose mode and owner the new one takes.
RenameOutcome ReplaceByRename(const std::string& path, std::string_view bytes, const struct stat* old) {
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return {errno, FolderRefuses(errno)};
  auto fail = [&](int error) -> RenameOutcome {
    ::close(fd);
    ::unlink(temporary.c_str());
    return {error};
  };
  if (const int error = WriteAll(fd, bytes); error != 0) return fail(error);
  // The owner first: giving a file away clears its set-user-ID and set-group-ID bits.
  if (old != nullptr) {
    if (const int error = KeepOwner(fd, *old); error != 0) return fail(error);
  }
  if (::fchmod(fd, old != nullptr ? (old->st_mode & 07777) : NewFileMode()) != 0) return fail(errno);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return {error};
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    // A sticky folder lets the user create files but not replace another user's file.
    const int error = errno;
    ::unlink(temporary.c_str());
    return {error, FolderRefuses(error)};
  }
  // The rename itself reaches the disk with the folder.
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
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

// Truncates the file open as `fd` and writes the content, as a plain save does; closes `fd`.
std::optional<std::string> WriteInPlace(int fd, std::string_view bytes, const std::string& path) {
  int error = CheckRoom(fd, bytes.size());
  if (error == 0 && ::ftruncate(fd, 0) != 0) error = errno;
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return FileErrorMessage(error, path);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes) {
  const Target target = FollowLinks(path);
  if (target.error != 0) return FileErrorMessage(target.error, target.path);
  auto byRename = [&](const struct stat* old) -> std::optional<std::string> {
    const RenameOutcome outcome = ReplaceByRename(target.path, bytes, old);
    if (outcome.error != 0) return FileErrorMessage(outcome.error, target.path);
    return std::nullopt;
  };
  if (!target.existing) return byRename(nullptr);
  const struct stat& old = *target.existing;
  if (S_ISDIR(old.st_mode)) return FileErrorMessage(EISDIR, target.path);
  if (!S_ISREG(old.st_mode)) return byRename(nullptr);

  // Opening the file for writing refuses what a plain save would be refused, before anything
  // changes; the same descriptor writes in place when the file is not replaced.
  const int fd = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return FileErrorMessage(errno, target.path);
  if (old.st_nlink == 1) {
    const RenameOutcome outcome = ReplaceByRename(target.path, bytes, &old);
    if (!outcome.folderRefused) {
      ::close(fd);
      if (outcome.error != 0) return FileErrorMessage(outcome.error, target.path);
      return std::nullopt;
    }
  }
  // Replacing would cut the other hard links, or the folder does not allow it.
  return WriteInPlace(fd, bytes, target.path);
}

}  // namespace tintavis
