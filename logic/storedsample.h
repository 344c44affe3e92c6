// One sample as the program keeps it: the texts its grid row shows and what lies behind them,
// so that every view (the grid, saving, printing, workbooks, reports, colour differences) takes
// numbers and inputs from here instead of reading the row's texts back.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "core/colour.h"
#include "core/colourdifference.h"
#include "logic/resultsgrid.h"

namespace tintavis {

// Where a row's values came from.
enum class SampleOrigin {
  Calculated,      // "Calcular", or a reading imported as if typed
  OpenedFromFile,  // a data file's row: the numbers the file holds, no inputs
  FromSpectrum,    // the full method from a measured spectrum
};

// The ten numbers behind a row's value cells, in grid order (X, Y, Z, L*, C*, h, a*, b*,
// Intensity, Tonality); empty where the cell shows "--" or holds no number.
using RowValues = std::array<std::optional<double>, 10>;

// The ten values of a computed sample; Intensity and Tonality only for red and rosé wines, as
// the grid shows them.
inline RowValues ValuesOf(const ColourResult& colour, WineType wine) {
  RowValues values = {colour.X, colour.Y, colour.Z, colour.L, colour.C,
                      colour.h, colour.a, colour.b, colour.intensity, colour.tonality};
  if (wine == WineType::WhiteBrandy) values[8] = values[9] = std::nullopt;
  return values;
}

// L*, a* and b* of a row's values, where all three are numbers.
inline std::optional<Lab> LabOf(const RowValues& values) {
  const auto& L = values[kLColumn - kFirstValueColumn];
  const auto& a = values[kAColumn - kFirstValueColumn];
  const auto& b = values[kBColumn - kFirstValueColumn];
  if (!L || !a || !b) return std::nullopt;
  return Lab{*L, *a, *b};
}

struct StoredSample {
  SampleRecord cells;  // the name and the ten value texts, exactly as the grid shows them
  SampleOrigin origin = SampleOrigin::Calculated;
  RowValues values;  // full precision when computed, the file's numbers when opened
  // Calculated rows: wine type, both path lengths and the four absorbances as parsed, and the
  // absorbances' texts as typed ("," kept). Spectrum rows keep the wine type and path lengths
  // with the absorbances at zero.
  std::optional<SampleInput> input;
  std::array<std::string, 4> absorbanceTexts;
  std::optional<std::chrono::system_clock::time_point> calculatedAt;
  bool edited = false;  // a value cell was changed by hand since the row was computed or opened
};

}  // namespace tintavis
