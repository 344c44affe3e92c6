// The batch tool's data file, written as its lines are made, in the encoding the program saves
// with: Windows-1252 when every name has its bytes there and they read back as the same name,
// UTF-8 otherwise.
#pragma once

#include <cstdio>
#include <string_view>

namespace tintavis::batch {

// What the names of some output lines need from the file's encoding.
enum class NameEncoding {
  Ascii,        // nothing: ASCII reads the same in both
  Windows1252,  // characters beyond ASCII that Windows-1252 holds and reads back
  Utf8,         // a character that only UTF-8 holds, or code-page bytes that would read as UTF-8
};

// What a name written to the output needs from its encoding.
NameEncoding EncodingOf(std::string_view name);

// The choice needs every name, but the lines are written as they come. Lines go straight to the
// output as long as they are ASCII, and again once a name has decided for UTF-8; only between
// the first name beyond ASCII and that decision (if ever) are they kept in a temporary file,
// which goes out as it is when a later name decides for UTF-8, or in Windows-1252 at the end.
// ASCII names, the usual case, never touch the disk; the other way, always spooling and
// transcoding at the end, would copy every output byte twice.
class DataFileWriter {
 public:
  explicit DataFileWriter(std::FILE* out) : out_(out) {}
  ~DataFileWriter();
  DataFileWriter(const DataFileWriter&) = delete;
  DataFileWriter& operator=(const DataFileWriter&) = delete;

  // Lines of UTF-8 text whose names need `names`. False when they could not be written.
  bool Write(std::string_view utf8, NameEncoding names);
  // Writes what is held back, in the encoding now decided, and flushes the output.
  bool Finish();
  // The errno of the failure.
  int error() const { return error_; }
  // The failure was that of the temporary file (in TemporaryFolder()), not of the output.
  bool TemporaryFileFailed() const { return spoolFailed_; }

 private:
  bool Put(std::FILE* f, std::string_view bytes);
  bool CopySpool(bool toWindows1252);

  std::FILE* out_;
  std::FILE* spool_ = nullptr;  // UTF-8 lines held back while the encoding is undecided
  NameEncoding decided_ = NameEncoding::Ascii;
  int error_ = 0;
  bool spoolFailed_ = false;
};

}  // namespace tintavis::batch
