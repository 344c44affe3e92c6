// Approximate display colour of a sample for the swatch, from its tristimulus values.
#include "core/displaycolour.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace tintavis {

void PrintTo(const SwatchColour& c, std::ostream* os) {
  *os << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

// The curves at the clamp bounds: 0.1 gives red 17 and green or blue 21, 100 gives 253 and 254.
constexpr int kRedLowest = 17;
constexpr int kRedHighest = 253;
constexpr int kGreenBlueLowest = 21;
constexpr int kGreenBlueHighest = 254;

struct DisplayCase {
  const char* name;
  double X, Y, Z;
  SwatchColour expected;
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class DisplayColourTest : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayColourTest, GivesTheExpectedChannels) {
  const auto& c = GetParam();
  EXPECT_EQ(DisplayColour(c.X, c.Y, c.Z), c.expected);
}

std::string DisplayCaseName(const testing::TestParamInfo<DisplayCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    KnownColours, DisplayColourTest,
    testing::Values(
        // Linear values 8.071444, -0.467528 (clamped to 0.1) and 0.282112.
        DisplayCase{"ReferenceRedWine", 3.212814, 1.402566, 0.368396, {93, 21, 28}},
        // The same sample read back from the grid's three decimals.
        DisplayCase{"ReferenceRedWineFromTheGridText", 3.213, 1.403, 0.368, {93, 21, 28}},
        DisplayCase{"ReferenceWhiteWine", 87.833970, 93.059876, 85.216961, {252, 247, 228}},
        // Every linear value is exactly 0 and takes the low bound: never black.
        DisplayCase{"Opaque", 0, 0, 0, {kRedLowest, kGreenBlueLowest, kGreenBlueLowest}},
        DisplayCase{"ReferenceWhitePoint", 94.781, 100, 107.351, {253, 254, 253}},
        // Every linear value far above 100 is clamped.
        DisplayCase{"FarAboveTheUpperBound", 1e6, 1e6, 1e6, {kRedHighest, kGreenBlueHighest, kGreenBlueHighest}},
        // Red meets +inf (3.240479 X) and -inf (1.53715 Y): nan, hence the low bound. Green and
        // blue end at +inf, clamped to 100.
        DisplayCase{"LargestDoubles", kMax, kMax, kMax, {kRedLowest, kGreenBlueHighest, kGreenBlueHighest}}),
    DisplayCaseName);

TEST(DisplayColour, PacksRedLowGreenMiddleBlueHigh) {
  const SwatchColour red = DisplayColour(3.212814, 1.402566, 0.368396);
  EXPECT_EQ(red.Packed(), 1840477u);
  EXPECT_EQ(red.Packed(), 0x1C155Du);
  EXPECT_EQ((SwatchColour{1, 2, 3}.Packed()), 0x030201u);
}

TEST(DisplayColour, PacksOnlyTheLowEightBitsOfEachChannel) {
  EXPECT_EQ((SwatchColour{0x1FF, 0x100, 0x2AB}.Packed()), 0xAB00FFu);
}

TEST(DisplayColour, TreatsALinearValueOfExactlyZeroAsTheLowBound) {
  // 3.240479 * X - 1.53715 * Y with X = 1.53715 and Y = 3.240479 cancels exactly; Z = 0 adds
  // nothing. The red value is then exactly 0, which is clamped like a negative value.
  const SwatchColour zeroRed = DisplayColour(1.53715, 3.240479, 0);
  EXPECT_EQ(zeroRed.red, kRedLowest);
  // A tiny positive value is kept and drives the curve down to its own foot, below 17.
  const SwatchColour tinyRed = DisplayColour(1.53715 + 1e-12, 3.240479, 0);
  EXPECT_LT(tinyRed.red, kRedLowest);
}

TEST(DisplayColour, ClampsEachChannelOnItsOwn) {
  // Pure X: red strongly positive, green negative, blue slightly positive.
  const SwatchColour c = DisplayColour(50, 0, 0);
  EXPECT_EQ(c.red, kRedHighest);  // 162.02 clamped to 100
  EXPECT_EQ(c.green, kGreenBlueLowest);
  EXPECT_GT(c.blue, kGreenBlueLowest);
  EXPECT_LT(c.blue, kGreenBlueHighest);
}

TEST(DisplayColour, GrowsWithLuminanceOfAGrey) {
  SwatchColour previous = DisplayColour(0.01 * 94.781, 0.01 * 100, 0.01 * 107.351);
  for (double f = 0.02; f <= 1.0; f += 0.01) {
    const SwatchColour c = DisplayColour(f * 94.781, f * 100, f * 107.351);
    EXPECT_GE(c.red, previous.red) << f;
    EXPECT_GE(c.green, previous.green) << f;
    EXPECT_GE(c.blue, previous.blue) << f;
    previous = c;
  }
}

TEST(DisplayColour, StaysWithinTheClampBoundColoursForNonFiniteNegativeAndHugeInputs) {
  // Combinations of these never give a linear value strictly between 0 and 0.1: each one is
  // either not above 0, at least 0.1, beyond 100, or nan.
  constexpr std::array<double, 10> kValues = {kNan, kInf, -kInf, -1, 0, -0.0, 1e300, -1e300, kMax, -kMax};
  for (double X : kValues)
    for (double Y : kValues)
      for (double Z : kValues) {
        const SwatchColour c = DisplayColour(X, Y, Z);
        EXPECT_GE(c.red, kRedLowest) << X << ", " << Y << ", " << Z;
        EXPECT_LE(c.red, kRedHighest) << X << ", " << Y << ", " << Z;
        EXPECT_GE(c.green, kGreenBlueLowest) << X << ", " << Y << ", " << Z;
        EXPECT_LE(c.green, kGreenBlueHighest) << X << ", " << Y << ", " << Z;
        EXPECT_GE(c.blue, kGreenBlueLowest) << X << ", " << Y << ", " << Z;
        EXPECT_LE(c.blue, kGreenBlueHighest) << X << ", " << Y << ", " << Z;
      }
}

TEST(DisplayColour, KeepsASmallPositiveLinearValueBelowTheLowBound) {
  // Only values not above 0 are replaced: blue = 0.055648 for X = 1 stays as it is and gives
  // 33.427 * 0.055648^0.45 + 9.3077 - 0.2064 * 0.055648 = 18.41, so 18.
  EXPECT_EQ(DisplayColour(1, 0, 0).blue, 18);
}

TEST(DisplayColour, StaysWithinAByteForAnyInput) {
  // Towards 0 the curves end at -0.04634 (red, rounding to 0) and 9.3077 (green and blue).
  constexpr std::array<double, 15> kValues = {kNan, kInf,  -kInf, -1,  0,    -0.0, 1e-300, 1e-3,
                                              0.03, 1,     100,   1e300, -1e300, kMax, -kMax};
  for (double X : kValues)
    for (double Y : kValues)
      for (double Z : kValues) {
        const SwatchColour c = DisplayColour(X, Y, Z);
        EXPECT_GE(c.red, 0) << X << ", " << Y << ", " << Z;
        EXPECT_LE(c.red, kRedHighest) << X << ", " << Y << ", " << Z;
        EXPECT_GE(c.green, 9) << X << ", " << Y << ", " << Z;
        EXPECT_LE(c.green, kGreenBlueHighest) << X << ", " << Y << ", " << Z;
        EXPECT_GE(c.blue, 9) << X << ", " << Y << ", " << Z;
        EXPECT_LE(c.blue, kGreenBlueHighest) << X << ", " << Y << ", " << Z;
      }
}

TEST(DisplayColour, TreatsNanAndInfinitiesAsClampedValues) {
  // nan is not above 0: the low bound. +inf is above 100, -inf below 0.
  EXPECT_EQ(DisplayColour(kNan, kNan, kNan), (SwatchColour{kRedLowest, kGreenBlueLowest, kGreenBlueLowest}));
  EXPECT_EQ(DisplayColour(-kInf, -kInf, -kInf), (SwatchColour{kRedLowest, kGreenBlueLowest, kGreenBlueLowest}));
  EXPECT_EQ(DisplayColour(-1, -1, -1), (SwatchColour{kRedLowest, kGreenBlueLowest, kGreenBlueLowest}));
  // +inf in every input: each sum meets +inf and -inf, giving nan, hence the low bound.
  EXPECT_EQ(DisplayColour(kInf, kInf, kInf), (SwatchColour{kRedLowest, kGreenBlueLowest, kGreenBlueLowest}));
  // +inf in X alone: red and blue +inf (clamped to 100), green -inf.
  EXPECT_EQ(DisplayColour(kInf, 0, 0), (SwatchColour{kRedHighest, kGreenBlueLowest, kGreenBlueHighest}));
}

}  // namespace
}  // namespace tintavis
