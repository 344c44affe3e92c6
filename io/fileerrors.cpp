#include "io/fileerrors.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "logic/messages.h"

namespace tintavis {

std::string FileErrorMessage(int error, const std::string& path, FileUse use, Language language) {
  switch (error) {
    case ENOENT: {
      // A missing folder on the way is a bad path, a missing file in an existing folder is not
      // found.
      std::error_code ec;
      const auto parent = std::filesystem::path(path).parent_path();
      if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) {
        if (use == FileUse::Writing && !std::filesystem::exists(parent, ec)) {
          return std::string(messages::kFolderMissing.In(language));
        }
        return "Invalid filename";
      }
      return "File not found";
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EISDIR:
      return std::string(messages::kIsAFolder.In(language));
    case EACCES:
    case EPERM:
    case EROFS:
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

std::string NotARegularFileMessage(mode_t mode, Language language) {
  return std::string(S_ISDIR(mode) ? messages::kIsAFolder.In(language) : messages::kNotARegularFile.In(language));
}

}  // namespace tintavis
