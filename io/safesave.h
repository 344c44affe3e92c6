// Replacing a file's content without losing the old one to a failure, and without changing what
// the user sees of the file besides its content.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

#include "logic/language.h"

namespace tintavis {

// The folder of temporary files: the one $TMPDIR names, else /tmp.
std::string TemporaryFolder();

// A temporary file in TemporaryFolder() that has no name and goes when it is closed; its
// descriptor, or -1 with the errno in `error`.
int OpenNamelessTemporaryFile(int& error);

// A new file that takes the place of the one `path` leads to once it is complete: made beside
// that file (symbolic links followed, relative ones from the link's folder), without a name
// where the file system allows it, written through Descriptor(), then flushed to the disk,
// named and renamed over the old file by Commit(), so that the old file survives any failure
// before, and a program killed before leaves no temporary file. The new file gets the old one's permission bits, and
// its owner and group as far as the user may give them. A folder, pipe or device in the place
// is refused, never replaced. Unless committed, the temporary file is removed again.
class ReplacementFile {
 public:
  ReplacementFile(const std::string& path, Language language);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Why the file could not be made (without full stop), or nothing.
  const std::optional<std::string>& Problem() const { return problem_; }
  // Open for writing while there is no problem.
  int Descriptor() const { return fd_; }
  // The file the new one replaces, links followed.
  const std::string& Target() const { return target_; }
  // The file replaced (the target, a regular file), or nothing when there was none.
  const std::optional<struct stat>& Old() const { return old_; }
  // The folder does not let the user make a file or replace the old one.
  bool FolderRefused() const { return folderRefused_; }
  // Puts the new file in place; the error message when that failed.
  std::optional<std::string> Commit();

 private:
  std::string NewTemporaryName() const;

  std::string target_;
  std::string temporary_;  // the named temporary file, empty while it has no name
  std::optional<struct stat> old_;  // the regular file replaced
  std::optional<std::string> problem_;
  bool folderRefused_ = false;  // the folder does not let the user make or replace a file
  int fd_ = -1;
  Language language_;
};

// Gives the file at `path` the content `bytes` through a ReplacementFile. Returns the error
// message (without full stop) when it failed.
//
// - A file the user may not write is refused ("File access denied") and left untouched.
// - A file with other hard links, or one the folder does not let the user replace, is written
//   in place, after checking that the content fits where that can be known (free space,
//   file-size limit), and after a copy of its old content was written and flushed beside it,
//   or in the temporary folder when its folder refuses. The copy goes once the new content is
//   on the disk; should the rewrite fail, the old content is written back from it, and when
//   that fails too the message says where the copy is.
std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes, Language language);

}  // namespace tintavis
