#include "logic/differencetable.h"

#include <optional>

#include "logic/messages.h"
#include "logic/textrules.h"
#include "core/colourdifference.h"

namespace tintavis {
namespace {

// L*, a* and b* that the row keeps.
std::optional<Lab> RowLab(const SampleStore& store, int row) {
  if (!store.HoldsSample(row)) return std::nullopt;
  const RowValues& v = store.Sample(row).values;
  const auto& L = v[kLColumn - kFirstValueColumn];
  const auto& a = v[kAColumn - kFirstValueColumn];
  const auto& b = v[kBColumn - kFirstValueColumn];
  if (!L || !a || !b) return std::nullopt;
  return Lab{*L, *a, *b};
}

std::string Two(double v, char separator) { return FormatFixed(v, 18, 2, separator); }

}  // namespace

std::array<std::string, kDifferenceColumns> DifferenceHeader(Language language) {
  std::array<std::string, kDifferenceColumns> header;
  for (int c = 0; c < kDifferenceColumns; ++c) header[c] = headings::kDifference[c].In(language);
  return header;
}

DifferenceTable MakeDifferenceTable(const SampleStore& store, int referenceRow, char separator, Language language) {
  DifferenceTable table;
  if (store.SampleCount() == 0) return table;
  const std::optional<Lab> reference = RowLab(store, referenceRow);
  std::string unreadable;
  for (int row = 1; row <= store.SampleCount(); ++row) {
    std::array<std::string, kDifferenceColumns> cells;
    cells[0] = store.Cell(row, kNumberColumn);
    cells[1] = store.Cell(row, kNameColumn);
    const std::optional<Lab> lab = RowLab(store, row);
    std::optional<std::array<double, 7>> numbers;
    if (lab && reference) {
      const ColourDifferences d = ColourDifference(*reference, *lab);
      numbers = std::array<double, 7>{d.dL, d.da, d.db, d.dC, d.dH, d.dEab, d.dE00};
      for (int k = 0; k < 7; ++k) cells[k + 2] = Two((*numbers)[k], separator);
    } else if (!lab) {
      unreadable += (unreadable.empty() ? "" : ", ") + std::to_string(row);
    }
    table.rows.push_back(std::move(cells));
    table.values.push_back(numbers);
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

std::vector<std::string> ReferenceChoices(const SampleStore& store) {
  std::vector<std::string> choices;
  for (int row = 1; row <= store.SampleCount(); ++row) choices.push_back(store.Cell(row, 0) + "  " + store.Cell(row, 1));
  return choices;
}

}  // namespace tintavis
