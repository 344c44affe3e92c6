#include "core/colour.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "core/tables.h"

namespace tintavis {
namespace {

constexpr double kLn10 = std::numbers::ln10;

// A stored quantity beyond the double range is the overflow fault.
bool Overflowed(double v) { return std::isinf(v); }

// Decadic absorbance of a positive transmittance. A transmittance that underflowed to 0 makes
// the logarithm a division by zero, as the arithmetic would report it.
Computed<double> Absorbance(double t) {
  if (t == 0) return ComputeFailure::DivisionByZero;
  return -std::log(t) / kLn10;
}

// f(t) of the CIELAB compression: linear below the threshold, cube root above.
double LabCompress(double t) {
  if (t <= tables::kLabThreshold) return tables::kLabSlope * t + tables::kLabOffset;
  // exp(log t / 3) rather than cbrt or pow: kept in this form, since the others move the last
  // digits of L*, a* and b*.
  return std::exp(std::log(t) / 3);
}

}  // namespace

int ModelPathLength(WineType wine) { return wine == WineType::RedRose ? 2 : 10; }

std::string_view FaultText(ComputeFailure failure) {
  switch (failure) {
    case ComputeFailure::DivisionByZero: return "Floating point division by zero";
    case ComputeFailure::InvalidOperation: return "Invalid floating point operation";
    case ComputeFailure::Overflow: return "Floating point overflow";
    case ComputeFailure::ColourOutOfRange: break;
  }
  return {};
}

Computed<Spectrum31> ReconstructSpectrum(double a450, double a520, double a570, double a630, int d, int m) {
  const double absorbance[4] = {a450, a520, a570, a630};

  // Beer-Lambert from d mm to m mm, evaluated in the order ln 10 * (-A) / d * m, then exp.
  // With d = 0 the first wavelength already fails: 0/0 is an invalid operation, anything else
  // divided by zero a division by zero.
  if (d == 0) return absorbance[0] == 0 ? ComputeFailure::InvalidOperation : ComputeFailure::DivisionByZero;
  double t[4];
  for (int k = 0; k < 4; ++k) {
    t[k] = std::exp(kLn10 * (-absorbance[k]) / d * m);
    if (Overflowed(t[k])) return ComputeFailure::Overflow;
  }

  double c[4];
  for (int i = 0; i < 4; ++i) {
    const auto& row = tables::kModelCoefficients[i];
    c[i] = row[0] + row[1] * t[0] + row[2] * t[1] + row[3] * t[2] + row[4] * t[3];
    // Transmittances near the top of the double range give weights beyond it; a sum of
    // opposite infinities is the same overflow seen one step later.
    if (!std::isfinite(c[i])) return ComputeFailure::Overflow;
  }

  Spectrum31 s{};
  for (int j = 0; j < kSpectrumPoints; ++j) {
    const auto& b = tables::kSpectralBasis[j];
    s[j] = b[0] + c[0] * b[1] + c[1] * b[2] + c[2] * b[3] + c[3] * b[4];
    if (!std::isfinite(s[j])) return ComputeFailure::Overflow;
    // Each point is tested as soon as it exists; zero counts as out of range, values above 1
    // are accepted.
    if (!(s[j] > 0)) return ComputeFailure::ColourOutOfRange;
  }
  return s;
}

Computed<Spectrum31> ReferSpectrum(const Spectrum31& spectrum, int m, int r) {
  Spectrum31 a{};
  for (int j = 0; j < kSpectrumPoints; ++j) a[j] = -std::log(spectrum[j]) / kLn10;
  for (int j = 0; j < kSpectrumPoints; ++j) a[j] = a[j] / m * r;
  Spectrum31 t{};
  for (int j = 0; j < kSpectrumPoints; ++j) {
    t[j] = std::exp(kLn10 * (-1 * a[j]));
    if (Overflowed(t[j])) return ComputeFailure::Overflow;
  }
  return t;
}

Tristimulus3 Tristimulus(const Spectrum31& spectrum) {
  double sumWeightsY = 0;
  for (const auto& w : tables::kD65Weights) sumWeightsY += w[1];
  const double k = 100 / sumWeightsY;

  double sx = 0, sy = 0, sz = 0;
  for (int j = 0; j < kSpectrumPoints; ++j) {
    sx += tables::kD65Weights[j][0] * spectrum[j];
    sy += tables::kD65Weights[j][1] * spectrum[j];
    sz += tables::kD65Weights[j][2] * spectrum[j];
  }
  return {k * sx, k * sy, k * sz};
}

double HueAngle(double a, double b) {
  double h = a == 0 ? 90 : std::atan(b / a) * 360 / (2 * std::numbers::pi);
  // Exactly one quadrant correction: half a turn for a* < 0 (and for a* = 0 with b* < 0, which
  // makes 270), a whole turn for the fourth quadrant.
  if ((b < 0 && a <= 0) || (b >= 0 && a < 0)) {
    h += 180;
  } else if (b < 0 && a > 0) {
    h += 360;
  }
  return h;
}

Computed<ColourResult> ColourFromSpectrum(const Spectrum31& spectrum) {
  ColourResult out;

  // OIV indices from the spectrum at the result path length.
  const auto a420 = Absorbance(spectrum[tables::kIndex420]);
  if (!a420.ok()) return a420.failure();
  const auto a520 = Absorbance(spectrum[tables::kIndex520]);
  if (!a520.ok()) return a520.failure();
  const auto a620 = Absorbance(spectrum[tables::kIndex620]);
  if (!a620.ok()) return a620.failure();
  out.intensity = a420.value() + a520.value() + a620.value();
  if (a520.value() == 0) {
    return a420.value() == 0 ? ComputeFailure::InvalidOperation : ComputeFailure::DivisionByZero;
  }
  out.tonality = a420.value() / a520.value();
  if (Overflowed(out.intensity) || Overflowed(out.tonality)) return ComputeFailure::Overflow;

  const Tristimulus3 xyz = Tristimulus(spectrum);
  if (Overflowed(xyz.X) || Overflowed(xyz.Y) || Overflowed(xyz.Z)) return ComputeFailure::Overflow;
  out.X = xyz.X;
  out.Y = xyz.Y;
  out.Z = xyz.Z;

  const double fx = LabCompress(xyz.X / tables::kWhiteX);
  const double fy = LabCompress(xyz.Y / tables::kWhiteY);
  const double fz = LabCompress(xyz.Z / tables::kWhiteZ);
  out.L = (fy - tables::kLabOffset) * tables::kLabFactorL;
  out.a = (fx - fy) * tables::kLabFactorA;
  out.b = (fy - fz) * tables::kLabFactorB;
  out.C = std::sqrt(out.a * out.a + out.b * out.b);
  out.h = HueAngle(out.a, out.b);
  return out;
}

Computed<ColourResult> ComputeColour(const SampleInput& input, Spectrum31* referred) {
  const int m = ModelPathLength(input.wine);
  const auto model = ReconstructSpectrum(input.a450, input.a520, input.a570, input.a630, input.d, m);
  if (!model.ok()) return model.failure();
  const auto atResult = ReferSpectrum(model.value(), m, input.r);
  if (!atResult.ok()) return atResult.failure();
  auto result = ColourFromSpectrum(atResult.value());
  // The referred spectrum is handed back only with a result, so a failed sample leaves it alone.
  if (result.ok() && referred != nullptr) *referred = atResult.value();
  return result;
}

}  // namespace tintavis
