// Text rules shared by the window, the data files and the batch tool.
//
// Everything here is independent of the C locale: the Qt program calls setlocale, so numbers are
// read with std::from_chars and written with std::to_chars only, never with strtod, printf or
// streams.
#include "logic/textrules.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <system_error>

namespace tintavis {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Value of c as a digit of the given base (10 or 16), or -1.
constexpr int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  }
  return -1;
}

// Exponents are read with saturation at this magnitude: far beyond any double, far within int64
// even after the digit counts of any real text are added to it.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;  // 1e15

// Significant digits handed to from_chars at most. A decimal text needs at most 767 significant
// digits to decide how it rounds to a double; longer mantissas are cut here with one nonzero
// sticky digit standing for the rest, which keeps the rounding direction.
constexpr std::size_t kMaxSignificant = 800;

// Leading blanks and an optional sign; returns the index after them.
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  return i;
}

// The decimal expansion of a finite, nonzero value to 18 significant digits, correctly rounded:
// the digits (0..9, most significant first) and the decimal exponent e, the first digit having
// the place value 10^(e-1).
int Expansion18(double value, int (&digit)[18]) {
  char text[32];  // "-d.ddddddddddddddddde-xxx"
  const auto printed = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 17);
  const char* s = text;
  if (*s == '-') ++s;
  digit[0] = s[0] - '0';
  for (int i = 1; i < 18; ++i) digit[i] = s[i + 1] - '0';
  const char* x = s + 20;  // after 'e'
  const bool exponentNegative = *x == '-';
  ++x;
  int exponent = 0;
  for (; x < printed.ptr; ++x) exponent = exponent * 10 + (*x - '0');
  return (exponentNegative ? -exponent : exponent) + 1;
}

// Keeps the first k digits, adding one when the digit after them is 5 or more; a carry out of
// the first digit leaves the single digit 1 and raises e by one.
void RoundHalfUp(int (&digit)[18], int k, int& e) {
  if (k >= 18 || digit[k] < 5) return;
  int i = k - 1;
  while (i >= 0 && digit[i] == 9) digit[i--] = 0;
  if (i >= 0) {
    ++digit[i];
  } else {
    digit[0] = 1;
    ++e;
  }
}

}  // namespace

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string FoldCase(std::string_view utf8) {
  std::string out(utf8);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xC3 && i + 1 < out.size()) {
      // U+00C0 to U+00DE are C3 80 to C3 9E; their small letters are 0x20 further on, except
      // U+00D7 (the multiplication sign), which has none.
      const auto next = static_cast<unsigned char>(out[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return out;
}

char ChooseDecimalSeparator(std::string_view localeSeparator) {
  // Numbers written and read by the program only know '.' and ','; any other locale separator is
  // read as '.', which never takes absorbances from unread text because ParseDecimal refuses the rest.
  return localeSeparator == "," ? ',' : '.';
}

std::optional<std::int32_t> ParseWhole(std::string_view text) {
  const std::size_t n = text.size();
  bool negative = false;
  std::size_t i = SkipBlanksAndSign(text, negative);

  int base = 10;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && text[i + 1] == 'x') {
    base = 16;
    i += 2;
  }
  if (i == n) return std::nullopt;  // no digit at all

  // The magnitude is checked after every digit, so arbitrarily long texts cannot overflow it.
  const std::uint64_t limit = negative ? std::uint64_t{2147483648u} : std::uint64_t{2147483647u};
  std::uint64_t magnitude = 0;
  for (; i < n; ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  const std::int64_t value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(value);
}

DecimalParse ParseDecimal(std::string_view text, char separator) {
  DecimalParse result;  // NotANumber until the whole text has matched
  const std::size_t n = text.size();
  bool negative = false;
  std::size_t i = SkipBlanksAndSign(text, negative);

  // Mantissa: digits with at most one separator. Only its span is noted here; the digits are
  // gathered below once the whole text is known to match.
  const std::size_t mantissaBegin = i;
  bool sawSeparator = false;
  bool sawDigit = false;
  for (; i < n; ++i) {
    if (IsDigit(text[i])) {
      sawDigit = true;
    } else if (text[i] == separator && !sawSeparator) {
      sawSeparator = true;
    } else {
      break;
    }
  }
  const std::size_t mantissaEnd = i;
  if (!sawDigit && !sawSeparator) return result;

  std::int64_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponentNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      exponentNegative = text[i] == '-';
      ++i;
    }
    if (i == n || !IsDigit(text[i])) return result;
    for (; i < n && IsDigit(text[i]); ++i) {
      if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
    }
    exponent = std::min(exponent, kExponentCap);
    if (exponentNegative) exponent = -exponent;
  }

  while (i < n && text[i] == ' ') ++i;
  if (i != n) return result;

  // The value is S * 10^scale, S being the significant digits of the mantissa with leading and
  // trailing zeros removed.
  constexpr std::size_t npos = std::string_view::npos;
  std::size_t separatorAt = npos;
  std::size_t firstNonZero = npos;
  std::size_t lastNonZero = npos;
  for (std::size_t j = mantissaBegin; j < mantissaEnd; ++j) {
    const char c = text[j];
    if (c == separator) {
      separatorAt = j;
    } else if (c != '0') {
      if (firstNonZero == npos) firstNonZero = j;
      lastNonZero = j;
    }
  }

  result.status = DecimalParse::Status::Ok;
  if (firstNonZero == npos) {
    result.value = negative ? -0.0 : 0.0;
    return result;
  }

  const bool separatorInside =
      separatorAt != npos && separatorAt > firstNonZero && separatorAt < lastNonZero;
  const auto significant =
      static_cast<std::int64_t>(lastNonZero - firstNonZero + 1) - (separatorInside ? 1 : 0);
  std::int64_t scale = exponent;
  if (separatorAt != npos && lastNonZero > separatorAt) {
    // Every fraction digit up to the last nonzero one divides S by ten.
    scale -= static_cast<std::int64_t>(lastNonZero - separatorAt);
  } else {
    // Every integer zero after the last nonzero digit multiplies S by ten.
    const std::size_t integerEnd = separatorAt != npos ? separatorAt : mantissaEnd;
    scale += static_cast<std::int64_t>(integerEnd - lastNonZero - 1);
  }
  // The value lies in [10^(magnitude-1), 10^magnitude).
  const std::int64_t magnitude = scale + significant;

  if (magnitude > 400) {  // beyond 1e400, far above the largest double
    result.status = DecimalParse::Status::Overflow;
    result.value = 0;
    return result;
  }
  if (magnitude < -400) {  // below 1e-400, far under the smallest subnormal
    result.value = negative ? -0.0 : 0.0;
    return result;
  }

  // Normalised text for from_chars: sign, at most kMaxSignificant digits (plus a sticky one), 'e',
  // exponent.
  char buffer[1 + kMaxSignificant + 1 + 1 + 24];
  char* out = buffer;
  if (negative) *out++ = '-';
  std::int64_t written = 0;
  bool truncated = false;
  for (std::size_t j = firstNonZero; j <= lastNonZero; ++j) {
    if (text[j] == separator) continue;
    if (written == static_cast<std::int64_t>(kMaxSignificant)) {
      truncated = true;
      break;
    }
    *out++ = text[j];
    ++written;
  }
  std::int64_t outScale = scale + (significant - written);
  if (truncated) {
    *out++ = '1';  // the dropped digits end in a nonzero one
    --outScale;
  }
  *out++ = 'e';
  out = std::to_chars(out, buffer + sizeof buffer, outScale).ptr;

  double value = 0;
  const auto [end, ec] = std::from_chars(buffer, out, value);
  if (ec == std::errc::result_out_of_range) {
    if (magnitude > 0) {
      result.status = DecimalParse::Status::Overflow;
      result.value = 0;
    } else {
      result.value = negative ? -0.0 : 0.0;
    }
    return result;
  }
  if (ec != std::errc() || end != out) {  // cannot happen with the text built above
    result.status = DecimalParse::Status::NotANumber;
    return result;
  }
  if (std::isinf(value)) {
    result.status = DecimalParse::Status::Overflow;
    result.value = 0;
    return result;
  }
  result.value = value;
  return result;
}

std::string SwapSeparator(std::string_view text, char separator) {
  std::string swapped(text);
  char from = 0;
  if (separator == ',') from = '.';
  if (separator == '.') from = ',';
  if (from != 0) {
    const std::size_t at = swapped.find(from);
    if (at != std::string::npos) swapped[at] = separator;
  }
  return swapped;
}

namespace {

// FormatFixed from the 18-digit expansion itself, for any finite value. `p` and `d` are already
// clamped.
char* FixedFromExpansion(char* out, double value, int p, int d, char separator) {
  const bool negative = std::signbit(value);

  // The kept significant digits, most significant first, as values 0..9, and the decimal
  // exponent e: the first digit has the place value 10^(e-1).
  int digit[18] = {};
  int kept = 0;
  int e = 0;
  bool zero = value == 0;

  if (!zero) {
    e = Expansion18(value, digit);

    const int k = std::min(p, e + d);
    if (k < 0) {
      zero = true;
    } else if (k == 0) {
      // Only the rounding digit is left: one unit of the last decimal, or nothing.
      if (digit[0] >= 5) {
        digit[0] = 1;
        kept = 1;
        ++e;
      } else {
        zero = true;
      }
    } else {
      kept = k;
      RoundHalfUp(digit, k, e);  // 99.9 -> 100: the other kept digits are already zero
    }
  }

  char* o = out;
  if (zero) {
    *o++ = '0';
    *o++ = separator;
    for (int j = 0; j < d; ++j) *o++ = '0';
    return o;
  }

  if (negative) *o++ = '-';
  if (e > p) {
    int last = kept - 1;
    while (last > 0 && digit[last] == 0) --last;
    *o++ = static_cast<char>('0' + digit[0]);
    if (last > 0) {
      *o++ = separator;
      for (int i = 1; i <= last; ++i) *o++ = static_cast<char>('0' + digit[i]);
    }
    *o++ = 'E';
    o = std::to_chars(o, out + kFixedTextMax, e - 1).ptr;
    return o;
  }

  if (e <= 0) {
    *o++ = '0';
  } else {
    for (int i = 0; i < e; ++i) *o++ = static_cast<char>('0' + (i < kept ? digit[i] : 0));
  }
  *o++ = separator;
  for (int j = 1; j <= d; ++j) {
    const int i = e - 1 + j;  // index of the digit with place value 10^-j
    *o++ = static_cast<char>('0' + (i >= 0 && i < kept ? digit[i] : 0));
  }
  return o;
}

// Powers of ten from 1e-32 to 1e32, each the double nearest to it.
// clang-format off
constexpr double kPowerOfTen[65] = {
  1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20,
  1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,
  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,
  1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,
  1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30,  1e31,  1e32,
};
// clang-format on
constexpr double PowerOfTen(int n) { return kPowerOfTen[n + 32]; }

// The fixed form of FormatFixed computed in double arithmetic, or nullptr when that could give
// another digit than the 18-digit expansion: the grid's values take this path, at a fraction of
// the cost of the expansion.
//
// The result is N * 10^s, N the k kept digits. y = |value| * 10^-s carries at most two roundings
// (the power and the product, each 2^-53 of y), and the expansion to 18 digits moves the value
// by at most 5e-18 of y; away from the half-way point by more than y * 2^-50, y rounds half up
// to the same N as the expansion. The decimal exponent is taken only where the value is not
// within 1e-14 of a power of ten, so no rounding can move it either.
char* FixedInDoubles(char* out, double value, int p, int d, char separator) {
  const double a = std::fabs(value);
  // e: 10^(e-1) <= a < 10^e. With a in [2^b, 2^(b+1)), e is floor(b log10 2) + 1 or one
  // more; 78913 / 2^18 is log10 2 closely enough for every b met here.
  const auto biased = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52);
  if (biased == 0) return nullptr;  // subnormal
  int e = (((biased - 1023) * 78913) >> 18) + 1;
  if (e < -19 || e > 19) return nullptr;
  if (a >= PowerOfTen(e)) ++e;
  if (a < PowerOfTen(e - 1) * (1 + 1e-14) || a > PowerOfTen(e) * (1 - 1e-14)) return nullptr;
  // Integer parts longer than the precision take the scientific form, left to the expansion;
  // the digits written must fit in 64 bits.
  if (e > p || e + d > 18) return nullptr;

  const int k = std::min(p, e + d);
  const auto zero = [&] {
    char* o = out;
    *o++ = '0';
    *o++ = separator;
    for (int j = 0; j < d; ++j) *o++ = '0';
    return o;
  };
  if (k < 0) return zero();
  if (k > 12) return nullptr;
  const int s = e - k;
  const double y = a * PowerOfTen(-s);
  auto kept = static_cast<std::uint64_t>(y);  // y < 10^12: the integer part, exactly
  const double fraction = y - static_cast<double>(kept);
  if (std::fabs(fraction - 0.5) <= y * 0x1p-50) return nullptr;
  if (fraction > 0.5) ++kept;
  if (kept == 0) return zero();  // only the rounding digit was left, and it was below 5
  // A carry into a new leading digit (99.96 -> 100.0) raises e, maybe beyond the precision.
  if (kept == static_cast<std::uint64_t>(PowerOfTen(k))) {
    if (++e > p) return nullptr;
  }

  const int integerDigits = std::max(e, 1);
  // The written digits: N * 10^(s + d), the last d of them after the separator, written from
  // the last one back.
  for (int j = 0; j < s + d; ++j) kept *= 10;
  char* o = out;
  if (std::signbit(value)) *o++ = '-';
  char* const end = o + integerDigits + 1 + d;
  char* q = end;
  for (int j = 0; j < d; ++j) {
    *--q = static_cast<char>('0' + kept % 10);
    kept /= 10;
  }
  *--q = separator;
  while (q != o) {
    *--q = static_cast<char>('0' + kept % 10);
    kept /= 10;
  }
  return end;
}

}  // namespace

char* FormatFixedTo(char* out, double value, int precision, int decimals, char separator) {
  if (std::isnan(value)) return std::copy_n("NAN", 3, out);
  if (std::isinf(value)) return value < 0 ? std::copy_n("-INF", 4, out) : std::copy_n("INF", 3, out);
  const int p = std::clamp(precision, 1, 18);
  const int d = std::clamp(decimals, 0, 18);
  if (value != 0) {
    if (char* end = FixedInDoubles(out, value, p, d, separator)) return end;
  }
  return FixedFromExpansion(out, value, p, d, separator);
}

std::string FormatFixed(double value, int precision, int decimals, char separator) {
  char out[kFixedTextMax];
  return std::string(out, FormatFixedTo(out, value, precision, decimals, separator));
}

std::string FormatGeneral(double value, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  constexpr int kDigits = 15;
  int digit[18];
  int e = Expansion18(value, digit);
  RoundHalfUp(digit, kDigits, e);
  int last = kDigits - 1;
  while (last > 0 && digit[last] == 0) --last;

  char out[48];
  char* o = out;
  if (value < 0) *o++ = '-';
  const int exponent = e - 1;  // value = d.ddd x 10^exponent
  if (exponent < -4 || exponent >= kDigits) {
    *o++ = static_cast<char>('0' + digit[0]);
    if (last > 0) {
      *o++ = separator;
      for (int i = 1; i <= last; ++i) *o++ = static_cast<char>('0' + digit[i]);
    }
    *o++ = 'E';
    o = std::to_chars(o, out + sizeof out, exponent).ptr;
    return std::string(out, o);
  }
  if (e <= 0) {
    *o++ = '0';
    *o++ = separator;
    for (int i = e; i < 0; ++i) *o++ = '0';
    for (int i = 0; i <= last; ++i) *o++ = static_cast<char>('0' + digit[i]);
    return std::string(out, o);
  }
  for (int i = 0; i < e; ++i) *o++ = static_cast<char>('0' + (i <= last ? digit[i] : 0));
  if (last >= e) {
    *o++ = separator;
    for (int i = e; i <= last; ++i) *o++ = static_cast<char>('0' + digit[i]);
  }
  return std::string(out, o);
}

FieldText ReplaceFieldBreakers(std::string_view text) {
  FieldText result{std::string(text), false};
  for (char& c : result.text) {
    if (c == '\t' || c == '\r' || c == '\n' || c == '\0' || c == '\x1A') {
      c = ' ';
      result.changed = true;
    }
  }
  return result;
}

}  // namespace tintavis

namespace tintavis {

bool CutLongName(std::string& utf8) {
  if (utf8.size() <= kMaxNameCharacters) return false;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    // Every byte but a UTF-8 continuation byte starts a character.
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && characters++ == kMaxNameCharacters) {
      utf8.resize(i);
      return true;
    }
  }
  return false;
}

}  // namespace tintavis
