// What a spreadsheet workbook of the samples holds, cell by cell, before any file is written:
// the samples sheet with their values and inputs, the method sheet with the conditions, and
// the colour difference table. The writer only turns these cells into the file's.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/displaycolour.h"
#include "logic/differencetable.h"
#include "logic/language.h"
#include "logic/storedsample.h"

namespace tintavis {

// The text colour that reads better on a fill.
enum class Ink { Black, White };
Ink InkOn(SwatchColour fill);

struct SheetCell {
  enum class Kind { Empty, Text, Number, Boolean };
  Kind kind = Kind::Empty;
  std::string text;
  double number = 0;
  bool flag = false;
  // A number's format as spreadsheets write it ("0.000", "yyyy-mm-dd hh:mm:ss"); empty for
  // the general format.
  std::string format;
  bool bold = false;
  std::optional<SwatchColour> fill;
  Ink ink = Ink::Black;

  static SheetCell Blank() { return {}; }
  static SheetCell Of(std::string text);
  static SheetCell Of(double number, std::string format = {});
  static SheetCell Of(bool flag);
  static SheetCell Heading(std::string_view text);
};

using SheetRow = std::vector<SheetCell>;

struct Sheet {
  std::string name;
  std::vector<SheetRow> rows;
  std::vector<double> columnWidths;  // in characters, from the first column on
};

// "0", "0.0", "0.00", "0.000": the format of a number shown with `decimals` decimals.
std::string DecimalsFormat(int decimals);

// A moment as spreadsheets count it: days since 1899-12-30, local time.
double SpreadsheetTime(std::chrono::system_clock::time_point at);

// A sample's name as the sheet holds it: without the blank the grid adds after it.
std::string SheetName(std::string_view name);

// The headings, then one row per sample: the name (filled with the sample's display colour),
// the ten values with the grid's decimals (empty where the grid shows "--"), and the inputs
// (empty for rows opened from a file).
Sheet SamplesSheet(const std::vector<StoredSample>& samples, Language language);

// The conditions: illuminant, observer, method, the result path lengths of the samples, and
// the program and its version.
Sheet MethodSheet(const std::vector<StoredSample>& samples, Language language);

// The colour difference table under the name of its reference or target, with its message.
Sheet DifferencesSheet(const DifferenceTable& table, Language language);

// One of the workbook's messages with its %1 filled in.
std::string WorkbookMessage(BilingualText text, std::string_view argument, Language language);

}  // namespace tintavis
