#include "logic/resultsgrid.h"

#include <algorithm>

#include "logic/textrules.h"

namespace tintavis {

std::array<std::string, kGridColumns> GridHeader(Language language) {
  std::array<std::string, kGridColumns> header;
  for (int c = 0; c < kGridColumns; ++c) header[c] = headings::kGrid[c];
  if (language == Language::English) {
    header[kNumberColumn] = headings::kGridEnglishNumber;
    header[kNameColumn] = headings::kGridEnglishName;
    header[kTonalityColumn] = headings::kGridEnglishTonality;
  }
  return header;
}

char* FormatValueCell(char* out, int k, const ColourResult& colour, WineType wine, char separator) {
  const double values[10] = {colour.X, colour.Y, colour.Z, colour.L, colour.C,
                             colour.h, colour.a, colour.b, colour.intensity, colour.tonality};
  // Intensity and Tonality are computed for every wine but shown for red and rosé only.
  const int shown = wine == WineType::RedRose ? 10 : 8;
  if (k >= shown) return std::copy(kNotApplicableCell.begin(), kNotApplicableCell.end(), out);
  return FormatFixedTo(out, values[k], kValueFormats[k].precision, kValueFormats[k].decimals, separator);
}

SampleRecord FormatResultRow(std::string_view name, const ColourResult& colour, WineType wine, char separator) {
  SampleRecord row;
  row[0] = name;
  char cell[kFixedTextMax];
  for (int k = 0; k < 10; ++k) row[k + 1].assign(cell, FormatValueCell(cell, k, colour, wine, separator));
  return row;
}

ResultsGrid::ResultsGrid() { WriteHeaderAndNumbers(); }

const std::string& ResultsGrid::Cell(int row, int column) const {
  static const std::string empty;
  if (row < 0 || row >= kStoredRows || column < 0 || column >= kGridColumns) return empty;
  return cells_[row][column];
}

void ResultsGrid::SetCell(int row, int column, std::string text) {
  if (row < 0 || row >= kStoredRows || column < 0 || column >= kGridColumns) return;
  cells_[row][column] = std::move(text);
}

void ResultsGrid::SetRowCount(int rows) { rowCount_ = std::clamp(rows, kStartRows, kStoredRows); }

void ResultsGrid::WriteHeaderAndNumbers() {
  for (int c = 0; c < kGridColumns; ++c) cells_[0][c] = headings::kGrid[c];
  for (int r = 1; r < kStoredRows; ++r) cells_[r][0] = std::to_string(r);
}

void ResultsGrid::WriteRecord(int row, const SampleRecord& record) {
  for (int c = 1; c < kGridColumns; ++c) SetCell(row, c, record[c - 1]);
}

SampleRecord ResultsGrid::Record(int row) const {
  SampleRecord record;
  for (int c = 1; c < kGridColumns; ++c) record[c - 1] = Cell(row, c);
  return record;
}

void ResultsGrid::EmptySampleCells(int first, int last) {
  for (int r = std::max(first, 1); r <= std::min(last, kStoredRows - 1); ++r) {
    for (int c = 1; c < kGridColumns; ++c) cells_[r][c].clear();
  }
}

void ResultsGrid::GrowFor(int nextRow) {
  if (nextRow > kStartRows && nextRow <= kStoredRows) SetRowCount(rowCount_ + 1);
}

}  // namespace tintavis
