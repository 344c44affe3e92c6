// The messages of file failures, English in both languages, from the system's error numbers.
#pragma once

#include <string>

namespace tintavis {

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full" or "I/O error N" for the errno of a failed operation on `path`.
std::string FileErrorMessage(int error, const std::string& path);

}  // namespace tintavis
