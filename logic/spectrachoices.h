// What the user says about a file of spectra before it is read, in the window's spectra dialog
// or on tintavis-calc's command line.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "core/colour.h"
#include "logic/calculation.h"

namespace tintavis {

// What the values of a spectra file are. The user says which: a file cannot tell a fraction
// from a percentage (a dark wine measured in percent may hold nothing above 1).
enum class SpectraValues {
  Absorbance,            // decadic absorbance in the measurement cell
  Transmittance,         // transmittance from 0 to 1
  TransmittancePercent,  // transmittance from 0 to 100
};

// The wine (for the four-wavelength estimate, and whether Intensity and Tonality are shown), the
// cell the spectra were measured in, the path length the results are wanted for, and what the
// file's values are.
struct SpectraChoices {
  WineType wine = WineType::RedRose;
  std::int32_t d = 10;  // measurement path length, mm
  std::int32_t r = 10;  // result path length, mm
  SpectraValues values = SpectraValues::Absorbance;
};

// The two path lengths as typed: `choices` with them, or what is wrong and which field takes the
// focus. Checked in the order of the fields: empty (the prompt of the main window), not a whole
// number (the main window's error), below 1 mm.
enum class PathField { Measurement, Result };
struct PathLengthProblem {
  PathField field = PathField::Measurement;
  Message message;
};
using PathLengthsRead = std::variant<SpectraChoices, PathLengthProblem>;
PathLengthsRead ReadPathLengths(const std::string& measurement, const std::string& result, SpectraChoices choices,
                                Language language);

}  // namespace tintavis
