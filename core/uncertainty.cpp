#include "core/uncertainty.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <vector>

namespace tintavis {
namespace {

// X, Y, Z, L*, a*, b*, Intensity and Tonality: the values differentiated through the computation.
constexpr int kDirect = 8;
using Direct = std::array<double, kDirect>;
enum DirectIndex { kX, kY, kZ, kL, kA, kB, kIntensity, kTonality };

// The ten values as the grid orders them, for accumulating variances.
constexpr int kAll = 10;
using All = std::array<double, kAll>;
enum AllIndex { kAllX, kAllY, kAllZ, kAllL, kAllC, kAllH, kAllA, kAllB, kAllIntensity, kAllTonality };

// Step of the central differences, in absorbance units. The truncation error grows as h^2 times
// the third derivative and the rounding error as eps / h. The values vary on a scale of about
// 0.05 absorbance at the steepest (ln 10 in the exponent, m / d up to 10), where h = 1e-5 keeps
// both near 1e-8 relative, far below any u(A) a photometer states.
constexpr double kAbsorbanceStep = 1e-5;

// Step in CIELAB units for the differences of a colour difference: the formulas vary on a scale
// of units, so 1e-4 keeps truncation and rounding near 1e-8.
constexpr double kLabStep = 1e-4;

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

Direct DirectOf(const ColourResult& c) { return {c.X, c.Y, c.Z, c.L, c.a, c.b, c.intensity, c.tonality}; }

// The sensitivities of all ten values from those of the eight direct ones: C* and h through the
// derivatives of sqrt(a^2 + b^2) and atan(b / a) at the sample's own a* and b*.
All AllOf(const Direct& s, const ColourResult& centre) {
  All out{};
  out[kAllX] = s[kX];
  out[kAllY] = s[kY];
  out[kAllZ] = s[kZ];
  out[kAllL] = s[kL];
  out[kAllA] = s[kA];
  out[kAllB] = s[kB];
  out[kAllIntensity] = s[kIntensity];
  out[kAllTonality] = s[kTonality];
  const double C = centre.C;
  if (C > 0) {
    out[kAllC] = (centre.a * s[kA] + centre.b * s[kB]) / C;
    out[kAllH] = (centre.a * s[kB] - centre.b * s[kA]) / (C * C) * kDegreesPerRadian;
  }
  return out;
}

// Accumulates u^2 * s s^T into the variances of the ten values and the covariance of L*, a*, b*.
void Accumulate(const Direct& sensitivity, double variance, const ColourResult& centre, All& variances,
                LabCovariance& lab) {
  const All s = AllOf(sensitivity, centre);
  for (int i = 0; i < kAll; ++i) variances[i] += variance * s[i] * s[i];
  const double labS[3] = {sensitivity[kL], sensitivity[kA], sensitivity[kB]};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) lab[i][j] += variance * labS[i] * labS[j];
  }
}

// Law of propagation over n absorbances (each with u(A)) and the path length d (with u(d)).
// `evaluate(k, delta)` gives the direct values with absorbance k moved by delta, or nullopt when
// the computation refuses that point.
template <typename Evaluate>
std::optional<ColourUncertainty> Propagate(const ColourResult& centre, std::span<const double> absorbance,
                                           double d, const InputUncertainty& uncertainty, Evaluate evaluate) {
  All variances{};
  LabCovariance lab{};
  Direct byPath{};
  const double uA2 = uncertainty.absorbance * uncertainty.absorbance;
  for (std::size_t k = 0; k < absorbance.size(); ++k) {
    const std::optional<Direct> plus = evaluate(k, kAbsorbanceStep);
    const std::optional<Direct> minus = evaluate(k, -kAbsorbanceStep);
    if (!plus || !minus) return std::nullopt;
    Direct s{};
    for (int i = 0; i < kDirect; ++i) {
      s[i] = ((*plus)[i] - (*minus)[i]) / (2 * kAbsorbanceStep);
      byPath[i] -= absorbance[k] / d * s[i];
    }
    Accumulate(s, uA2, centre, variances, lab);
  }
  Accumulate(byPath, uncertainty.pathLength * uncertainty.pathLength, centre, variances, lab);

  ColourUncertainty out;
  out.lab = lab;
  double* u[kAll] = {&out.u.X, &out.u.Y, &out.u.Z, &out.u.L, &out.u.C,
                     &out.u.h, &out.u.a, &out.u.b, &out.u.intensity, &out.u.tonality};
  for (int i = 0; i < kAll; ++i) *u[i] = std::sqrt(variances[i]);
  out.hueHasUncertainty = centre.C > 0 && kCoverageFactor * out.u.h <= kLargestHueUncertainty;
  if (!out.hueHasUncertainty) out.u.h = 0;
  return out;
}

double Quadratic(const std::array<double, 3>& g, const LabCovariance& v) {
  double sum = 0;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) sum += g[i] * v[i][j] * g[j];
  }
  return sum;
}

Lab Moved(Lab lab, int axis, double delta) {
  double* component[3] = {&lab.L, &lab.a, &lab.b};
  *component[axis] += delta;
  return lab;
}

}  // namespace

ColourResult Expanded(const ColourResult& s) {
  const double k = kCoverageFactor;
  return {k * s.X, k * s.Y, k * s.Z, k * s.L, k * s.C, k * s.h, k * s.a, k * s.b, k * s.intensity, k * s.tonality};
}

Computed<ColourUncertainty> PropagateUncertainty(const SampleInput& input, const InputUncertainty& uncertainty) {
  const Computed<ColourResult> centre = ComputeColour(input);
  if (!centre.ok()) return centre.failure();
  const std::array<double, 4> absorbance = {input.a450, input.a520, input.a570, input.a630};
  auto evaluate = [&input](std::size_t k, double delta) -> std::optional<Direct> {
    SampleInput moved = input;
    double* a[4] = {&moved.a450, &moved.a520, &moved.a570, &moved.a630};
    *a[k] += delta;
    const Computed<ColourResult> result = ComputeColour(moved);
    if (!result.ok()) return std::nullopt;
    return DirectOf(result.value());
  };
  auto out = Propagate(centre.value(), absorbance, input.d, uncertainty, evaluate);
  // The sample itself is computable but a point next to it is not: it lies on the model's edge.
  if (!out) return ComputeFailure::ColourOutOfRange;
  return *out;
}

std::optional<ColourUncertainty> PropagateSpectrumUncertainty(const MeasuredSpectrum& spectrum,
                                                              const InputUncertainty& uncertainty) {
  const FullSpectrumOutcome centre = ComputeFullSpectrumColour(spectrum);
  const auto* colour = std::get_if<FullSpectrumColour>(&centre);
  if (colour == nullptr) return std::nullopt;
  std::vector<double> moved(spectrum.absorbance.begin(), spectrum.absorbance.end());
  auto evaluate = [&](std::size_t k, double delta) -> std::optional<Direct> {
    const double kept = moved[k];
    moved[k] += delta;
    MeasuredSpectrum changed = spectrum;
    changed.absorbance = moved;
    const FullSpectrumOutcome result = ComputeFullSpectrumColour(changed);
    moved[k] = kept;
    const auto* c = std::get_if<FullSpectrumColour>(&result);
    if (c == nullptr) return std::nullopt;
    Direct values = DirectOf(c->colour);
    // A blank at 520 nm has no Tonality, and so no uncertainty of it.
    if (!c->hasTonality || !colour->hasTonality) values[kTonality] = 0;
    return values;
  };
  return Propagate(colour->colour, spectrum.absorbance, spectrum.d, uncertainty, evaluate);
}

double Difference(const Lab& reference, const Lab& sample, DifferenceFormula formula) {
  if (formula == DifferenceFormula::De00) return Ciede2000(reference, sample);
  return std::sqrt((sample.L - reference.L) * (sample.L - reference.L) +
                   (sample.a - reference.a) * (sample.a - reference.a) +
                   (sample.b - reference.b) * (sample.b - reference.b));
}

DifferenceUncertainty DifferenceWithUncertainty(const Lab& reference, const LabCovariance& referenceCovariance,
                                                const Lab& sample, const LabCovariance& sampleCovariance,
                                                DifferenceFormula formula) {
  DifferenceUncertainty out;
  out.difference = Difference(reference, sample, formula);
  std::array<double, 3> bySample{}, byReference{};
  for (int i = 0; i < 3; ++i) {
    const double h = kLabStep;
    bySample[i] = (Difference(reference, Moved(sample, i, h), formula) -
                   Difference(reference, Moved(sample, i, -h), formula)) / (2 * h);
    byReference[i] = (Difference(Moved(reference, i, h), sample, formula) -
                      Difference(Moved(reference, i, -h), sample, formula)) / (2 * h);
  }
  const double firstOrder = std::sqrt(Quadratic(bySample, sampleCovariance) + Quadratic(byReference, referenceCovariance));
  out.u = firstOrder;
  if (!(out.difference > kCoverageFactor * firstOrder)) {
    // The local metric M of the formula at the sample: ΔE^2 is the quadratic form d^T M d for a
    // small step d, so M comes from ΔE^2 along the axes and their diagonals.
    const double h = 1e-3;
    auto squared = [&](const Lab& moved) {
      const double e = Difference(sample, moved, formula);
      return e * e;
    };
    double trace = 0;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        double m = 0;
        if (i == j) {
          m = squared(Moved(sample, i, h)) / (h * h);
        } else {
          m = (squared(Moved(Moved(sample, i, h), j, h)) - squared(Moved(Moved(sample, i, h), j, -h))) / (4 * h * h);
        }
        trace += m * (sampleCovariance[j][i] + referenceCovariance[j][i]);
      }
    }
    out.linear = false;
    out.u = std::max(firstOrder, std::sqrt(std::max(0.0, trace)));
  }
  if (!std::isfinite(out.difference) || !std::isfinite(out.u)) {
    out.u = 0;
    out.linear = false;
  }
  return out;
}

}  // namespace tintavis
