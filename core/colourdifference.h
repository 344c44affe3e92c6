// Colour differences between two CIELAB colours: the CIE 1976 differences (ΔL*, Δa*, Δb*, ΔC*,
// ΔH*, ΔE*ab) and CIEDE2000 (ΔE00 with kL = kC = kH = 1). Every difference is the sample minus
// the reference.
#pragma once

namespace tintavis {

struct Lab {
  double L = 0, a = 0, b = 0;
};

struct ColourDifferences {
  double dL = 0, da = 0, db = 0, dC = 0;
  double dH = 0;    // signed as the hue angle turns from the reference to the sample
  double dEab = 0;  // CIE 1976
  double dE00 = 0;  // CIEDE2000
};

// A difference that cannot be computed (colours beyond the range of numbers) is NaN or an
// infinity, never a finite figure.
ColourDifferences ColourDifference(const Lab& reference, const Lab& sample);

double Ciede2000(const Lab& reference, const Lab& sample);

}  // namespace tintavis
