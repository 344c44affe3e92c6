#include "io/fileerrors.h"

#include <cerrno>
#include <filesystem>

namespace tintavis {

std::string FileErrorMessage(int error, const std::string& path) {
  switch (error) {
    case ENOENT: {
      // A missing folder on the way is a bad path, a missing file in an existing folder is not
      // found.
      std::error_code ec;
      const auto parent = std::filesystem::path(path).parent_path();
      if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return "Invalid filename";
      return "File not found";
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(error);
  }
}

}  // namespace tintavis
