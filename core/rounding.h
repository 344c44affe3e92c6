// Rounding to a whole number, written once for the display colour, the report and the charts.
#pragma once

#include <cmath>

namespace tintavis {

// Nearest integer, halves to the even neighbour: the default rounding mode of the floating-point
// unit, which the program never changes.
inline int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace tintavis
