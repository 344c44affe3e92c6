// Approximate display colour of a sample for the swatch, from its tristimulus values.
#pragma once

#include <cstdint>

namespace tintavis {

struct SwatchColour {
  int red = 0, green = 0, blue = 0;

  // Packed 24-bit value: red in the lowest byte, then green, then blue.
  std::uint32_t Packed() const {
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8 |
           static_cast<std::uint32_t>(blue & 0xFF) << 16;
  }
  friend bool operator==(const SwatchColour&, const SwatchColour&) = default;
};

SwatchColour DisplayColour(double X, double Y, double Z);

}  // namespace tintavis
