// Colour of one wine sample: spectrum reconstruction from four absorbances, the spectrum
// referred to the result path length, tristimulus values, CIELAB and the OIV indices.
//
// Failures are values. The arithmetic faults keep the three English texts that the error
// display shows; no floating-point trap is ever relied on and no result holds inf or nan.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <variant>

namespace tintavis {

enum class WineType { RedRose, WhiteBrandy };

// Path length, in mm, to which the reconstruction model refers: 2 for red or rosé, 10 for white or brandy.
int ModelPathLength(WineType wine);

inline constexpr int kSpectrumPoints = 31;
// Transmittance (1 = fully transparent) at 400, 410, ..., 700 nm.
using Spectrum31 = std::array<double, kSpectrumPoints>;

enum class ComputeFailure {
  ColourOutOfRange,  // a reconstructed point is not strictly positive
  DivisionByZero,
  InvalidOperation,
  Overflow,
};

// The fixed English text of an arithmetic fault, without a full stop ("Floating point overflow").
// Empty for ColourOutOfRange, whose message depends on the language.
std::string_view FaultText(ComputeFailure failure);

// A value or the failure that stopped its computation.
template <typename T>
class Computed {
 public:
  Computed(T value) : state_(std::move(value)) {}                // NOLINT(google-explicit-constructor)
  Computed(ComputeFailure failure) : state_(failure) {}          // NOLINT(google-explicit-constructor)
  bool ok() const { return std::holds_alternative<T>(state_); }
  const T& value() const { return std::get<T>(state_); }
  ComputeFailure failure() const { return std::get<ComputeFailure>(state_); }

 private:
  std::variant<T, ComputeFailure> state_;
};

struct SampleInput {
  WineType wine = WineType::RedRose;
  std::int32_t d = 0;  // measurement path length, mm
  std::int32_t r = 0;  // result path length, mm
  double a450 = 0, a520 = 0, a570 = 0, a630 = 0;
};

// The ten result values, in the order the results grid shows them.
struct ColourResult {
  double X = 0, Y = 0, Z = 0;
  double L = 0, C = 0, h = 0, a = 0, b = 0;
  double intensity = 0, tonality = 0;
};

struct Tristimulus3 {
  double X = 0, Y = 0, Z = 0;
};

// Spectrum at the model path length m from absorbances measured in d mm.
Computed<Spectrum31> ReconstructSpectrum(double a450, double a520, double a570, double a630, int d, int m);

// The spectrum at the model path length m re-expressed for the result path length r.
Computed<Spectrum31> ReferSpectrum(const Spectrum31& spectrum, int m, int r);

// X, Y, Z for D65 and the 10-degree observer, scaled so that a transparent sample has Y = 100.
Tristimulus3 Tristimulus(const Spectrum31& spectrum);

// Hue angle in degrees, 0 to 360, from a* and b*.
double HueAngle(double a, double b);

// The ten values from a spectrum at the result path length.
Computed<ColourResult> ColourFromSpectrum(const Spectrum31& spectrum);

// The single entry point: reconstruct, refer, compute. When `referred` is given it receives the
// spectrum at the result path length (left untouched on failure).
Computed<ColourResult> ComputeColour(const SampleInput& input, Spectrum31* referred = nullptr);

}  // namespace tintavis
