// Text rules shared by the window, the data files and the batch tool.
//
// Everything here is independent of the C locale: the Qt program calls setlocale, so numbers are
// read with std::from_chars and written with std::to_chars only, never with strtod, printf or
// streams.
#include "logic/textrules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
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

char ChooseDecimalSeparator(std::string_view localeSeparator) {
  // Numbers written and read by the program only know '.' and ','; any other locale separator is
  // read as '.', which never takes absorbances from unread text because ParseReal refuses the rest.
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

RealParse ParseReal(std::string_view text, char separator) {
  RealParse result;  // NotANumber until the whole text has matched
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

  result.status = RealParse::Status::Ok;
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
    result.status = RealParse::Status::Overflow;
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
      result.status = RealParse::Status::Overflow;
      result.value = 0;
    } else {
      result.value = negative ? -0.0 : 0.0;
    }
    return result;
  }
  if (ec != std::errc() || end != out) {  // cannot happen with the text built above
    result.status = RealParse::Status::NotANumber;
    return result;
  }
  if (std::isinf(value)) {
    result.status = RealParse::Status::Overflow;
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

std::string FormatFixed(double value, int precision, int decimals, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const int p = std::clamp(precision, 1, 18);
  const int d = std::clamp(decimals, 0, 18);
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

  // Longest result: '-', 18 integer digits, separator, 18 decimals.
  char out[40];
  char* o = out;
  if (zero) {
    *o++ = '0';
    *o++ = separator;
    for (int j = 0; j < d; ++j) *o++ = '0';
    return std::string(out, o);
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
    o = std::to_chars(o, out + sizeof out, e - 1).ptr;
    return std::string(out, o);
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
  return std::string(out, o);
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

}  // namespace tintavis
