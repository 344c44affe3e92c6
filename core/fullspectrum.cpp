#include "core/fullspectrum.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>

#include "core/cietables.h"

namespace tintavis {
namespace {

constexpr double kLn10 = std::numbers::ln10;

static_assert(cie::kFirstNm == kVisibleFirstNm && cie::kLastNm == kVisibleLastNm);

// CIELAB with the CIE's exact constants: f(t) = t^(1/3) above (6/29)^3, the straight line that
// meets it smoothly below.
constexpr double kLabEpsilon = 216.0 / 24389.0;
constexpr double kLabKappa = 24389.0 / 27.0;

double LabCompress(double t) { return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16) / 116; }

bool StepSupported(int stepNm) { return stepNm == 1 || stepNm == 2 || stepNm == 5 || stepNm == 10; }

// The first wavelength of the grid at or above 380 nm.
int FirstVisibleNm(int firstNm, int stepNm) {
  if (firstNm >= kVisibleFirstNm) return firstNm;
  const std::int64_t below = kVisibleFirstNm - std::int64_t{firstNm};
  return static_cast<int>(firstNm + (below + stepNm - 1) / stepNm * stepNm);
}

// k * sum of S * (x10, y10, z10) * T over the grid's wavelengths from 380 to 780 nm, with
// k = 100 / sum of S * y10 on the same wavelengths, so that T = 1 everywhere gives Y = 100.
template <typename Transmittance>
Tristimulus3 SumTristimulus(int firstNm, int stepNm, Transmittance transmittance) {
  double sx = 0, sy = 0, sz = 0, white = 0;
  for (int nm = FirstVisibleNm(firstNm, stepNm); nm <= kVisibleLastNm; nm += stepNm) {
    const CieRow& row = cie::kRows[nm - kVisibleFirstNm];
    const double t = transmittance(nm);
    sx += row.d65 * row.xBar * t;
    sy += row.d65 * row.yBar * t;
    sz += row.d65 * row.zBar * t;
    white += row.d65 * row.yBar;
  }
  const double k = 100 / white;
  return {k * sx, k * sy, k * sz};
}

std::optional<SpectrumFailure> Refusal(const MeasuredSpectrum& spectrum) {
  if (!StepSupported(spectrum.stepNm)) return SpectrumFailure::StepNotSupported;
  const std::int64_t count = static_cast<std::int64_t>(spectrum.absorbance.size());
  const std::int64_t lastNm = spectrum.firstNm + (count - 1) * spectrum.stepNm;
  if (count == 0 || spectrum.firstNm > kVisibleFirstNm || lastNm < kVisibleLastNm) {
    return SpectrumFailure::RangeNotCovered;
  }
  if (spectrum.d <= 0 || spectrum.r <= 0) return SpectrumFailure::PathLengthNotPositive;
  return std::nullopt;
}

// Absorbance at the result path length, in the order the four-absorbance method refers it:
// divided by d, multiplied by r.
double AtResult(const MeasuredSpectrum& spectrum, double absorbance) {
  return absorbance / spectrum.d * spectrum.r;
}

}  // namespace

std::span<const CieRow> CieTable() { return cie::kRows; }

Tristimulus3 WhitePoint(int firstNm, int stepNm) {
  if (stepNm <= 0 || firstNm > kVisibleLastNm) return {};
  return SumTristimulus(firstNm, stepNm, [](int) { return 1.0; });
}

double AbsorbanceAt(const MeasuredSpectrum& spectrum, double nm) {
  const double position = (nm - spectrum.firstNm) / spectrum.stepNm;
  const auto last = static_cast<double>(spectrum.absorbance.size()) - 1;
  if (spectrum.stepNm <= 0 || !(position >= 0 && position <= last)) return std::numeric_limits<double>::quiet_NaN();
  const auto i = static_cast<std::size_t>(std::floor(position));
  const double fraction = position - std::floor(position);
  const double here = spectrum.absorbance[i];
  if (fraction == 0) return here;
  return here + (spectrum.absorbance[i + 1] - here) * fraction;
}

FullSpectrumOutcome ComputeFullSpectrumColour(const MeasuredSpectrum& spectrum) {
  if (const auto refusal = Refusal(spectrum)) return *refusal;

  const Tristimulus3 xyz = SumTristimulus(spectrum.firstNm, spectrum.stepNm, [&](int nm) {
    const auto i = static_cast<std::size_t>((nm - spectrum.firstNm) / spectrum.stepNm);
    // Beer-Lambert from d mm to r mm, as the four-absorbance method evaluates it.
    return std::exp(kLn10 * (-spectrum.absorbance[i]) / spectrum.d * spectrum.r);
  });
  if (!std::isfinite(xyz.X) || !std::isfinite(xyz.Y) || !std::isfinite(xyz.Z)) return SpectrumFailure::NotFinite;
  const Tristimulus3 white = WhitePoint(spectrum.firstNm, spectrum.stepNm);

  FullSpectrumColour out;
  ColourResult& c = out.colour;
  c.X = xyz.X;
  c.Y = xyz.Y;
  c.Z = xyz.Z;
  const double fx = LabCompress(xyz.X / white.X);
  const double fy = LabCompress(xyz.Y / white.Y);
  const double fz = LabCompress(xyz.Z / white.Z);
  c.L = 116 * fy - 16;
  c.a = 500 * (fx - fy);
  c.b = 200 * (fy - fz);
  c.C = std::sqrt(c.a * c.a + c.b * c.b);
  c.h = HueAngle(c.a, c.b);

  const double a420 = AtResult(spectrum, AbsorbanceAt(spectrum, 420));
  const double a520 = AtResult(spectrum, AbsorbanceAt(spectrum, 520));
  const double a620 = AtResult(spectrum, AbsorbanceAt(spectrum, 620));
  c.intensity = a420 + a520 + a620;
  out.hasTonality = a520 != 0;
  c.tonality = out.hasTonality ? a420 / a520 : 0;
  if (!std::isfinite(c.intensity) || !std::isfinite(c.tonality)) return SpectrumFailure::NotFinite;
  return out;
}

EstimateCheckOutcome CheckFourWavelengthEstimate(const MeasuredSpectrum& spectrum, WineType wine) {
  const FullSpectrumOutcome full = ComputeFullSpectrumColour(spectrum);
  if (const auto* failure = std::get_if<SpectrumFailure>(&full)) return *failure;
  const FullSpectrumColour& reference = std::get<FullSpectrumColour>(full);

  // The estimate is given the absorbances as the lab would type them: measured in d mm.
  SampleInput input;
  input.wine = wine;
  input.d = spectrum.d;
  input.r = spectrum.r;
  input.a450 = AbsorbanceAt(spectrum, 450);
  input.a520 = AbsorbanceAt(spectrum, 520);
  input.a570 = AbsorbanceAt(spectrum, 570);
  input.a630 = AbsorbanceAt(spectrum, 630);
  const Computed<ColourResult> estimate = ComputeColour(input);

  ColourDifferences difference;
  if (estimate.ok()) {
    const ColourResult& e = estimate.value();
    const ColourResult& f = reference.colour;
    difference = ColourDifference({f.L, f.a, f.b}, {e.L, e.a, e.b});
  }
  return EstimateCheck{reference, estimate, difference};
}

}  // namespace tintavis
