#include "core/colourdifference.h"

#include <cmath>
#include <numbers>

namespace tintavis {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double k25Pow7 = 6103515625.0;  // 25^7

double Degrees(double radians) { return radians / kDegree; }
double Radians(double degrees) { return degrees * kDegree; }

// Hue angle in degrees from 0 up to 360; 0 for a neutral colour, as CIEDE2000 requires. The
// grid's HueAngle gives 90 there instead (its formula divides b* by a* and takes a* = 0 as a
// quarter turn); each keeps the convention of the figures it is compared with.
double HueDegrees(double a, double b) {
  if (a == 0 && b == 0) return 0;
  const double h = Degrees(std::atan2(b, a));
  return h < 0 ? h + 360 : h;
}

}  // namespace

double Ciede2000(const Lab& reference, const Lab& sample) {
  const double C1 = std::hypot(reference.a, reference.b);
  const double C2 = std::hypot(sample.a, sample.b);
  const double Cmean7 = std::pow((C1 + C2) / 2, 7);
  const double G = 0.5 * (1 - std::sqrt(Cmean7 / (Cmean7 + k25Pow7)));
  const double a1 = (1 + G) * reference.a;
  const double a2 = (1 + G) * sample.a;
  const double C1p = std::hypot(a1, reference.b);
  const double C2p = std::hypot(a2, sample.b);
  const double h1p = HueDegrees(a1, reference.b);
  const double h2p = HueDegrees(a2, sample.b);

  const double dLp = sample.L - reference.L;
  const double dCp = C2p - C1p;
  const bool neutral = C1p * C2p == 0;
  double dhp = 0;
  if (!neutral) {
    dhp = h2p - h1p;
    if (dhp > 180) {
      dhp -= 360;
    } else if (dhp < -180) {
      dhp += 360;
    }
  }
  const double dHp = 2 * std::sqrt(C1p * C2p) * std::sin(Radians(dhp / 2));

  const double Lmean = (reference.L + sample.L) / 2;
  const double Cpmean = (C1p + C2p) / 2;
  double hpmean = h1p + h2p;
  if (!neutral) {
    if (std::abs(h1p - h2p) <= 180) {
      hpmean /= 2;
    } else if (hpmean < 360) {
      hpmean = (hpmean + 360) / 2;
    } else {
      hpmean = (hpmean - 360) / 2;
    }
  }

  const double T = 1 - 0.17 * std::cos(Radians(hpmean - 30)) + 0.24 * std::cos(Radians(2 * hpmean)) +
                   0.32 * std::cos(Radians(3 * hpmean + 6)) - 0.20 * std::cos(Radians(4 * hpmean - 63));
  const double dTheta = 30 * std::exp(-std::pow((hpmean - 275) / 25, 2));
  const double Cpmean7 = std::pow(Cpmean, 7);
  const double RC = 2 * std::sqrt(Cpmean7 / (Cpmean7 + k25Pow7));
  const double L50 = (Lmean - 50) * (Lmean - 50);
  const double SL = 1 + 0.015 * L50 / std::sqrt(20 + L50);
  const double SC = 1 + 0.045 * Cpmean;
  const double SH = 1 + 0.015 * Cpmean * T;
  const double RT = -std::sin(Radians(2 * dTheta)) * RC;

  const double l = dLp / SL;
  const double c = dCp / SC;
  const double h = dHp / SH;
  // Rounding may leave a tiny negative sum where the colours are the same; a NaN (colours beyond
  // the range of numbers) must stay one, which std::max(0.0, NaN) would turn into 0.
  const double sum = l * l + c * c + h * h + RT * c * h;
  return std::sqrt(sum < 0 ? 0 : sum);
}

ColourDifferences ColourDifference(const Lab& reference, const Lab& sample) {
  ColourDifferences d;
  d.dL = sample.L - reference.L;
  d.da = sample.a - reference.a;
  d.db = sample.b - reference.b;
  d.dC = std::hypot(sample.a, sample.b) - std::hypot(reference.a, reference.b);
  d.dEab = std::sqrt(d.dL * d.dL + d.da * d.da + d.db * d.db);
  // What is left of ΔE*ab after ΔL* and ΔC* is the hue difference; rounding may leave a tiny
  // negative remainder where there is none (and a NaN stays one).
  double remainder = d.dEab * d.dEab - d.dL * d.dL - d.dC * d.dC;
  if (remainder < 0) remainder = 0;
  double turn = HueDegrees(sample.a, sample.b) - HueDegrees(reference.a, reference.b);
  if (turn > 180) turn -= 360;
  if (turn < -180) turn += 360;
  d.dH = (turn < 0 ? -1 : 1) * std::sqrt(remainder);
  d.dE00 = Ciede2000(reference, sample);
  return d;
}

}  // namespace tintavis
