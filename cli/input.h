// The batch tool's input, read as blocks of whole lines so that the memory it takes does not
// grow with the input.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace tintavis::batch {

// The longest line read, line end excluded. A sample line is a few dozen bytes; a longer line
// is no sample (a binary file, a device such as /dev/zero) and is not held whole.
inline constexpr std::size_t kMaxLineBytes = std::size_t{64} * 1024;

// Bytes of a stream, optionally after the bytes of an earlier copy of its beginning, and
// optionally copied to another stream as they are read.
class ByteSource {
 public:
  explicit ByteSource(std::FILE* stream) : stream_(stream) {}

  // `copy` is read to its end before the stream.
  void ReadFirst(std::FILE* copy) { first_ = copy; }
  // Every byte read from now on is also written to `copy`.
  void CopyTo(std::FILE* copy) { copy_ = copy; }

  // Up to `size` bytes; 0 at the end or after an error.
  std::size_t Read(char* buffer, std::size_t size);
  // The errno of a read or copy that failed, or 0.
  int error() const { return error_; }
  // The failure was that of the copy.
  bool CopyFailed() const { return copyFailed_; }

 private:
  std::FILE* stream_;
  std::FILE* first_ = nullptr;
  std::FILE* copy_ = nullptr;
  int error_ = 0;
  bool copyFailed_ = false;
};

// Splits the input into blocks of whole lines: about `blockBytes` of them, at most
// `blockLines` (the output of a line can be 45 times its input). A UTF-8 byte-order mark at
// the very start is dropped. A line longer than kMaxLineBytes ends the input: the last block
// ends with the first kMaxLineBytes + 2 of its bytes, enough to tell that it is too long
// whatever its line end, and nothing after them is read.
class LineBlockReader {
 public:
  LineBlockReader(ByteSource& source, std::size_t blockBytes, std::size_t blockLines);

  // Replaces `block` with the next lines and `firstLine` with the number of the first of them
  // (counted from 1); false when the input has no more.
  bool Next(std::string& block, std::size_t& firstLine);

  // The errno of a read that failed, or 0; the blocks before it are whole lines.
  int error() const { return source_.error(); }

 private:
  ByteSource& source_;
  std::size_t blockBytes_;
  std::size_t blockLines_;
  std::string carry_;  // read and not yet in a block
  std::size_t nextLine_ = 1;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace tintavis::batch
