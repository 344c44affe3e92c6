// The text rules on any input: ParseWhole and ParseDecimal against plain reference readers of the
// same syntax, SwapSeparator's single change, and the number texts of FormatFixed and
// FormatGeneral, which never write a negative zero and read back to within their rounding.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "logic/textrules.h"
#include "fuzz/fuzzcheck.h"

using namespace tintavis;
using fuzz::Check;
using fuzz::Fail;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Whole numbers read the plain way: the digit string, leading zeros dropped, through
// std::from_chars, with anything longer than a 32-bit magnitude can be refused outright.
std::optional<std::int32_t> ReferenceWhole(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
    base = 16;
    ++i;
  } else if (t.substr(i, 2) == "0x") {
    base = 16;
    i += 2;
  }
  std::string_view digits = t.substr(i);
  if (digits.empty()) return std::nullopt;
  for (const char c : digits) {
    if (base == 10 ? !IsDigit(c) : !IsHexDigit(c)) return std::nullopt;
  }
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  if (digits.size() > 12) return std::nullopt;
  std::int64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) Fail("reference whole number", t);
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

void CheckParseWhole(std::string_view text) {
  const auto got = ParseWhole(text);
  const auto expected = ReferenceWhole(text);
  Check(got.has_value() == expected.has_value(), "ParseWhole accepts what the reference accepts", text);
  if (got) Check(*got == *expected, "ParseWhole reads the reference value", text);
}

// Real numbers read the plain way: the syntax checked here, then the digits with '.' through
// std::from_chars.
void CheckParseDecimal(std::string_view text, char separator) {
  const DecimalParse got = ParseDecimal(text, separator);
  if (got.ok()) Check(std::isfinite(got.value), "ParseDecimal gives finite values", text);

  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string normal;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normal += '-';
    ++i;
  }
  bool digits = false;
  bool separatorSeen = false;
  int magnitude = 0;  // digits before the separator, less leading zeros (capped)
  bool nonZeroSeen = false;
  int leadingFractionZeros = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      digits = true;
      normal += c;
      if (c != '0') nonZeroSeen = true;
      if (!separatorSeen && nonZeroSeen && magnitude < 100000) ++magnitude;
      if (separatorSeen && !nonZeroSeen && leadingFractionZeros < 100000) ++leadingFractionZeros;
    } else if (c == separator && !separatorSeen) {
      separatorSeen = true;
      normal += '.';
    } else {
      break;
    }
  }
  bool matches = digits || separatorSeen;
  std::int64_t exponent = 0;
  if (matches && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normal += 'e';
    ++i;
    bool exponentNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      exponentNegative = text[i] == '-';
      normal += text[i++];
    }
    if (i == text.size() || !IsDigit(text[i])) matches = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      normal += text[i];
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponentNegative) exponent = -exponent;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  matches = matches && i == text.size();

  if (!matches) {
    Check(got.status == DecimalParse::Status::NotANumber, "ParseDecimal refuses what does not match", text);
    return;
  }
  Check(got.status != DecimalParse::Status::NotANumber, "ParseDecimal accepts what matches", text);
  if (!digits || !nonZeroSeen) {
    // The separator alone, or only zeros: zero, with the sign of the text.
    Check(got.ok() && got.value == 0, "ParseDecimal reads zeros as zero", text);
    Check(std::signbit(got.value) == (!normal.empty() && normal[0] == '-'), "zero keeps its sign", text);
    return;
  }
  double expected = 0;
  const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), expected);
  Check(end == normal.data() + normal.size(), "reference reads the whole normal text", normal);
  if (ec == std::errc::result_out_of_range) {
    // Beyond the range of a double: overflow when the value is large, zero when it is tiny.
    const std::int64_t scale = exponent + (magnitude > 0 ? magnitude : -leadingFractionZeros);
    if (scale > 0) {
      Check(got.status == DecimalParse::Status::Overflow, "ParseDecimal reports overflow", text);
    } else {
      Check(got.ok() && got.value == 0, "ParseDecimal reads an underflow as zero", text);
    }
    return;
  }
  Check(ec == std::errc(), "reference reads the normal text", normal);
  if (std::isinf(expected)) {
    Check(got.status == DecimalParse::Status::Overflow, "ParseDecimal reports overflow", text);
    return;
  }
  Check(got.ok(), "ParseDecimal reads a number in range", text);
  Check(std::bit_cast<std::uint64_t>(got.value) == std::bit_cast<std::uint64_t>(expected),
        "ParseDecimal reads the correctly rounded double", text);
}

void CheckSwapSeparator(std::string_view text, char separator) {
  const std::string swapped = SwapSeparator(text, separator);
  Check(swapped.size() == text.size(), "SwapSeparator keeps the length", text);
  std::size_t changes = 0;
  std::size_t at = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (swapped[i] != text[i]) {
      ++changes;
      at = i;
    }
  }
  const char other = separator == ',' ? '.' : separator == '.' ? ',' : 0;
  const std::size_t first = other != 0 ? text.find(other) : std::string_view::npos;
  if (first == std::string_view::npos) {
    Check(changes == 0, "SwapSeparator changes nothing without the other separator", text);
  } else {
    Check(changes == 1 && at == first && swapped[at] == separator, "SwapSeparator changes the first one only", text);
  }
}

// 10^(e-1) <= |value| < 10^e, from the shortest text of the value, which is exact in its exponent.
int DecimalExponent(double value) {
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific);
  const std::string_view s(text, static_cast<std::size_t>(r.ptr - text));
  int exponent = 0;
  std::from_chars(s.data() + s.find('e') + 1 + (s[s.find('e') + 1] == '+'), s.data() + s.size(), exponent);
  return exponent + 1;
}

bool HasNonZeroDigit(std::string_view text) {
  for (const char c : text) {
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

void CheckFormatFixed(double value, int precision, int decimals, char separator) {
  const std::string text = FormatFixed(value, precision, decimals, separator);
  if (std::isnan(value)) {
    Check(text == "NAN", "NaN is NAN", text);
    return;
  }
  if (std::isinf(value)) {
    Check(text == (value < 0 ? "-INF" : "INF"), "infinities are words", text);
    return;
  }
  Check(text.size() <= 40, "FormatFixed texts are short", text);
  Check(text[0] != '-' || HasNonZeroDigit(text), "FormatFixed never writes a negative zero", text);
  Check(text[0] != '-' || value < 0, "only negative values get a minus", text);

  const int p = std::clamp(precision, 1, 18);
  const int d = std::clamp(decimals, 0, 18);
  const bool scientific = text.find('E') != std::string::npos;
  const DecimalParse back = ParseDecimal(text, separator);
  if (scientific && back.status == DecimalParse::Status::Overflow) {
    // Rounded to P digits, a value next to the largest double can exceed it ("2E308").
    Check(std::fabs(value) > 1e307, "only the largest values round beyond the double range", text);
    return;
  }
  Check(back.ok(), "FormatFixed text reads back", text);
  if (!scientific) {
    const std::size_t sep = text.find(separator);
    Check(sep != std::string::npos && text.size() - sep - 1 == static_cast<std::size_t>(d),
          "the fixed form has exactly D decimals", text);
  }
  if (value == 0) {
    Check(back.value == 0, "zero reads back as zero", text);
    return;
  }
  const int e = DecimalExponent(value);
  // The last kept digit: the P-th significant one, or the D-th decimal when that comes first.
  const int lastPlace = scientific ? e - p : std::max(e - p, -d);
  const double tolerance = 0.5 * std::pow(10.0, lastPlace) + 1e-15 * std::fabs(value);
  Check(std::fabs(back.value - value) <= tolerance, "FormatFixed text is within half a unit of its last digit",
        text);
}

void CheckFormatGeneral(double value, char separator) {
  const std::string text = FormatGeneral(value, separator);
  if (!std::isfinite(value)) return;
  if (value == 0) {
    Check(text == "0", "zero is 0", text);
    return;
  }
  Check(text[0] != '-' || value < 0, "only negative values get a minus", text);
  const std::size_t sep = text.find(separator);
  const std::size_t exp = text.find('E');
  if (sep != std::string::npos) {
    const char last = exp != std::string::npos ? text[exp - 1] : text.back();
    Check(last != '0' && last != separator, "no trailing zeros and no bare separator", text);
  }
  const DecimalParse back = ParseDecimal(text, separator);
  if (back.status == DecimalParse::Status::Overflow) {
    // Rounded to 15 digits, the largest doubles exceed the double range ("1.79769313486232E308").
    Check(std::fabs(value) > 1e308, "only the largest values round beyond the double range", text);
    return;
  }
  Check(back.ok(), "FormatGeneral text reads back", text);
  const int e = DecimalExponent(value);
  const double tolerance = 0.5 * std::pow(10.0, e - 15) + 1e-15 * std::fabs(value);
  Check(std::fabs(back.value - value) <= tolerance, "FormatGeneral text is within its fifteen digits", text);
  // Fixed notation exactly from 1E-4 to below 1E15.
  const double magnitude = std::fabs(back.value);
  if (exp == std::string::npos) {
    Check(magnitude >= 1e-4 && magnitude < 1e15, "fixed notation only from 1E-4 to below 1E15", text);
  } else {
    Check(magnitude < 1e-4 || magnitude >= 1e15, "scientific notation only outside 1E-4 to 1E15", text);
  }
}

// The shortest text of any double, with either separator and blanks around, reads back exactly.
void CheckRoundTrip(double value, char separator, int form, int leading, int trailing) {
  if (!std::isfinite(value)) return;
  static constexpr std::chars_format kForms[] = {std::chars_format::general, std::chars_format::fixed,
                                                 std::chars_format::scientific};
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, kForms[form]);
  std::string text(static_cast<std::size_t>(leading), ' ');
  text.append(buffer, r.ptr);
  text.append(static_cast<std::size_t>(trailing), ' ');
  if (const auto dot = text.find('.'); dot != std::string::npos) text[dot] = separator;
  const DecimalParse back = ParseDecimal(text, separator);
  Check(back.ok() && std::bit_cast<std::uint64_t>(back.value) == std::bit_cast<std::uint64_t>(value),
        "the shortest text of a double reads back exactly", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int rule = in.ConsumeIntegralInRange<int>(0, 5);
  const char separator = in.ConsumeBool() ? ',' : '.';
  switch (rule) {
    case 0:
      CheckParseWhole(in.ConsumeRemainingBytesAsString());
      break;
    case 1:
      CheckParseDecimal(in.ConsumeRemainingBytesAsString(), separator);
      break;
    case 2: {
      const char any = in.ConsumeIntegral<char>();
      const std::string text = in.ConsumeRemainingBytesAsString();
      CheckSwapSeparator(text, separator);
      CheckSwapSeparator(text, any);
      break;
    }
    case 3: {
      const double value = std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
      const int precision = in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(0, 19);
      const int decimals = in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(-1, 19);
      CheckFormatFixed(value, precision, decimals, separator);
      break;
    }
    case 4:
      CheckFormatGeneral(std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>()), separator);
      break;
    default: {
      const double value = std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
      const int form = in.ConsumeIntegralInRange<int>(0, 2);
      const int leading = in.ConsumeIntegralInRange<int>(0, 3);
      const int trailing = in.ConsumeIntegralInRange<int>(0, 3);
      CheckRoundTrip(value, separator, form, leading, trailing);
      break;
    }
  }
  return 0;
}
