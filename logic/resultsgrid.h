// The results grid's texts: its header row and the text of every cell of a calculated row.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/colour.h"
#include "logic/headings.h"

namespace tintavis {

using headings::kGridColumns;

// The grid's columns by name: 0 the row number, 1 the sample's name, 2 to 11 the ten values in
// the order of ColourResult.
enum GridColumn : int {
  kNumberColumn = 0,
  kNameColumn = 1,
  kXColumn = 2,
  kYColumn,
  kZColumn,
  kLColumn,
  kCColumn,
  kHueColumn,
  kAColumn,
  kBColumn,
  kIntensityColumn,
  kTonalityColumn,
};
static_assert(kTonalityColumn == kGridColumns - 1);
inline constexpr int kFirstValueColumn = kXColumn;

// The header row in one language, as a language switch leaves it.
std::array<std::string, kGridColumns> GridHeader(Language language);

// Intensity and Tonality of a white wine or brandy.
inline constexpr std::string_view kNotApplicableCell = "  --";

struct ColumnFormat {
  int precision;
  int decimals;
};
// FormatFixed precision and decimals of grid columns 2 to 11: X, Y, Z, L*, C*, h, a*, b*,
// Intensity, Tonality.
inline constexpr std::array<ColumnFormat, 10> kValueFormats = {{
    {5, 3}, {5, 3}, {5, 3}, {3, 1}, {4, 2}, {4, 2}, {4, 2}, {4, 2}, {4, 3}, {4, 3}}};

// One data row of the grid, columns 1 to 11: the name text and the ten value texts.
using SampleRecord = std::array<std::string, 11>;

// The text of value cell `k` (0 = X ... 9 = Tonality) of a calculated sample, written into `out`
// (room for kFixedTextMax characters); returns its end.
char* FormatValueCell(char* out, int k, const ColourResult& colour, WineType wine, char separator);

// The texts a calculated sample leaves in its row.
SampleRecord FormatResultRow(std::string_view name, const ColourResult& colour, WineType wine, char separator);

// The cell store of the results grid: text for rows 0 (header) to 50 whatever the number of
// rows the grid shows, so that a cell may hold text before its row is shown and text typed
// below the samples survives a clear.
class ResultsGrid {
 public:
  static constexpr int kStoredRows = 51;  // header and 50 sample rows
  static constexpr int kStartRows = 13;   // rows shown at start, header included
  static constexpr int kNumberWidth = 20;
  static constexpr int kNameWidth = 65;
  static constexpr int kValueWidth = 41;
  static constexpr int kRowHeight = 24;

  ResultsGrid();

  const std::string& Cell(int row, int column) const;
  // Rows outside 0..50 and columns outside 0..11 are ignored.
  void SetCell(int row, int column, std::string text);

  // Rows shown, header included: 13 to 51.
  int RowCount() const { return rowCount_; }
  void SetRowCount(int rows);

  // The grid's part of the set-up: the Spanish header row and the row numbers 1 to 50.
  void WriteHeaderAndNumbers();
  // Columns 1 to 11 of a calculated row.
  void WriteRecord(int row, const SampleRecord& record);
  SampleRecord Record(int row) const;
  // Empties columns 1 to 11 of rows `first` to `last`.
  void EmptySampleCells(int first, int last);
  // After a calculated row: once NextRow passes 13 the grid gains one row, up to 51.
  void GrowFor(int nextRow);

 private:
  std::array<std::array<std::string, kGridColumns>, kStoredRows> cells_;
  int rowCount_ = kStartRows;
};

}  // namespace tintavis
