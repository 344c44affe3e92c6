#include "core/displaycolour.h"

#include <cmath>

#include "core/rounding.h"
#include "core/tables.h"

namespace tintavis {
namespace {

// Not above 0 (0 included) becomes the low bound, so the logarithms below are defined.
double Clamp(double v) {
  if (!(v > 0)) return tables::kClampLow;
  if (v > tables::kClampHigh) return tables::kClampHigh;
  return v;
}

// Written as exp(p log v), not pow: the two differ in the last digit for some values, and the
// channels were fixed with this form.
double Power(double v, double p) { return std::exp(p * std::log(v)); }


}  // namespace

SwatchColour DisplayColour(double X, double Y, double Z) {
  const auto& m = tables::kDisplayMatrix;
  const double r = Clamp(m[0][0] * X + m[0][1] * Y + m[0][2] * Z);
  const double g = Clamp(m[1][0] * X + m[1][1] * Y + m[1][2] * Z);
  const double b = Clamp(m[2][0] * X + m[2][1] * Y + m[2][2] * Z);

  auto greenBlue = [](double v) {
    return RoundHalfEven(tables::kGreenBlueGain * Power(v, tables::kCurveExponent) +
                     (tables::kGreenBlueOffset - tables::kGreenBlueSlope * v));
  };
  SwatchColour out;
  out.red = RoundHalfEven(tables::kRedGain * Power(r, tables::kCurveExponent) +
                      (tables::kRedOffset - tables::kRedSlope * r) +
                      tables::kRedSecondGain * Power(r, tables::kRedSecondExponent));
  out.green = greenBlue(g);
  out.blue = greenBlue(b);
  return out;
}

}  // namespace tintavis
