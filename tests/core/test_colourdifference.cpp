#include "core/colourdifference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using tintavis::Lab;

struct Pair {
  Lab reference, sample;
  double dE00;
};

// The 34 test pairs published with the CIEDE2000 implementation notes (Sharma, Wu and Dalal,
// 2005), with ΔE00 to 4 decimals.
// clang-format off
constexpr Pair kPublished[34] = {
  {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
  {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
  {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
  {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
  {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
  {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
  {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
  {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
  {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
  {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
  {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
  {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
  {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
  {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
  {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
  {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
  {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
  {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
  {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
  {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
  {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
  {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
  {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
  {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
  {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
  {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
  {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
  {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
  {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
  {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
  {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
  {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
  {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
  {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};
// clang-format on

TEST(Ciede2000, ReproducesThePublishedTestPairsToFourDecimalsBothWays) {
  for (int i = 0; i < 34; ++i) {
    const Pair& p = kPublished[i];
    EXPECT_NEAR(tintavis::Ciede2000(p.reference, p.sample), p.dE00, 0.00005) << "pair " << i + 1;
    EXPECT_NEAR(tintavis::Ciede2000(p.sample, p.reference), p.dE00, 0.00005) << "pair " << i + 1 << " reversed";
  }
}

TEST(ColourDifference, Cie1976DifferencesOnHandCheckedCases) {
  // 3-4-5: ΔE*ab 5; the sample has the same hue, so all of the chroma change is ΔC*.
  const auto d = tintavis::ColourDifference({50, 3, 4}, {50, 6, 8});
  EXPECT_DOUBLE_EQ(d.dL, 0);
  EXPECT_DOUBLE_EQ(d.da, 3);
  EXPECT_DOUBLE_EQ(d.db, 4);
  EXPECT_DOUBLE_EQ(d.dC, 5);
  EXPECT_DOUBLE_EQ(d.dEab, 5);
  EXPECT_EQ(d.dH, 0);  // a tiny negative remainder is no hue difference
  // Lightness only.
  const auto l = tintavis::ColourDifference({40, 10, 10}, {43, 10, 10});
  EXPECT_DOUBLE_EQ(l.dL, 3);
  EXPECT_DOUBLE_EQ(l.dEab, 3);
  // CIEDE2000 weighs it by SL at the mean lightness 41.5: 3 / 1.1128340 = 2.695816.
  EXPECT_NEAR(l.dE00, 2.695816, 5e-7);
}

TEST(ColourDifference, HueDifferenceIsSignedByTheTurnEvenAcrossZeroDegrees) {
  // Same chroma 10, hue turned by 90 degrees: ΔH* = 2·10·sin(45°) = 14.142.
  const auto ccw = tintavis::ColourDifference({50, 10, 0}, {50, 0, 10});
  EXPECT_NEAR(ccw.dC, 0, 1e-12);
  EXPECT_NEAR(ccw.dH, 14.1421356, 1e-6);
  const auto cw = tintavis::ColourDifference({50, 0, 10}, {50, 10, 0});
  EXPECT_NEAR(cw.dH, -14.1421356, 1e-6);
  // From 350° to 10°: a turn of +20° across 0°, not -340°.
  const double r = 20;
  const Lab at350{50, r * std::cos(350 * M_PI / 180), r * std::sin(350 * M_PI / 180)};
  const Lab at10{50, r * std::cos(10 * M_PI / 180), r * std::sin(10 * M_PI / 180)};
  const auto across = tintavis::ColourDifference(at350, at10);
  EXPECT_NEAR(across.dH, 2 * r * std::sin(10 * M_PI / 180), 1e-9);
  EXPECT_NEAR(tintavis::ColourDifference(at10, at350).dH, -across.dH, 1e-9);
}

TEST(ColourDifference, IdenticalAndNeutralColoursGiveZeros) {
  const auto same = tintavis::ColourDifference({12, 41.2, 15.3}, {12, 41.2, 15.3});
  EXPECT_EQ(same.dEab, 0);
  EXPECT_EQ(same.dE00, 0);
  EXPECT_EQ(same.dH, 0);
  const auto grey = tintavis::ColourDifference({50, 0, 0}, {60, 0, 0});
  EXPECT_DOUBLE_EQ(grey.dEab, 10);
  EXPECT_EQ(grey.dH, 0);
  EXPECT_TRUE(std::isfinite(grey.dE00));
}

// Colours beyond the range of numbers have no difference: it must not come out as 0.
TEST(ColourDifference, ColoursBeyondTheRangeOfNumbersGiveNoFiniteDifference) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const tintavis::Lab absurd[] = {{nan, 10, 10}, {50, inf, 10}, {50, 1e300, 1e300}, {50, -1e200, 3}};
  for (const tintavis::Lab& sample : absurd) {
    const auto d = tintavis::ColourDifference({12, 41.2, 15.3}, sample);
    EXPECT_FALSE(std::isfinite(d.dE00)) << sample.L << " " << sample.a << " " << sample.b;
    EXPECT_FALSE(std::isfinite(d.dH) && std::isfinite(d.dEab)) << sample.a;
  }
}

}  // namespace
