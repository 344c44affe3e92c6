// Files read whole before anything changes: data files and spectra files. The reader never
// waits (a pipe, device or folder is refused before any read) and never takes more memory than
// the largest file of its kind.
#pragma once

#include <cstddef>
#include <string>
#include <variant>

#include "io/fileerrors.h"
#include "io/fileidentity.h"
#include "logic/language.h"

namespace tintavis {

// The most a data file can hold (50 sample lines of a few dozen bytes, and room for long
// names), and the most a file of spectra can (a few hundred numbers a sample).
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{16} << 20;
inline constexpr std::size_t kMaxSpectraFileBytes = std::size_t{64} << 20;

struct WholeFile {
  std::string bytes;
  FileIdentity identity;  // the file read, to know it again under another name
};

enum class WholeFileProblem {
  System,           // the system refused to open or read it
  NotARegularFile,  // a folder, pipe or device
  TooLarge,         // larger than the limit given
};
using WholeFileError = FileError<WholeFileProblem>;

using WholeFileRead = std::variant<WholeFile, WholeFileError>;

// A file opened for reading: its descriptor, or -1 with the errno of a system failure (0 when
// the file is no regular file) and the message of the failure.
struct OpenedFile {
  int fd = -1;
  int error = 0;
  std::string message;
};

// Opens `path` for reading without waiting for a pipe's writer or a device, and refuses anything
// but a regular file (NotARegularFileMessage). The descriptor then blocks as usual; the caller
// closes it.
OpenedFile OpenRegularFile(const std::string& path, Language language);

// The whole regular file at `path`; one larger than `limit` bytes is refused before it is read.
WholeFileRead ReadWholeFile(const std::string& path, std::size_t limit, Language language);

// What is left to read from `fd` (a pipe too), read in chunks and refused as soon as it passes
// `limit` bytes. `fd` stays open.
WholeFileRead ReadWholeDescriptor(int fd, std::size_t limit, Language language);

}  // namespace tintavis
