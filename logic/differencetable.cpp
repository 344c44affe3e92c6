#include "logic/differencetable.h"

#include <optional>

#include "logic/messages.h"
#include "logic/textrules.h"
#include "core/colourdifference.h"

namespace tintavis {
namespace {

// L*, a* and b* of a row as the grid holds them, read with either decimal separator.
std::optional<Lab> RowLab(const ResultsGrid& grid, int row, char separator) {
  double v[3];
  const int columns[3] = {kLColumn, kAColumn, kBColumn};
  for (int k = 0; k < 3; ++k) {
    const RealParse parsed = ParseReal(SwapSeparator(grid.Cell(row, columns[k]), separator), separator);
    if (!parsed.ok()) return std::nullopt;
    v[k] = parsed.value;
  }
  return Lab{v[0], v[1], v[2]};
}

std::string Two(double v, char separator) { return FormatFixed(v, 18, 2, separator); }

}  // namespace

std::array<std::string, kDifferenceColumns> DifferenceHeader(Language language) {
  std::array<std::string, kDifferenceColumns> header;
  for (int c = 0; c < kDifferenceColumns; ++c) header[c] = headings::kDifference[c].In(language);
  return header;
}

DifferenceTable MakeDifferenceTable(const ResultsGrid& grid, int samples, int referenceRow, char separator,
                                    Language language) {
  DifferenceTable table;
  const std::optional<Lab> reference = RowLab(grid, referenceRow, separator);
  std::string unreadable;
  for (int row = 1; row <= samples; ++row) {
    std::array<std::string, kDifferenceColumns> cells;
    cells[0] = grid.Cell(row, kNumberColumn);
    cells[1] = grid.Cell(row, kNameColumn);
    const std::optional<Lab> lab = RowLab(grid, row, separator);
    if (lab && reference) {
      const ColourDifferences d = ColourDifference(*reference, *lab);
      const double values[7] = {d.dL, d.da, d.db, d.dC, d.dH, d.dEab, d.dE00};
      for (int k = 0; k < 7; ++k) cells[k + 2] = Two(values[k], separator);
    } else if (!lab) {
      unreadable += (unreadable.empty() ? "" : ", ") + std::to_string(row);
    }
    table.rows.push_back(std::move(cells));
  }
  if (!reference) {
    table.message = ReferenceWithoutLabMessage(referenceRow, language);
  } else if (!unreadable.empty()) {
    table.message = RowsWithoutLabMessage(unreadable, language);
  }
  return table;
}

std::string DifferenceTableText(const DifferenceTable& table, Language language) {
  std::string text;
  auto line = [&text](const std::array<std::string, kDifferenceColumns>& cells) {
    for (int c = 0; c < kDifferenceColumns; ++c) {
      if (c > 0) text += '\t';
      text += cells[c];
    }
    text += '\n';
  };
  line(DifferenceHeader(language));
  for (const auto& row : table.rows) line(row);
  return text;
}

std::vector<std::string> ReferenceChoices(const ResultsGrid& grid, int samples) {
  std::vector<std::string> choices;
  for (int row = 1; row <= samples; ++row) choices.push_back(grid.Cell(row, 0) + "  " + grid.Cell(row, 1));
  return choices;
}

}  // namespace tintavis
