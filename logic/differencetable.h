// The table of the colour difference window: every sample of the grid against a reference
// sample, computed from the grid's texts (the grid is the only store of results, so rows
// opened from a file work as calculated ones do).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "logic/resultsgrid.h"

namespace tintavis {

using headings::kDifferenceColumns;  // number, name, ΔL*, Δa*, Δb*, ΔC*, ΔH*, ΔE*ab, ΔE00

// Column headings of the table and of its copy on the clipboard.
std::array<std::string, kDifferenceColumns> DifferenceHeader(Language language);

struct DifferenceTable {
  // One row per sample: its number, its name, then the seven differences with two decimals, or
  // empty texts when the row's L*, a* or b* does not read as a number.
  std::vector<std::array<std::string, kDifferenceColumns>> rows;
  std::string message;  // one line under the table when some row could not be compared
};

// Samples are grid rows 1 to `samples`; `referenceRow` is one of them.
DifferenceTable MakeDifferenceTable(const ResultsGrid& grid, int samples, int referenceRow, char separator,
                                    Language language);

// The table as TAB-separated text with its header line, for the clipboard.
std::string DifferenceTableText(const DifferenceTable& table, Language language);

// The entries of the reference chooser: "row  name" for every sample row.
std::vector<std::string> ReferenceChoices(const ResultsGrid& grid, int samples);

}  // namespace tintavis
