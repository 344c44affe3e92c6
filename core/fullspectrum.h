// Colour from a measured spectrum, and how far the four-absorbance estimate is from it.
//
// The whole-spectrum colour is the reference method for wine: transmittance at the result path
// length by Beer-Lambert, X, Y, Z from 380 to 780 nm with the CIE 1964 10-degree observer and
// illuminant D65 (Y = 100 for a transparent sample), CIELAB against the white point of the same
// sums, and the OIV Intensity and Tonality from the spectrum's own A420, A520 and A620.
//
// The 1 nm CIE tables are sampled at the spectrum's own wavelengths (the abridged summation of
// CIE 015): every 5 nm this gives the white point Xn = 94.812, Zn = 107.324, every 10 nm
// Xn = 94.825, Zn = 107.381, instead of 94.811 and 107.304 at 1 nm. CIELAB takes the CIE's own
// constants (216/24389, 24389/27, 16/116), not the rounded ones of the four-absorbance method.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "core/colour.h"
#include "core/colourdifference.h"

namespace tintavis {

// One row of the CIE tables at 1 nm: the 10-degree colour-matching functions and the relative
// power of D65.
struct CieRow {
  int nm = 0;
  double xBar = 0, yBar = 0, zBar = 0;
  double d65 = 0;
};

inline constexpr int kVisibleFirstNm = 380;
inline constexpr int kVisibleLastNm = 780;

// The rows from 380 to 780 nm, one per nanometre.
std::span<const CieRow> CieTable();

// A spectrum as a spectrophotometer measured it: decadic absorbances every `stepNm` nanometres
// from `firstNm`, in a cell of `d` mm; the results are wanted for `r` mm.
struct MeasuredSpectrum {
  int firstNm = 0;
  int stepNm = 0;
  std::span<const double> absorbance;
  std::int32_t d = 0;  // measurement path length, mm
  std::int32_t r = 0;  // result path length, mm
};

enum class SpectrumFailure {
  StepNotSupported,       // the step is not 1, 2, 5 or 10 nm
  RangeNotCovered,        // the spectrum does not reach from 380 to 780 nm
  PathLengthNotPositive,  // d or r is 0 or below
  NotFinite,              // an absorbance, transmittance or index is infinite or not a number
};

struct FullSpectrumColour {
  ColourResult colour;
  // A520 exactly 0 (a blank) leaves Tonality without meaning: it is then false and Tonality 0.
  bool hasTonality = true;
};

using FullSpectrumOutcome = std::variant<FullSpectrumColour, SpectrumFailure>;

// X, Y, Z of a perfectly transparent sample summed at the wavelengths firstNm + i * stepNm that
// lie from 380 to 780 nm: the CIELAB white point of a spectrum on that grid (Y = 100). Zero for
// a grid with no wavelength there.
Tristimulus3 WhitePoint(int firstNm, int stepNm);

// The decadic absorbance at `nm` in the measurement cell, straight between the two neighbouring
// points when `nm` falls between them; not a number when `nm` lies outside the spectrum.
double AbsorbanceAt(const MeasuredSpectrum& spectrum, double nm);

// The ten values of the whole-spectrum method at the result path length.
FullSpectrumOutcome ComputeFullSpectrumColour(const MeasuredSpectrum& spectrum);

// The four-absorbance estimate of a measured wine set against its whole-spectrum colour.
struct EstimateCheck {
  FullSpectrumColour full;
  // ComputeColour on the spectrum's own A450, A520, A570 and A630 (with d, r and the wine type),
  // or why it refused them; the whole-spectrum result stands either way.
  Computed<ColourResult> estimate;
  // The estimate minus the whole-spectrum colour (ΔL*, ..., ΔE00); zero when it was refused.
  ColourDifferences difference;
};

using EstimateCheckOutcome = std::variant<EstimateCheck, SpectrumFailure>;

EstimateCheckOutcome CheckFourWavelengthEstimate(const MeasuredSpectrum& spectrum, WineType wine);

}  // namespace tintavis
