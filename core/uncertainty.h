// Measurement uncertainty of a sample's colour, by the law of propagation of uncertainty
// (JCGM 100:2008, section 5, first order).
//
// The inputs are the absorbances, each with the photometer's standard uncertainty u(A) and taken
// as uncorrelated, and the measurement cell's path length with u(d). The result path length is a
// definition and has none. Every value is a function of A / d only (Beer-Lambert), so the
// sensitivity to d follows from those to the absorbances: df/dd = -(1/d) * sum(A_k * df/dA_k).
//
// The sensitivities of X, Y, Z, L*, a*, b*, Intensity and Tonality are central differences
// through the colour computation itself; C* and h take theirs from those of a* and b*, and the
// covariance of (L*, a*, b*) is kept, so that C*, h and a colour difference get their
// uncertainties through one Jacobian instead of summed independent terms.
#pragma once

#include <array>
#include <optional>

#include "core/colour.h"
#include "core/colourdifference.h"
#include "core/fullspectrum.h"

namespace tintavis {

// Standard uncertainties of the inputs: u(A) in absorbance units, u(d) in mm.
struct InputUncertainty {
  double absorbance = 0;
  double pathLength = 0;
};

// Coverage factor of every expanded uncertainty: about 95 % for a normal distribution.
inline constexpr double kCoverageFactor = 2;

// Beyond this expanded uncertainty of the hue (degrees) the linearisation cannot hold: the hue of
// a nearly neutral colour may lie anywhere, and h is given no uncertainty.
inline constexpr double kLargestHueUncertainty = 90;

using LabCovariance = std::array<std::array<double, 3>, 3>;

struct ColourUncertainty {
  ColourResult u;             // the standard uncertainty of each of the ten values
  bool hueHasUncertainty = true;  // false where U(h) would exceed kLargestHueUncertainty
  LabCovariance lab{};        // covariance of L*, a*, b*
};

// k * u for each of the ten values.
ColourResult Expanded(const ColourResult& standard);

// The uncertainty of the colour of a four-absorbance sample; the computation's failure when the
// model refuses the sample or a point next to it (a refused sample has no uncertainty).
Computed<ColourUncertainty> PropagateUncertainty(const SampleInput& input, const InputUncertainty& uncertainty);

// The same for a measured spectrum, u(A) at every point; nullopt when the spectrum is refused.
std::optional<ColourUncertainty> PropagateSpectrumUncertainty(const MeasuredSpectrum& spectrum,
                                                              const InputUncertainty& uncertainty);

enum class DifferenceFormula { De00, DeAb };

struct DifferenceUncertainty {
  double difference = 0;  // ΔE00 or ΔE*ab, sample against reference
  double u = 0;           // its standard uncertainty
  // False where the difference is not larger than its first-order expanded uncertainty: a
  // difference cannot be negative, so its distribution is folded at zero there and the
  // linearisation cannot hold. u then bounds it from above with the spread of the whole
  // difference vector, sqrt(trace(M * V)), M the formula's local metric, V the covariance.
  bool linear = true;
};

// ΔE and its uncertainty between a reference and a sample with independent covariances; a target
// typed from a product sheet has a zero covariance.
DifferenceUncertainty DifferenceWithUncertainty(const Lab& reference, const LabCovariance& referenceCovariance,
                                                const Lab& sample, const LabCovariance& sampleCovariance,
                                                DifferenceFormula formula);

// ΔE00 or ΔE*ab of a sample against a reference.
double Difference(const Lab& reference, const Lab& sample, DifferenceFormula formula);

}  // namespace tintavis
