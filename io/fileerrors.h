// File failures: the one shape of a file that was not read, and the messages of the failures,
// the system's (English in both languages, from its error numbers) and the program's own about
// what stands where a file was expected.
#pragma once

#include <string>
#include <sys/types.h>

#include "logic/language.h"

namespace tintavis {

// A file refused: what went wrong, where, and what the user is told. Each reader has its own
// `Kind`, an enum of its faults.
template <typename KindT>
struct FileError {
  using Kind = KindT;
  Kind kind{};
  int line = 0;         // counted from 1; 0 when the fault is the whole file's
  int column = 0;       // counted from 1; 0 when the fault is the whole line's
  std::string message;  // in the language asked for, without full stop unless said otherwise
};

// Whether the failed operation read a file or wrote one.
enum class FileUse { Reading, Writing };

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full" or "I/O error N" for the errno of a failed operation on `path`. A folder is "Is a
// folder", and a file to be written in a folder that is not there says so, in `language`.
std::string FileErrorMessage(int error, const std::string& path, FileUse use, Language language);

// Why a file of mode `mode` (as stat gives it) is neither read nor written: a folder, or a pipe
// or device, which would block or be replaced by a regular file.
std::string NotARegularFileMessage(mode_t mode, Language language);

}  // namespace tintavis
