// The table of the colour difference window: every sample of the grid against a reference
// sample, computed from the numbers each row keeps (full precision for calculated rows, the
// file's numbers for opened ones), as the batch tool computes them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "logic/samplestore.h"

namespace tintavis {

using headings::kDifferenceColumns;  // number, name, ΔL*, Δa*, Δb*, ΔC*, ΔH*, ΔE*ab, ΔE00

// Column headings of the table and of its copy on the clipboard.
std::array<std::string, kDifferenceColumns> DifferenceHeader(Language language);

struct DifferenceTable {
  // One row per sample: its number, its name, then the seven differences with two decimals, or
  // empty texts when the row keeps no L*, a* or b*.
  std::vector<std::array<std::string, kDifferenceColumns>> rows;
  // The seven differences of each row as numbers, or none where its texts are empty.
  std::vector<std::optional<std::array<double, 7>>> values;
  std::string message;  // one line under the table when some row could not be compared
};

// Every sample of the store against the sample of `referenceRow`.
DifferenceTable MakeDifferenceTable(const SampleStore& store, int referenceRow, char separator, Language language);

// The table as TAB-separated text with its header line, for the clipboard.
std::string DifferenceTableText(const DifferenceTable& table, Language language);

// The entries of the reference chooser: "row  name" for every sample row.
std::vector<std::string> ReferenceChoices(const SampleStore& store);

}  // namespace tintavis
