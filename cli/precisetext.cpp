#include "cli/precisetext.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tintavis::batch {
namespace {

// 10^0 to 10^27, all exact in an x87 long double (5^27 < 2^63).
constexpr int kMaxScale = 27;
constexpr std::array<long double, kMaxScale + 1> kScale = [] {
  std::array<long double, kMaxScale + 1> p{};
  long double v = 1;
  for (long double& x : p) {
    x = v;
    v *= 10;
  }
  return p;
}();

// "00" to "99".
constexpr std::array<char, 200> kPairs = [] {
  std::array<char, 200> p{};
  for (std::size_t i = 0; i < 100; ++i) {
    p[2 * i] = static_cast<char>('0' + i / 10);
    p[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return p;
}();

constexpr std::uint64_t kLow = 10'000'000'000'000'000;   // 10^16: the 17 digits start here
constexpr std::uint64_t kHigh = 100'000'000'000'000'000;  // 10^17

// The 17 significant digits `n` of a value whose first digit has the place value 10^x, as
// "%.17g" writes them: trailing zeros dropped, fixed notation for x from -4 to 16.
char* WriteGeneral(char* out, bool negative, std::uint64_t n, int x) {
  // Two digits at a time, in 32-bit halves: 17 = 1 + 8 + 8.
  char digit[17];
  auto low = static_cast<std::uint32_t>(n % 100'000'000);
  auto middle = static_cast<std::uint32_t>(n / 100'000'000 % 100'000'000);
  digit[0] = static_cast<char>('0' + n / 10'000'000'000'000'000);
  for (int i = 7; i >= 1; i -= 2) {
    std::memcpy(digit + i, kPairs.data() + std::size_t{2} * (middle % 100), 2);
    std::memcpy(digit + 8 + i, kPairs.data() + std::size_t{2} * (low % 100), 2);
    middle /= 100;
    low /= 100;
  }
  int last = 16;
  while (last > 0 && digit[last] == '0') --last;
  if (negative) *out++ = '-';
  if (x < -4 || x >= 17) {
    *out++ = digit[0];
    if (last > 0) {
      *out++ = '.';
      for (int i = 1; i <= last; ++i) *out++ = digit[i];
    }
    *out++ = 'e';
    *out++ = x < 0 ? '-' : '+';
    const int magnitude = x < 0 ? -x : x;
    if (magnitude < 10) *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
  }
  if (x < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > x; --i) *out++ = '0';
    for (int i = 0; i <= last; ++i) *out++ = digit[i];
    return out;
  }
  for (int i = 0; i <= x; ++i) *out++ = digit[i];
  if (last > x) {
    *out++ = '.';
    for (int i = x + 1; i <= last; ++i) *out++ = digit[i];
  }
  return out;
}

}  // namespace

char* PutPrecise(char* out, double value) {
  // The 17 digits are |value| * 10^(17 - e) rounded, e the number of integer digits. In a
  // long double of 64 bits the product is within 2^-64 of itself, less than 0.006 for numbers
  // below 10^17; away from a half by more than that it rounds as the exact value does. The
  // rest (ties, very large and very small numbers) goes to the C++ library, which is exact but
  // slower by half.
  if constexpr (std::numeric_limits<long double>::digits == 64) {
    const double a = std::fabs(value);
    if (a >= 1e-10 && a < 1e16) {
      // e from the binary exponent, maybe one short.
      const auto binary = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52) - 1023;
      int e = ((binary * 78913) >> 18) + 1;
      for (int attempt = 0; attempt < 2; ++attempt) {
        const int scale = 17 - e;
        if (scale < 0 || scale > kMaxScale) break;
        const long double y = a * kScale[scale];
        if (y >= static_cast<long double>(kHigh)) {
          ++e;
          continue;
        }
        if (y < static_cast<long double>(kLow)) break;
        // Adding 2^63 rounds y to the nearest whole number, which the low bits of the 64-bit
        // significand then hold.
        const long double shifted = y + 0x1p63L;
        std::uint64_t significand = 0;
        std::memcpy(&significand, &shifted, sizeof significand);
        std::uint64_t n = significand - (std::uint64_t{1} << 63);
        const long double fraction = y - (shifted - 0x1p63L);  // in [-0.5, 0.5]
        if (std::fabs(fraction) > 0.5L - 1.0L / 64) break;
        if (n == kHigh) {
          n = kLow;
          ++e;
        }
        return WriteGeneral(out, std::signbit(value), n, e - 1);
      }
    }
  }
  return std::to_chars(out, out + kPreciseTextMax, value, std::chars_format::general, 17).ptr;
}

}  // namespace tintavis::batch
