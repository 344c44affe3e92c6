// The first-order uncertainty held against a Monte Carlo propagation of the same inputs
// (JCGM 101:2008): 10^5 draws of normal absorbances and path length through ComputeColour.
#include "core/uncertainty.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace tintavis {
namespace {

constexpr int kDraws = 100000;
// First order and Monte Carlo must agree within this share of U.
constexpr double kAgreement = 0.05;

SampleInput Wine(WineType wine, int d, int r, double a450, double a520, double a570, double a630) {
  return {wine, d, r, a450, a520, a570, a630};
}

std::array<double, 10> Values(const ColourResult& c) {
  return {c.X, c.Y, c.Z, c.L, c.C, c.h, c.a, c.b, c.intensity, c.tonality};
}

// The standard deviation of each of the ten values over the draws. The path length enters the
// model as A / d, so a drawn d' is the absorbances scaled by d / d'.
std::array<double, 10> MonteCarlo(const SampleInput& in, const InputUncertainty& u, int* refused) {
  std::mt19937_64 random(20261209);
  std::normal_distribution<double> absorbance(0, u.absorbance);
  std::normal_distribution<double> path(0, u.pathLength);
  const std::array<double, 10> centre = Values(ComputeColour(in).value());
  std::array<double, 10> sum{}, sumSquares{};
  int n = 0;
  *refused = 0;
  for (int i = 0; i < kDraws; ++i) {
    SampleInput drawn = in;
    const double scale = in.d / (in.d + path(random));
    drawn.a450 = (in.a450 + absorbance(random)) * scale;
    drawn.a520 = (in.a520 + absorbance(random)) * scale;
    drawn.a570 = (in.a570 + absorbance(random)) * scale;
    drawn.a630 = (in.a630 + absorbance(random)) * scale;
    const Computed<ColourResult> result = ComputeColour(drawn);
    if (!result.ok()) {
      ++*refused;
      continue;
    }
    std::array<double, 10> v = Values(result.value());
    // The hue as a turn from the centre's, so that draws either side of 0 degrees do not wrap.
    v[5] = std::remainder(v[5] - centre[5], 360.0);
    for (int k = 0; k < 10; ++k) {
      const double x = k == 5 ? v[k] : v[k] - centre[k];
      sum[k] += x;
      sumSquares[k] += x * x;
    }
    ++n;
  }
  std::array<double, 10> deviation{};
  for (int k = 0; k < 10; ++k) {
    const double mean = sum[k] / n;
    deviation[k] = std::sqrt(sumSquares[k] / n - mean * mean);
  }
  return deviation;
}

struct Case {
  const char* name;
  SampleInput input;
  int parts = -1;  // the one value, if any, where first order and Monte Carlo part by more
};

class FirstOrderAgainstMonteCarlo : public ::testing::TestWithParam<Case> {};

// u(A) 0.005 is a photometer stated to +-0.01 A over sqrt(3) and a little more; u(d) 0.01 mm a
// cell to +-0.02 mm likewise.
TEST_P(FirstOrderAgainstMonteCarlo, AgreeWithinFivePercentOfU) {
  const InputUncertainty u{0.005, 0.01};
  const SampleInput& in = GetParam().input;
  const Computed<ColourUncertainty> firstOrder = PropagateUncertainty(in, u);
  ASSERT_TRUE(firstOrder.ok());
  int refused = 0;
  const std::array<double, 10> mc = MonteCarlo(in, u, &refused);
  EXPECT_EQ(refused, 0);
  const std::array<double, 10> propagated = Values(firstOrder.value().u);
  const char* names[10] = {"X", "Y", "Z", "L*", "C*", "h", "a*", "b*", "Int", "Ton"};
  for (int k = 0; k < 10; ++k) {
    if (k == 5 && !firstOrder.value().hueHasUncertainty) continue;
    // Where they part, they part by less than twice the agreement, first order below.
    const double agreement = k == GetParam().parts ? 2 * kAgreement : kAgreement;
    EXPECT_NEAR(propagated[k], mc[k], agreement * mc[k]) << names[k];
  }
  // The covariance of L*, a*, b* carries the same variances as the three values.
  EXPECT_DOUBLE_EQ(firstOrder.value().lab[0][0], propagated[3] * propagated[3]);
  EXPECT_DOUBLE_EQ(firstOrder.value().lab[2][2], propagated[7] * propagated[7]);
}

// The dark red (A520 2.2 in 2 mm, results at 10 mm) stays computable for every draw. The white's
// Tonality parts: A520 is 0.04, so u(A) 0.005 is an eighth of the ratio's denominator, and the
// curvature of 1 / A520 widens the drawn spread by about 7 % beyond the first order.
INSTANTIATE_TEST_SUITE_P(Wines, FirstOrderAgainstMonteCarlo,
                         ::testing::Values(Case{"red", Wine(WineType::RedRose, 2, 10, 0.5, 0.8, 0.6, 0.2)},
                                           Case{"rose", Wine(WineType::RedRose, 10, 10, 0.35, 0.30, 0.12, 0.05)},
                                           Case{"white", Wine(WineType::WhiteBrandy, 10, 10, 0.10, 0.04, 0.02, 0.01), 9},
                                           Case{"darkred", Wine(WineType::RedRose, 2, 10, 1.6, 2.2, 1.7, 0.6)},
                                           Case{"brandy", Wine(WineType::WhiteBrandy, 10, 10, 0.30, 0.12, 0.07, 0.04)}),
                         [](const auto& wine) { return std::string(wine.param.name); });

TEST(Uncertainty, ScalesWithTheInputsAndVanishesWithoutThem) {
  const SampleInput red = Wine(WineType::RedRose, 2, 10, 0.5, 0.8, 0.6, 0.2);
  const ColourUncertainty none = PropagateUncertainty(red, {0, 0}).value();
  const ColourUncertainty one = PropagateUncertainty(red, {0.005, 0}).value();
  const ColourUncertainty two = PropagateUncertainty(red, {0.010, 0}).value();
  EXPECT_EQ(none.u.L, 0);
  EXPECT_GT(one.u.L, 0);
  EXPECT_NEAR(two.u.L, 2 * one.u.L, 1e-9);
  EXPECT_NEAR(Expanded(one.u).b, kCoverageFactor * one.u.b, 1e-12);
  // The path length alone moves every value too.
  EXPECT_GT(PropagateUncertainty(red, {0, 0.01}).value().u.Y, 0);
}

TEST(Uncertainty, ARefusedSampleOrANeutralHueHasNone) {
  const SampleInput refused = Wine(WineType::RedRose, 2, 10, 9, 9, 9, 9);
  ASSERT_FALSE(ComputeColour(refused).ok());
  EXPECT_FALSE(PropagateUncertainty(refused, {0.005, 0}).ok());

  // A nearly colourless sample: a* and b* within their own uncertainty of zero.
  const SampleInput water = Wine(WineType::WhiteBrandy, 10, 10, 0.0005, 0.0004, 0.0004, 0.0004);
  const Computed<ColourUncertainty> u = PropagateUncertainty(water, {0.005, 0});
  ASSERT_TRUE(u.ok());
  EXPECT_FALSE(u.value().hueHasUncertainty);
  EXPECT_EQ(u.value().u.h, 0);
}

// ΔE00 of two computed reds, each with its own covariance, against the spread of ΔE00 over draws
// of both. Far from zero the first order holds; at zero the difference is folded and only the
// bound is promised: the draws' 95th percentile stays below k * u.
TEST(DifferenceUncertainty, FirstOrderFarFromZeroABoundAtZero) {
  const InputUncertainty u{0.005, 0};
  const SampleInput reference = Wine(WineType::RedRose, 2, 10, 0.5, 0.8, 0.6, 0.2);
  // About 15 U apart: the first order of a difference holds once it is well clear of zero; at
  // 4 U it is some 6 % (ΔE00) to 10 % (ΔE*ab) off the draws, the Lab values' own curvature.
  const SampleInput sample = Wine(WineType::RedRose, 2, 10, 0.7, 0.8, 0.4, 0.2);
  const ColourResult r = ComputeColour(reference).value();
  const ColourResult s = ComputeColour(sample).value();
  const LabCovariance vr = PropagateUncertainty(reference, u).value().lab;
  const LabCovariance vs = PropagateUncertainty(sample, u).value().lab;
  const Lab labR{r.L, r.a, r.b}, labS{s.L, s.a, s.b};

  std::mt19937_64 random(7);
  std::normal_distribution<double> noise(0, u.absorbance);
  auto draw = [&](SampleInput in) {
    in.a450 += noise(random);
    in.a520 += noise(random);
    in.a570 += noise(random);
    in.a630 += noise(random);
    const ColourResult c = ComputeColour(in).value();
    return Lab{c.L, c.a, c.b};
  };
  for (const DifferenceFormula formula : {DifferenceFormula::De00, DifferenceFormula::DeAb}) {
    const DifferenceUncertainty far = DifferenceWithUncertainty(labR, vr, labS, vs, formula);
    ASSERT_TRUE(far.linear);
    std::vector<double> spread, folded;
    for (int i = 0; i < kDraws / 4; ++i) {
      const Lab drawnR = draw(reference);
      spread.push_back(Difference(drawnR, draw(sample), formula));
      folded.push_back(Difference(drawnR, draw(reference), formula));
    }
    double sum = 0, squares = 0;
    for (double e : spread) sum += e, squares += e * e;
    const double mean = sum / static_cast<double>(spread.size());
    EXPECT_NEAR(far.u, std::sqrt(squares / static_cast<double>(spread.size()) - mean * mean), kAgreement * far.u);

    const DifferenceUncertainty zero = DifferenceWithUncertainty(labR, vr, labR, vr, formula);
    EXPECT_FALSE(zero.linear);
    std::nth_element(folded.begin(), folded.begin() + folded.size() * 95 / 100, folded.end());
    EXPECT_LE(folded[folded.size() * 95 / 100], kCoverageFactor * zero.u);
  }
  // A typed target has no covariance: only the sample's counts.
  const LabCovariance none{};
  EXPECT_LT(DifferenceWithUncertainty(labR, none, labS, vs, DifferenceFormula::De00).u,
            DifferenceWithUncertainty(labR, vr, labS, vs, DifferenceFormula::De00).u);
}

}  // namespace
}  // namespace tintavis
