// What the fuzz targets share: a check that stops the run with a message when a property fails,
// so that libFuzzer records the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tintavis::fuzz {

[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "property failed: %s\n", what);
  if (!detail.empty()) std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
  std::abort();
}

inline void Check(bool holds, const char* what, std::string_view detail = {}) {
  if (!holds) Fail(what, detail);
}

}  // namespace tintavis::fuzz
