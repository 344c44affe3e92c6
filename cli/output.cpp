#include "cli/output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "io/encoding.h"
#include "io/safesave.h"

namespace tintavis::batch {

NameEncoding EncodingOf(std::string_view name) {
  if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return NameEncoding::Ascii;
  }
  return Windows1252ThatReadsBack(name) ? NameEncoding::Windows1252 : NameEncoding::Utf8;
}

DataFileWriter::~DataFileWriter() {
  if (spool_ != nullptr) std::fclose(spool_);
}

bool DataFileWriter::Put(std::FILE* f, std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) return true;
  error_ = errno != 0 ? errno : EIO;
  spoolFailed_ = f == spool_;
  return false;
}

bool DataFileWriter::Write(std::string_view utf8, NameEncoding names) {
  if (error_ != 0) return false;
  if (names == NameEncoding::Utf8 && decided_ != NameEncoding::Utf8) {
    if (spool_ != nullptr && !CopySpool(false)) return false;
    decided_ = NameEncoding::Utf8;
  } else if (names == NameEncoding::Windows1252 && decided_ == NameEncoding::Ascii) {
    int error = 0;
    const int fd = OpenNamelessTemporaryFile(error);
    if (fd >= 0 && (spool_ = ::fdopen(fd, "w+b")) == nullptr) {
      error = errno;
      ::close(fd);
    }
    if (spool_ == nullptr) {
      error_ = error != 0 ? error : EIO;
      spoolFailed_ = true;
      return false;
    }
    decided_ = NameEncoding::Windows1252;
  }
  return Put(decided_ == NameEncoding::Windows1252 ? spool_ : out_, utf8);
}

bool DataFileWriter::CopySpool(bool toWindows1252) {
  if (std::fflush(spool_) != 0 || std::fseek(spool_, 0, SEEK_SET) != 0) {
    error_ = errno != 0 ? errno : EIO;
    spoolFailed_ = true;
    return false;
  }
  std::string chunk;
  std::string carry;  // a line not yet ended, so that no character is cut in two
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, spool_)) > 0) {
    if (!toWindows1252) {
      if (!Put(out_, std::string_view(buffer, n))) return false;
      continue;
    }
    chunk.swap(carry);
    chunk.append(buffer, n);
    const std::size_t end = chunk.rfind('\n') + 1;  // 0 when the chunk has no line end yet
    carry.assign(chunk, end);
    chunk.resize(end);
    // Every name held here was found to have its Windows-1252 bytes.
    if (!Put(out_, Utf8ToWindows1252(chunk).value_or(chunk))) return false;
  }
  if (std::ferror(spool_) != 0) {
    error_ = errno != 0 ? errno : EIO;
    spoolFailed_ = true;
    return false;
  }
  if (!carry.empty() && !Put(out_, Utf8ToWindows1252(carry).value_or(carry))) return false;
  std::fclose(spool_);
  spool_ = nullptr;
  return true;
}

bool DataFileWriter::Finish() {
  if (error_ != 0) return false;
  if (spool_ != nullptr && !CopySpool(true)) return false;
  if (std::fflush(out_) != 0) {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

}  // namespace tintavis::batch
