#include "cli/input.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

namespace tintavis::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

int LastError() { return errno != 0 ? errno : EIO; }

}  // namespace

std::size_t ByteSource::Read(char* buffer, std::size_t size) {
  if (error_ != 0) return 0;
  if (first_ != nullptr) {
    const std::size_t n = std::fread(buffer, 1, size, first_);
    if (n > 0) return n;
    if (std::ferror(first_) != 0) {
      error_ = LastError();
      return 0;
    }
    first_ = nullptr;
  }
  // A terminal's end of input (Ctrl+D) is not remembered by the stream: reading again would
  // wait for more typing.
  if (std::feof(stream_) != 0) return 0;
  errno = 0;
  const std::size_t n = std::fread(buffer, 1, size, stream_);
  if (n == 0 && std::ferror(stream_) != 0) {
    error_ = LastError();
    return 0;
  }
  if (copy_ != nullptr && n > 0 && std::fwrite(buffer, 1, n, copy_) != n) {
    error_ = LastError();
    copyFailed_ = true;
    return 0;
  }
  return n;
}

LineBlockReader::LineBlockReader(ByteSource& source, std::size_t blockBytes, std::size_t blockLines)
    : source_(source), blockBytes_(std::max<std::size_t>(blockBytes, 1)), blockLines_(std::max<std::size_t>(blockLines, 1)) {}

bool LineBlockReader::Next(std::string& block, std::size_t& firstLine) {
  block.swap(carry_);
  carry_.clear();
  std::size_t lines = 0;      // line ends found, at most blockLines_
  std::size_t scanned = 0;    // bytes looked at for them
  std::size_t lineStart = 0;  // where the line not yet ended begins
  std::size_t cut = 0;        // where the block ends
  for (;;) {
    while (lines < blockLines_) {
      const std::size_t lf = std::string_view(block).find('\n', scanned);
      if (lf == std::string_view::npos) {
        scanned = block.size();
        break;
      }
      scanned = lf + 1;
      lineStart = scanned;
      ++lines;
    }
    if (lines == blockLines_) {
      cut = lineStart;
      break;
    }
    if (block.size() - lineStart > kMaxLineBytes + 1) {
      // More than the longest line and its CR: what is kept shows that it is too long.
      block.resize(lineStart + kMaxLineBytes + 2);
      ended_ = true;
      cut = block.size();
      break;
    }
    if (lineStart > 0 && block.size() >= blockBytes_) {
      cut = lineStart;
      break;
    }
    if (ended_) {
      cut = block.size();
      break;
    }
    const std::size_t old = block.size();
    block.resize(old + blockBytes_);
    const std::size_t n = source_.Read(block.data() + old, blockBytes_);
    block.resize(old + n);
    if (n == 0) ended_ = true;
    if (!started_ && block.size() >= kByteOrderMark.size()) {
      started_ = true;
      if (std::string_view(block).starts_with(kByteOrderMark)) {
        block = block.substr(kByteOrderMark.size());  // once: a copy costs nothing
        lines = scanned = lineStart = 0;
      }
    }
  }
  carry_.assign(block, cut);
  block.resize(cut);
  firstLine = nextLine_;
  nextLine_ += lines;
  return !block.empty();
}

}  // namespace tintavis::batch
