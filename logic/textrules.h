// Text rules shared by the window, the data files and the batch tool: reading whole and real
// numbers as the user types them, swapping the decimal separator, and the number text of a
// results-grid cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintavis {

// The text without the characters of code 32 or less (blanks, TABs, line ends and other
// control characters) at either end.
std::string_view Trim(std::string_view text);

// UTF-8 text with its capital letters made small, for matching words whatever their case: the
// ASCII letters and the Latin-1 ones (À to Þ), which cover the words of Spanish and English
// ("ROSÉ" is "rosé"). Other characters are kept as they are.
std::string FoldCase(std::string_view utf8);

// The decimal separator of the user's locale as the program uses it: ',' when the locale's is
// ',', '.' for every other locale.
char ChooseDecimalSeparator(std::string_view localeSeparator);

// Whole number: leading blanks, optional sign, decimal digits or a hexadecimal form introduced
// by '$', 'x', 'X' or "0x"; nothing after the digits; signed 32-bit range. Empty when refused.
std::optional<std::int32_t> ParseWhole(std::string_view text);

struct DecimalParse {
  enum class Status { Ok, NotANumber, Overflow };
  Status status = Status::NotANumber;
  double value = 0;
  bool ok() const { return status == Status::Ok; }
};

// Real number with `separator` as the only decimal separator: leading blanks, optional sign,
// digits with at most one separator, optional exponent, trailing blanks. Too large for a double
// gives Overflow; too small quietly gives 0.
DecimalParse ParseDecimal(std::string_view text, char separator);

// The first '.' (when the separator is ',') or the first ',' (when it is '.') becomes the
// separator; the rest of the text is untouched.
std::string SwapSeparator(std::string_view text, char separator);

// The text of one value cell: P significant digits at most, D decimals, half-up rounding of the
// 18-digit decimal expansion, scientific form when the integer part needs more than P digits,
// never "-0".
std::string FormatFixed(double value, int precision, int decimals, char separator);

// Room that FormatFixedTo needs: '-', 18 integer digits, the separator, 18 decimals.
inline constexpr std::size_t kFixedTextMax = 40;

// FormatFixed written into `out`, which has room for kFixedTextMax characters; returns the end
// of the text. For writers of many cells, which need no string per cell.
char* FormatFixedTo(char* out, double value, int precision, int decimals, char separator);

// The general number text of a cell read from a data file: 15 significant digits, trailing
// zeros and a bare separator dropped; fixed notation from 1E-4 up to below 1E15, otherwise
// scientific ("5E-5", "1.5E-7", "1E15"); zero is "0".
std::string FormatGeneral(double value, char separator);

// A name made fit for one field of a data file: TAB, CR, LF, NUL and byte 26 (which ends a text
// file for some readers) would split the row or make the file unreadable, so each becomes a
// space.
struct FieldText {
  std::string text;
  bool changed = false;  // some character was replaced
};
FieldText ReplaceFieldBreakers(std::string_view text);

// The longest sample name the grid takes, in characters: a longer one (a file whose names run
// for megabytes) would stall the window laying out its text.
inline constexpr std::size_t kMaxNameCharacters = 1000;

// Cuts a UTF-8 name to its first kMaxNameCharacters characters; true when it was longer.
bool CutLongName(std::string& utf8);

}  // namespace tintavis
