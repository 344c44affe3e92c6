#include "io/wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "io/fileerrors.h"
#include "logic/messages.h"

namespace tintavis {
namespace {

WholeFileError TooLarge(std::size_t limit, Language language) {
  return {.kind = WholeFileProblem::TooLarge,
          .message = Filled(messages::kFileTooLarge.In(language), {std::to_string(limit >> 20)})};
}

WholeFileError SystemError(int error, Language language) {
  return {.kind = WholeFileProblem::System, .message = FileErrorMessage(error, {}, FileUse::Reading, language)};
}

}  // namespace

OpenedFile OpenRegularFile(const std::string& path, Language language) {
  OpenedFile opened;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    opened.error = errno;
    opened.message = FileErrorMessage(opened.error, path, FileUse::Reading, language);
  } else if (!S_ISREG(st.st_mode)) {
    opened.message = NotARegularFileMessage(st.st_mode, language);
  } else {
    // A regular file never makes a read wait; the flag goes so that the descriptor behaves as
    // any other wherever it is handed on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    opened.fd = fd;
    return opened;
  }
  if (fd >= 0) ::close(fd);
  return opened;
}

WholeFileRead ReadWholeDescriptor(int fd, std::size_t limit, Language language) {
  WholeFile file;
  struct stat st {};
  if (::fstat(fd, &st) != 0) return SystemError(errno, language);
  file.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  if (S_ISREG(st.st_mode)) {
    if (static_cast<std::uintmax_t>(st.st_size) > limit) return TooLarge(limit, language);
    // Sized once from the file's length, so that the text is not copied as it grows.
    file.bytes.reserve(static_cast<std::size_t>(st.st_size));
  }
  std::array<char, 1 << 16> buffer{};
  while (true) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError(errno, language);
    }
    if (n == 0) break;
    if (file.bytes.size() + static_cast<std::size_t>(n) > limit) return TooLarge(limit, language);
    file.bytes.append(buffer.data(), static_cast<std::size_t>(n));
  }
  return file;
}

WholeFileRead ReadWholeFile(const std::string& path, std::size_t limit, Language language) {
  const OpenedFile opened = OpenRegularFile(path, language);
  if (opened.fd < 0) {
    const auto kind = opened.error == 0 ? WholeFileProblem::NotARegularFile : WholeFileProblem::System;
    return WholeFileError{.kind = kind, .message = opened.message};
  }
  WholeFileRead read = ReadWholeDescriptor(opened.fd, limit, language);
  if (::close(opened.fd) != 0 && std::holds_alternative<WholeFile>(read)) return SystemError(errno, language);
  return read;
}

}  // namespace tintavis
