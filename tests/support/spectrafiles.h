// Spectra files made for the tests of "Abrir espectros" and tintavis-calc --spectra.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tintavis::testing {

using Knots = std::vector<std::pair<double, double>>;  // (nm, absorbance), rising

// The synthetic red wine of tests/core/fullspectrum_reference.py in a 2 mm cell: its absorbances
// at 450, 520, 570 and 630 nm are those of the four-absorbance method's reference red wine
// (0.5, 0.8, 0.6, 0.2), which the grid shows as 3.213, 1.403, 0.368, 12.0, ... at 10 mm.
inline const Knots kReferenceRedKnots = {{380, 0.95}, {420, 0.55}, {450, 0.5}, {520, 0.8},
                                         {570, 0.6},  {630, 0.2},  {700, 0.06}, {780, 0.03}};

// The same five times as dark: in a 2 mm cell the four-absorbance estimate refuses it.
inline Knots Scaled(const Knots& knots, double factor) {
  Knots out = knots;
  for (auto& k : out) k.second *= factor;
  return out;
}

inline double AbsorbanceAt(const Knots& knots, double nm) {
  for (std::size_t k = 0; k + 1 < knots.size(); ++k) {
    const auto [l0, a0] = knots[k];
    const auto [l1, a1] = knots[k + 1];
    if (nm >= l0 && nm <= l1) return a0 + (a1 - a0) * (nm - l0) / (l1 - l0);
  }
  return 0;
}

struct SampleSpectrum {
  std::string name;
  Knots knots;
};

// A TAB-separated spectra file, 380 to 780 nm every 5 nm, the absorbances with six decimals
// (or the transmittances 10^-A of those, to the last digit, times `scale`: 100 for percent);
// `preamble` goes before the header.
inline std::string SpectraFileText(const std::vector<SampleSpectrum>& samples, bool transmittance = false,
                                   const std::string& preamble = "", double scale = 1) {
  std::string text = preamble + "nm";
  for (const auto& s : samples) text += "\t" + s.name;
  text += "\n";
  for (int nm = 380; nm <= 780; nm += 5) {
    text += std::to_string(nm);
    for (const auto& s : samples) {
      char value[40];
      // Both forms hold the same absorbance: the one written with six decimals.
      const double a = std::round(AbsorbanceAt(s.knots, nm) * 1e6) / 1e6;
      if (transmittance) {
        std::snprintf(value, sizeof value, "\t%.17g", scale * std::pow(10.0, -a));
      } else {
        std::snprintf(value, sizeof value, "\t%.6f", a);
      }
      text += value;
    }
    text += "\n";
  }
  return text;
}

}  // namespace tintavis::testing
