// The number text of --precise and --spectrum: printf's "%.17g", every digit a double needs to
// be read back, written without the C library's locale.
#pragma once

namespace tintavis::batch {

// Room that PutPrecise needs: "-1.2345678901234567e-308".
inline constexpr int kPreciseTextMax = 24;

// Writes `value` as "%.17g" with '.' into `out` (room for kPreciseTextMax characters); returns
// the end of the text.
char* PutPrecise(char* out, double value);

}  // namespace tintavis::batch
