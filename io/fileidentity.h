// Which file a name leads to: the device and inode number, the same for every name of the file
// (hard links, symbolic links, other spellings of its path).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tintavis {

struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The file `path` leads to once its symbolic links are followed; nothing when there is none.
std::optional<FileIdentity> IdentityOfPath(const std::string& path);
// The file open as `fd`.
std::optional<FileIdentity> IdentityOfDescriptor(int fd);

}  // namespace tintavis
