// Replacing a file's content without losing the old one to a failure, and without changing what
// the user sees of the file besides its content.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintavis {

// Gives the file at `path` the content `bytes`. Returns the error message (without full stop)
// when it failed.
//
// - Symbolic links are followed to the file they name (relative ones from the link's folder);
//   the links stay. A link that names no file yet creates that file.
// - The new content is written into a temporary file in the same folder, flushed to the disk and
//   renamed over the old file, which so survives any failure. The new file gets the old one's
//   permission bits, and its owner and group as far as the user may give them.
// - A file the user may not write is refused ("File access denied") and left untouched.
// - A file with other hard links, or one the folder does not let the user replace, is written
//   in place (truncated and written), after checking that the content fits where that can be
//   known (free space, file-size limit); when it does not, the file is left untouched.
std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes);

}  // namespace tintavis
