// Colour computation: spectrum reconstruction from four absorbances, referral to the result path
// length, tristimulus values, CIELAB, the OIV indices and the arithmetic faults.
//
// Reference figures are the method's worked figures, printed with six decimals, or values derived
// by hand from its formulas.
#include "core/colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/tables.h"

namespace tintavis {

// Readable failure names in assertion messages.
void PrintTo(ComputeFailure failure, std::ostream* os) {
  switch (failure) {
    case ComputeFailure::ColourOutOfRange: *os << "ColourOutOfRange"; return;
    case ComputeFailure::DivisionByZero: *os << "DivisionByZero"; return;
    case ComputeFailure::InvalidOperation: *os << "InvalidOperation"; return;
    case ComputeFailure::Overflow: *os << "Overflow"; return;
  }
  *os << "ComputeFailure(" << static_cast<int>(failure) << ")";
}

namespace {

// Worked figures carry six decimals: a correct value lies within half a unit of the last one.
constexpr double kFigureTolerance = 5e-7;
// The model coefficients solve the interpolation conditions to 15 significant digits, so the
// spectrum meets the measured transmittances to about 1e-15.
constexpr double kInterpolationTolerance = 3e-15;
// A round trip through logarithm and exponential keeps all but the last few bits.
constexpr double kRoundTripRelative = 1e-14;

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

constexpr int kIndex400 = 0;
constexpr int kIndex450 = 5;
constexpr int kIndex520 = 12;
constexpr int kIndex570 = 17;
constexpr int kIndex630 = 23;
constexpr int kIndex670 = 27;
constexpr int kIndex700 = 30;

SampleInput Sample(WineType wine, std::int32_t d, std::int32_t r, double a450, double a520, double a570,
                   double a630) {
  SampleInput input;
  input.wine = wine;
  input.d = d;
  input.r = r;
  input.a450 = a450;
  input.a520 = a520;
  input.a570 = a570;
  input.a630 = a630;
  return input;
}

// The reference red wine: d = 2 mm, r = 10 mm.
SampleInput ReferenceRed() { return Sample(WineType::RedRose, 2, 10, 0.5, 0.8, 0.6, 0.2); }

Spectrum31 Flat(double value) {
  Spectrum31 s;
  s.fill(value);
  return s;
}

std::array<double, 10> TenValues(const ColourResult& c) {
  return {c.X, c.Y, c.Z, c.L, c.C, c.h, c.a, c.b, c.intensity, c.tonality};
}

constexpr std::array<const char*, 10> kValueNames = {"X",  "Y",  "Z",  "L*",        "C*",
                                                     "h",  "a*", "b*", "Intensity", "Tonality"};

// ---------------------------------------------------------------------------------------------
// Small pieces: model path length, fault texts.

TEST(ModelPathLength, IsTwoMillimetresForRedAndTenForWhite) {
  EXPECT_EQ(ModelPathLength(WineType::RedRose), 2);
  EXPECT_EQ(ModelPathLength(WineType::WhiteBrandy), 10);
}

struct FaultTextCase {
  ComputeFailure failure;
  const char* text;
};

void PrintTo(const FaultTextCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class FaultTextTest : public testing::TestWithParam<FaultTextCase> {};

TEST_P(FaultTextTest, IsTheFixedEnglishTextWithoutFullStop) {
  EXPECT_EQ(FaultText(GetParam().failure), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    EachFailure, FaultTextTest,
    testing::Values(FaultTextCase{ComputeFailure::DivisionByZero, "Floating point division by zero"},
                    FaultTextCase{ComputeFailure::InvalidOperation, "Invalid floating point operation"},
                    FaultTextCase{ComputeFailure::Overflow, "Floating point overflow"},
                    FaultTextCase{ComputeFailure::ColourOutOfRange, ""}));

// ---------------------------------------------------------------------------------------------
// ReconstructSpectrum

struct Absorbances {
  double a450, a520, a570, a630;
};

void PrintTo(const Absorbances& a, std::ostream* os) {
  *os << "A " << a.a450 << ", " << a.a520 << ", " << a.a570 << ", " << a.a630;
}

class SpectrumThroughMeasuredPoints : public testing::TestWithParam<std::tuple<Absorbances, WineType>> {};

TEST_P(SpectrumThroughMeasuredPoints, ReproducesTenToTheMinusAWhenDEqualsM) {
  const auto [abs, wine] = GetParam();
  const int m = ModelPathLength(wine);
  const auto spectrum = ReconstructSpectrum(abs.a450, abs.a520, abs.a570, abs.a630, m, m);
  ASSERT_TRUE(spectrum.ok());
  const auto& s = spectrum.value();
  EXPECT_NEAR(s[kIndex450], std::pow(10.0, -abs.a450), kInterpolationTolerance);
  EXPECT_NEAR(s[kIndex520], std::pow(10.0, -abs.a520), kInterpolationTolerance);
  EXPECT_NEAR(s[kIndex570], std::pow(10.0, -abs.a570), kInterpolationTolerance);
  EXPECT_NEAR(s[kIndex630], std::pow(10.0, -abs.a630), kInterpolationTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    AcceptedSamples, SpectrumThroughMeasuredPoints,
    testing::Combine(testing::Values(Absorbances{0.5, 0.8, 0.6, 0.2}, Absorbances{0.10, 0.04, 0.02, 0.01},
                                     Absorbances{0, 0, 0, 0}, Absorbances{0.3, 0.3, 0.3, 0.3},
                                     Absorbances{0.9, 1.2, 1.0, 0.4}, Absorbances{-0.05, -0.02, -0.01, -0.01}),
                     testing::Values(WineType::RedRose, WineType::WhiteBrandy)));

TEST(ReconstructSpectrum, MatchesTheWorkedRedWineFigures) {
  const auto spectrum = ReconstructSpectrum(0.5, 0.8, 0.6, 0.2, 2, 2);
  ASSERT_TRUE(spectrum.ok());
  const auto& s = spectrum.value();
  EXPECT_NEAR(s[kIndex400], 0.388273, kFigureTolerance);
  EXPECT_NEAR(s[kIndex700], 0.892451, kFigureTolerance);
  // With d = m the measured points are the transmittances T450 … T630 themselves.
  EXPECT_NEAR(s[kIndex450], 0.316228, kFigureTolerance);
  EXPECT_NEAR(s[kIndex520], 0.158489, kFigureTolerance);
  EXPECT_NEAR(s[kIndex570], 0.251189, kFigureTolerance);
  EXPECT_NEAR(s[kIndex630], 0.630957, kFigureTolerance);

  const auto lowest = std::min_element(s.begin(), s.end());
  EXPECT_EQ(lowest - s.begin(), kIndex520);
  EXPECT_NEAR(*lowest, 0.158489, kFigureTolerance);
}

TEST(ReconstructSpectrum, AgreesWithTheWorkedBasisWeightsAtEveryPoint) {
  // The worked weights c1 … c4 are printed with six decimals; each point is B0 + sum c_i B_i, so
  // the printed weights give every point to within 5e-7 times the sum of |B_i| at that point.
  constexpr double c[4] = {-1.713571, -0.349129, -0.075143, -0.190815};
  const auto spectrum = ReconstructSpectrum(0.5, 0.8, 0.6, 0.2, 2, 2);
  ASSERT_TRUE(spectrum.ok());
  for (int j = 0; j < kSpectrumPoints; ++j) {
    const auto& b = tables::kSpectralBasis[j];
    const double expected = b[0] + c[0] * b[1] + c[1] * b[2] + c[2] * b[3] + c[3] * b[4];
    const double bound =
        kFigureTolerance * (std::fabs(b[1]) + std::fabs(b[2]) + std::fabs(b[3]) + std::fabs(b[4])) + 1e-12;
    EXPECT_NEAR(spectrum.value()[j], expected, bound) << "at " << 400 + 10 * j << " nm";
  }
}

TEST(ReconstructSpectrum, AcceptsAllAbsorbancesZeroWithPointsAboveOne) {
  const auto spectrum = ReconstructSpectrum(0, 0, 0, 0, 2, 2);
  ASSERT_TRUE(spectrum.ok());
  const auto& s = spectrum.value();
  EXPECT_NEAR(s[kIndex400], 0.940066, kFigureTolerance);
  EXPECT_NEAR(s[kIndex670], 1.009968, kFigureTolerance);
  EXPECT_GT(*std::max_element(s.begin(), s.end()), 1.0);
  for (int j : tables::kMeasuredIndex) EXPECT_NEAR(s[j], 1.0, kInterpolationTolerance) << "index " << j;
}

TEST(ReconstructSpectrum, GivesOnlyStrictlyPositivePointsWhenItSucceeds) {
  for (const auto& a : {Absorbances{0.5, 0.8, 0.6, 0.2}, Absorbances{0.10, 0.04, 0.02, 0.01}, Absorbances{0, 0, 0, 0}}) {
    const auto spectrum = ReconstructSpectrum(a.a450, a.a520, a.a570, a.a630, 2, 2);
    ASSERT_TRUE(spectrum.ok());
    for (double v : spectrum.value()) EXPECT_GT(v, 0.0);
  }
}

struct FailureCase {
  const char* name;
  double a450, a520, a570, a630;
  int d, m;
  ComputeFailure failure;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

std::string FailureCaseName(const testing::TestParamInfo<FailureCase>& info) { return info.param.name; }

class ReconstructSpectrumFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ReconstructSpectrumFailure, EndsWithTheExpectedFailure) {
  const auto& c = GetParam();
  const auto spectrum = ReconstructSpectrum(c.a450, c.a520, c.a570, c.a630, c.d, c.m);
  ASSERT_FALSE(spectrum.ok());
  EXPECT_EQ(spectrum.failure(), c.failure);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, ReconstructSpectrumFailure,
    testing::Values(
        // 400 nm comes out near -0.3368.
        FailureCase{"NegativePointAt400nm", 0.5, 0.1, 0.6, 0.2, 2, 2, ComputeFailure::ColourOutOfRange},
        // 460 nm is the first point below zero, near -0.0062.
        FailureCase{"AllAbsorbancesThree", 3, 3, 3, 3, 2, 2, ComputeFailure::ColourOutOfRange},
        // Transmittances that underflow to 0 leave the bare mean and constant weights.
        FailureCase{"VeryLargeAbsorbances", 1e6, 1e6, 1e6, 1e6, 2, 2, ComputeFailure::ColourOutOfRange},
        FailureCase{"HugeAbsorbances", 1e300, 1e300, 1e300, 1e300, 2, 2, ComputeFailure::ColourOutOfRange},
        FailureCase{"LargestAbsorbances", kMax, kMax, kMax, kMax, 10, 10, ComputeFailure::ColourOutOfRange},
        // d = 0: the first wavelength already divides by zero; 0/0 when its absorbance is 0.
        FailureCase{"ZeroDWithA450Zero", 0, 0, 0, 0, 0, 2, ComputeFailure::InvalidOperation},
        FailureCase{"ZeroDWithOnlyA450Zero", 0, 0.8, 0.6, 0.2, 0, 2, ComputeFailure::InvalidOperation},
        FailureCase{"ZeroDWithNegativeZeroA450", -0.0, 0.8, 0.6, 0.2, 0, 10, ComputeFailure::InvalidOperation},
        FailureCase{"ZeroDWithPositiveA450", 0.5, 0.8, 0.6, 0.2, 0, 2, ComputeFailure::DivisionByZero},
        FailureCase{"ZeroDWithNegativeA450", -0.5, 0, 0, 0, 0, 10, ComputeFailure::DivisionByZero},
        // -A m / d = 400: 10^400 is beyond the double range.
        FailureCase{"NegativeA450AboveTheRange", -200, 0.8, 0.6, 0.2, 1, 2, ComputeFailure::Overflow},
        FailureCase{"NegativeA630AboveTheRange", 0.5, 0.8, 0.6, -400, 2, 2, ComputeFailure::Overflow},
        FailureCase{"NegativeA520JustAboveTheRange", 0.1, -308.3, 0.1, 0.1, 10, 10, ComputeFailure::Overflow},
        // A negative path length turns a positive absorbance into a growing transmittance.
        FailureCase{"PositiveAbsorbanceOverNegativeD", 400, 0.8, 0.6, 0.2, -1, 2, ComputeFailure::Overflow},
        FailureCase{"LargestNegativeAbsorbances", -kMax, -kMax, -kMax, -kMax, 2, 2, ComputeFailure::Overflow},
        // Transmittances within the range but weights beyond it.
        FailureCase{"TransmittanceNearTheTopOfTheRange", -308, 0, 0, 0, 2, 2, ComputeFailure::Overflow}),
    FailureCaseName);

TEST(ReconstructSpectrum, DoesNotReportALargePositiveAbsorbanceAsOverflow) {
  for (double a : {200.0, 400.0, 1e10, 1e300, kMax}) {
    const auto spectrum = ReconstructSpectrum(a, 0.8, 0.6, 0.2, 1, 2);
    if (!spectrum.ok()) {
      EXPECT_NE(spectrum.failure(), ComputeFailure::Overflow) << "A450 = " << a;
    }
  }
}

TEST(ReconstructSpectrum, UsesTheWhiteModelPathLengthOfTenAndTheRedOfTwo) {
  // d = 10 with A450 = 0.10: white gives T450 = 10^-0.10, red 10^-0.02.
  const Absorbances a{0.10, 0.04, 0.02, 0.01};
  const auto white = ReconstructSpectrum(a.a450, a.a520, a.a570, a.a630, 10,
                                         ModelPathLength(WineType::WhiteBrandy));
  const auto red = ReconstructSpectrum(a.a450, a.a520, a.a570, a.a630, 10, ModelPathLength(WineType::RedRose));
  ASSERT_TRUE(white.ok());
  ASSERT_TRUE(red.ok());
  EXPECT_NEAR(white.value()[kIndex450], 0.794328, kFigureTolerance);
  EXPECT_NEAR(red.value()[kIndex450], 0.954993, kFigureTolerance);
}

TEST(ReconstructSpectrum, DependsOnlyOnTheRatioOfAbsorbanceToPathLength) {
  const auto atTwo = ReconstructSpectrum(0.5, 0.8, 0.6, 0.2, 2, 2);
  const auto atOne = ReconstructSpectrum(0.25, 0.4, 0.3, 0.1, 1, 2);
  ASSERT_TRUE(atTwo.ok());
  ASSERT_TRUE(atOne.ok());
  for (int j = 0; j < kSpectrumPoints; ++j)
    EXPECT_NEAR(atOne.value()[j], atTwo.value()[j], kRoundTripRelative * atTwo.value()[j]) << "index " << j;
}

// ---------------------------------------------------------------------------------------------
// ReferSpectrum

Spectrum31 WorkedRedSpectrum() { return ReconstructSpectrum(0.5, 0.8, 0.6, 0.2, 2, 2).value(); }
Spectrum31 ZeroAbsorbanceSpectrum() { return ReconstructSpectrum(0, 0, 0, 0, 2, 2).value(); }

TEST(ReferSpectrum, MatchesTheWorkedFiguresAtTenMillimetres) {
  const auto referred = ReferSpectrum(WorkedRedSpectrum(), 2, 10);
  ASSERT_TRUE(referred.ok());
  const auto& t = referred.value();
  EXPECT_NEAR(t[kIndex400], 0.008824, kFigureTolerance);
  EXPECT_NEAR(t[kIndex520], 0.000100, kFigureTolerance);
  EXPECT_NEAR(t[kIndex630], 0.100000, kFigureTolerance);
  EXPECT_NEAR(t[kIndex700], 0.566136, kFigureTolerance);
}

TEST(ReferSpectrum, LeavesTheSpectrumUnchangedWhenREqualsM) {
  for (const auto& [spectrum, m] : {std::pair{WorkedRedSpectrum(), 2}, std::pair{ZeroAbsorbanceSpectrum(), 2},
                                    std::pair{WorkedRedSpectrum(), 10}}) {
    const auto referred = ReferSpectrum(spectrum, m, m);
    ASSERT_TRUE(referred.ok());
    for (int j = 0; j < kSpectrumPoints; ++j)
      EXPECT_NEAR(referred.value()[j], spectrum[j], kRoundTripRelative * spectrum[j]) << "m " << m << " index " << j;
  }
}

TEST(ReferSpectrum, RaisesEachPointToThePowerROverM) {
  const Spectrum31 s = WorkedRedSpectrum();
  for (int r : {1, 3, 10, 20, -4}) {
    const auto referred = ReferSpectrum(s, 2, r);
    ASSERT_TRUE(referred.ok());
    for (int j = 0; j < kSpectrumPoints; ++j) {
      const double expected = std::pow(s[j], r / 2.0);
      EXPECT_NEAR(referred.value()[j], expected, 1e-13 * expected) << "r " << r << " index " << j;
    }
  }
}

TEST(ReferSpectrum, GivesExactlyOneEverywhereWhenRIsZero) {
  for (const auto& s : {WorkedRedSpectrum(), ZeroAbsorbanceSpectrum()}) {
    const auto referred = ReferSpectrum(s, 2, 0);
    ASSERT_TRUE(referred.ok());
    for (int j = 0; j < kSpectrumPoints; ++j) EXPECT_EQ(referred.value()[j], 1.0) << "index " << j;
  }
}

TEST(ReferSpectrum, OverflowsWhenAPointAboveOneMeetsAHugePathLength) {
  // The all-zero spectrum reaches 1.009968 at 670 nm: 1.009968^(r/2) leaves the double range
  // once r/2 is above about 71500.
  for (int r : {1000000, kIntMax}) {
    const auto referred = ReferSpectrum(ZeroAbsorbanceSpectrum(), 2, r);
    ASSERT_FALSE(referred.ok()) << "r " << r;
    EXPECT_EQ(referred.failure(), ComputeFailure::Overflow);
  }
}

TEST(ReferSpectrum, OverflowsWhenAPointBelowOneMeetsAHugeNegativePathLength) {
  const auto referred = ReferSpectrum(WorkedRedSpectrum(), 2, kIntMin);
  ASSERT_FALSE(referred.ok());
  EXPECT_EQ(referred.failure(), ComputeFailure::Overflow);
}

TEST(ReferSpectrum, LetsTransmittancesUnderflowQuietlyToZero) {
  const auto referred = ReferSpectrum(WorkedRedSpectrum(), 2, kIntMax);
  ASSERT_TRUE(referred.ok());
  for (double t : referred.value()) EXPECT_EQ(t, 0.0);
}

// ---------------------------------------------------------------------------------------------
// HueAngle

struct HueCase {
  double a, b, h;
};

void PrintTo(const HueCase& c, std::ostream* os) { *os << "(" << c.a << ", " << c.b << ")"; }

class HueAngleTest : public testing::TestWithParam<HueCase> {};

TEST_P(HueAngleTest, FollowsTheQuadrantRules) {
  const auto& c = GetParam();
  EXPECT_NEAR(HueAngle(c.a, c.b), c.h, 1e-12) << "a* " << c.a << " b* " << c.b;
}

INSTANTIATE_TEST_SUITE_P(QuadrantsAndAxes, HueAngleTest,
                         testing::Values(HueCase{0, 5, 90}, HueCase{0, -5, 270}, HueCase{0, 0, 90},
                                         HueCase{-3, 0, 180}, HueCase{3, 0, 0}, HueCase{1, 1, 45},
                                         HueCase{-1, 1, 135}, HueCase{-1, -1, 225}, HueCase{1, -1, 315},
                                         HueCase{1, std::sqrt(3.0), 60}, HueCase{-std::sqrt(3.0), -1, 210}));

TEST(HueAngle, StaysWithinZeroToThreeHundredSixty) {
  for (double a : {-1e6, -2.5, -1e-9, 0.0, 1e-9, 2.5, 1e6})
    for (double b : {-1e6, -2.5, -1e-9, 0.0, 1e-9, 2.5, 1e6}) {
      const double h = HueAngle(a, b);
      EXPECT_GE(h, 0.0) << a << ", " << b;
      EXPECT_LT(h, 360.0) << a << ", " << b;
    }
}

// ---------------------------------------------------------------------------------------------
// ComputeColour reference cases

struct ReferenceCase {
  const char* name;
  SampleInput input;
  std::array<double, 10> expected;  // X, Y, Z, L*, C*, h, a*, b*, Intensity, Tonality
};

void PrintTo(const ReferenceCase& c, std::ostream* os) { *os << c.name; }

class ComputeColourReference : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ComputeColourReference, GivesTheWorkedTenValues) {
  const auto& c = GetParam();
  const auto result = ComputeColour(c.input);
  ASSERT_TRUE(result.ok());
  const auto actual = TenValues(result.value());
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], c.expected[i], kFigureTolerance) << kValueNames[i];
}

constexpr std::array<double, 10> kRedValues = {3.212814,  1.402566,  0.368396,  11.978323, 43.986126,
                                               20.365850, 41.236535, 15.307758, 7.399904,  0.532708};
constexpr std::array<double, 10> kWhiteValues = {87.833970, 93.059876, 85.216961, 97.255495, 10.100995,
                                                 93.870841, -0.681893, 10.077952, 0.196463,  3.625863};

std::string ReferenceCaseName(const testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    WorkedSamples, ComputeColourReference,
    testing::Values(ReferenceCase{"RedAtTwoMillimetres", ReferenceRed(), kRedValues},
                    ReferenceCase{"RedAtOneMillimetreWithHalfTheAbsorbances",
                                  Sample(WineType::RedRose, 1, 10, 0.25, 0.4, 0.3, 0.1), kRedValues},
                    ReferenceCase{"WhiteAtTenMillimetres", Sample(WineType::WhiteBrandy, 10, 10, 0.10, 0.04, 0.02, 0.01),
                                  kWhiteValues}),
    ReferenceCaseName);

TEST(ComputeColour, HandsBackTheSpectrumAtTheResultPathLength) {
  Spectrum31 referred = Flat(-1);
  ASSERT_TRUE(ComputeColour(ReferenceRed(), &referred).ok());
  EXPECT_NEAR(referred[kIndex400], 0.008824, kFigureTolerance);
  EXPECT_NEAR(referred[kIndex520], 0.000100, kFigureTolerance);
  EXPECT_NEAR(referred[kIndex630], 0.100000, kFigureTolerance);
  EXPECT_NEAR(referred[kIndex700], 0.566136, kFigureTolerance);
}

TEST(ComputeColour, LeavesTheReferredSpectrumUntouchedOnFailure) {
  const SampleInput failing[] = {
      Sample(WineType::RedRose, 2, 0, 0.5, 0.8, 0.6, 0.2),        // 0/0 in Tonality
      Sample(WineType::RedRose, 2, 100000, 0.5, 0.8, 0.6, 0.2),   // 420 nm underflows
      Sample(WineType::RedRose, 2, 10, 0.5, 0.1, 0.6, 0.2),       // out of range
      Sample(WineType::RedRose, 0, 10, 0.5, 0.8, 0.6, 0.2),       // d = 0
      Sample(WineType::RedRose, 2, kIntMax, 0, 0, 0, 0),          // overflow while referring
  };
  for (const auto& input : failing) {
    Spectrum31 referred = Flat(-1);
    ASSERT_FALSE(ComputeColour(input, &referred).ok()) << "r " << input.r;
    EXPECT_EQ(referred, Flat(-1)) << "r " << input.r;
  }
}

TEST(ComputeColour, ScalesIntensityWithTheResultPathLengthAndKeepsTonality) {
  const auto atTen = ComputeColour(ReferenceRed());
  SampleInput twenty = ReferenceRed();
  twenty.r = 20;
  const auto atTwenty = ComputeColour(twenty);
  ASSERT_TRUE(atTen.ok());
  ASSERT_TRUE(atTwenty.ok());
  EXPECT_NEAR(atTwenty.value().intensity, 2 * atTen.value().intensity, 1e-12);
  EXPECT_NEAR(atTwenty.value().tonality, atTen.value().tonality, 1e-12);
}

TEST(ComputeColour, EndsWithInvalidOperationWhenRIsZero) {
  for (const auto& input : {Sample(WineType::RedRose, 2, 0, 0.5, 0.8, 0.6, 0.2),
                            Sample(WineType::WhiteBrandy, 10, 0, 0.10, 0.04, 0.02, 0.01)}) {
    const auto result = ComputeColour(input);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure(), ComputeFailure::InvalidOperation);
  }
}

TEST(ComputeColour, PassesOnTheReconstructionFailures) {
  const struct {
    SampleInput input;
    ComputeFailure failure;
  } cases[] = {
      {Sample(WineType::RedRose, 2, 10, 0.5, 0.1, 0.6, 0.2), ComputeFailure::ColourOutOfRange},
      {Sample(WineType::RedRose, 2, 10, 3, 3, 3, 3), ComputeFailure::ColourOutOfRange},
      {Sample(WineType::RedRose, 0, 10, 0, 0.8, 0.6, 0.2), ComputeFailure::InvalidOperation},
      {Sample(WineType::WhiteBrandy, 0, 10, 0.1, 0.04, 0.02, 0.01), ComputeFailure::DivisionByZero},
      {Sample(WineType::RedRose, 1, 10, -200, 0.8, 0.6, 0.2), ComputeFailure::Overflow},
      {Sample(WineType::RedRose, 2, kIntMax, 0, 0, 0, 0), ComputeFailure::Overflow},
  };
  for (const auto& c : cases) {
    const auto result = ComputeColour(c.input);
    ASSERT_FALSE(result.ok()) << "d " << c.input.d << " r " << c.input.r;
    EXPECT_EQ(result.failure(), c.failure) << "d " << c.input.d << " r " << c.input.r;
  }
}

TEST(ComputeColour, AcceptsAllAbsorbancesZeroWithAMeaninglessButFiniteTonality) {
  const auto result = ComputeColour(Sample(WineType::RedRose, 2, 10, 0, 0, 0, 0));
  ASSERT_TRUE(result.ok());
  EXPECT_NEAR(result.value().intensity, 0.043271, kFigureTolerance);
  // A520 is only rounding noise, so the quotient is huge but no fault.
  EXPECT_TRUE(std::isfinite(result.value().tonality));
  EXPECT_GT(std::fabs(result.value().tonality), 1e9);
}

// A transmittance that underflows to 0 at 420, 520 or 620 nm has no logarithm: the sample ends in
// a fault instead of a row holding inf or nan.
struct UnderflowCase {
  const char* name;
  SampleInput input;
};

void PrintTo(const UnderflowCase& c, std::ostream* os) { *os << c.name; }

class ComputeColourUnderflow : public testing::TestWithParam<UnderflowCase> {};

TEST_P(ComputeColourUnderflow, EndsInDivisionByZero) {
  const auto result = ComputeColour(GetParam().input);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure(), ComputeFailure::DivisionByZero);
}

std::string UnderflowCaseName(const testing::TestParamInfo<UnderflowCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    ResultPathLengthsFarTooLong, ComputeColourUnderflow,
    testing::Values(
        // Absorbances at 2 mm: about 0.43 at 420, 0.80 at 520, 0.25 at 620 nm; r/m = 50000.
        UnderflowCase{"AllThreeWavelengths", Sample(WineType::RedRose, 2, 100000, 0.5, 0.8, 0.6, 0.2)},
        // r/m = 600: 10^-480 at 520 nm, while 420 and 620 nm stay above 1e-256.
        UnderflowCase{"Only520nm", Sample(WineType::RedRose, 2, 1200, 0.5, 0.8, 0.6, 0.2)},
        // About 0.06, 0.10 and 0.93 at 2 mm; r/m = 400 sends only 620 nm below the double range.
        UnderflowCase{"Only620nm", Sample(WineType::RedRose, 2, 800, 0.1, 0.1, 0.3, 0.8)},
        UnderflowCase{"WhiteWine", Sample(WineType::WhiteBrandy, 10, kIntMax, 0.10, 0.04, 0.02, 0.01)}),
    UnderflowCaseName);

// ---------------------------------------------------------------------------------------------
// ColourFromSpectrum on crafted spectra

TEST(ColourFromSpectrum, EndsInInvalidOperationWhenEveryPointIsOne) {
  const auto result = ColourFromSpectrum(Flat(1));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure(), ComputeFailure::InvalidOperation);
}

TEST(ColourFromSpectrum, EndsInDivisionByZeroWhenOnlyA520IsZero) {
  Spectrum31 s = Flat(0.5);
  s[tables::kIndex520] = 1;
  const auto result = ColourFromSpectrum(s);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure(), ComputeFailure::DivisionByZero);
}

TEST(ColourFromSpectrum, EndsInDivisionByZeroForAZeroTransmittanceAtAnIndexWavelength) {
  for (int index : {tables::kIndex420, tables::kIndex520, tables::kIndex620}) {
    Spectrum31 s = Flat(0.5);
    s[index] = 0;
    const auto result = ColourFromSpectrum(s);
    ASSERT_FALSE(result.ok()) << "index " << index;
    EXPECT_EQ(result.failure(), ComputeFailure::DivisionByZero) << "index " << index;
  }
}

TEST(ColourFromSpectrum, TakesTheLogarithmAt620nmBeforeTheTonalityQuotient) {
  // 420 and 520 nm alone would give 0/0; the missing logarithm at 620 nm comes first.
  Spectrum31 s = Flat(1);
  s[tables::kIndex620] = 0;
  const auto result = ColourFromSpectrum(s);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure(), ComputeFailure::DivisionByZero);
}

TEST(ColourFromSpectrum, ReportsOverflowWhenTheTristimulusSumsLeaveTheDoubleRange) {
  Spectrum31 s = Flat(0.5);
  s[16] = kMax;  // 560 nm: weight 99.73 for Y
  const auto result = ColourFromSpectrum(s);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure(), ComputeFailure::Overflow);
}

TEST(ColourFromSpectrum, ComputesIntensityAndTonalityFromTheAbsorbancesAt420520And620nm) {
  // Absorbances 1 at 420 nm, 2 at 520 nm and 0 at 620 nm.
  Spectrum31 s = Flat(1);
  s[tables::kIndex420] = 0.1;
  s[tables::kIndex520] = 0.01;
  const auto result = ColourFromSpectrum(s);
  ASSERT_TRUE(result.ok());
  EXPECT_NEAR(result.value().intensity, 1 + 2 + 0, 1e-12);
  EXPECT_NEAR(result.value().tonality, 0.5, 1e-12);
}

TEST(Tristimulus, GivesTheReferenceWhiteForATransparentSample) {
  // Y = 100 by construction; X and Z match the white point to the four decimals of the weights.
  const Tristimulus3 xyz = Tristimulus(Flat(1));
  EXPECT_NEAR(xyz.Y, 100.0, 1e-12);
  EXPECT_NEAR(xyz.X, tables::kWhiteX, 1e-3);
  EXPECT_NEAR(xyz.Z, tables::kWhiteZ, 1e-3);
}

TEST(Tristimulus, IsProportionalToAFlatTransmittance) {
  const Tristimulus3 full = Tristimulus(Flat(1));
  const Tristimulus3 quarter = Tristimulus(Flat(0.25));
  EXPECT_NEAR(quarter.X, 0.25 * full.X, 1e-12);
  EXPECT_NEAR(quarter.Y, 0.25 * full.Y, 1e-12);
  EXPECT_NEAR(quarter.Z, 0.25 * full.Z, 1e-12);
}

TEST(Tristimulus, LeavesZUntouchedByTransmittancesFrom560nmUp) {
  Spectrum31 s = Flat(0.5);
  const double z = Tristimulus(s).Z;
  for (int j = 16; j < kSpectrumPoints; ++j) s[j] = 0.9;
  EXPECT_EQ(Tristimulus(s).Z, z);
}

// Nudges one point of `base` until Y / Yn is exactly `target`. Y grows with every transmittance
// and the point's Y weight is small, so bisection on that point reaches every double near the
// target. Empty when no transmittance there gives the exact quotient.
std::optional<Spectrum31> SpectrumWithNormalisedY(Spectrum31 s, double target, int nudged) {
  const auto normalisedY = [](const Spectrum31& spectrum) { return Tristimulus(spectrum).Y / tables::kWhiteY; };
  double lo = 0, hi = 4 * s[nudged];
  s[nudged] = lo;
  if (!(normalisedY(s) < target)) return std::nullopt;
  s[nudged] = hi;
  if (!(normalisedY(s) > target)) return std::nullopt;
  for (int step = 0; step < 200; ++step) {
    const double mid = lo + (hi - lo) / 2;
    if (mid == lo || mid == hi) break;
    s[nudged] = mid;
    const double y = normalisedY(s);
    if (y == target) return s;
    (y < target ? lo : hi) = mid;
  }
  return std::nullopt;
}

TEST(ColourFromSpectrum, TakesTheLinearBranchWhenTheNormalisedValueIsExactlyTheThreshold) {
  const double threshold = tables::kLabThreshold;
  const auto spectrum = SpectrumWithNormalisedY(Flat(threshold), threshold, kIndex700);
  ASSERT_TRUE(spectrum.has_value()) << "no spectrum with Y / Yn exactly at the threshold";
  ASSERT_EQ(Tristimulus(*spectrum).Y / 100, 0.008856);

  const auto result = ColourFromSpectrum(*spectrum);
  ASSERT_TRUE(result.ok());
  // Linear branch: L* = 116 * 7.787 * y = 7.999551; the cube root would give 8.003188.
  const double linear = (7.787 * 0.008856 + 0.1379 - 0.1379) * 116;
  const double cubeRoot = 116 * std::cbrt(0.008856) - 0.1379 * 116;
  ASSERT_GT(std::fabs(linear - cubeRoot), 3e-3);
  EXPECT_NEAR(result.value().L, linear, 1e-12);
}

TEST(ColourFromSpectrum, TakesTheCubeRootJustAboveTheThreshold) {
  const double above = std::nextafter(0.008856, 1.0);
  const auto spectrum = SpectrumWithNormalisedY(Flat(above), above, kIndex700);
  ASSERT_TRUE(spectrum.has_value()) << "no spectrum with Y / Yn just above the threshold";
  const auto result = ColourFromSpectrum(*spectrum);
  ASSERT_TRUE(result.ok());
  EXPECT_NEAR(result.value().L, 116 * std::cbrt(above) - 0.1379 * 116, 1e-12);
}

TEST(ColourFromSpectrum, GivesLStarOfOneHundredPointZeroZeroThreeSixAtYOfOneHundred) {
  // The offset 0.1379 instead of 16/116 lifts a transparent sample to L* = 100.0036.
  // Nearly transparent; the index wavelengths stay below 1 so that Tonality is defined.
  Spectrum31 base = Flat(1);
  base[tables::kIndex420] = 0.99;
  base[tables::kIndex520] = 0.999;
  const auto spectrum = SpectrumWithNormalisedY(base, 1.0, kIndex700);
  ASSERT_TRUE(spectrum.has_value());
  const auto result = ColourFromSpectrum(*spectrum);
  ASSERT_TRUE(result.ok());
  EXPECT_NEAR(result.value().L, 100.0036, 1e-12);
}

// ---------------------------------------------------------------------------------------------
// Sweep: whatever the inputs, a computed result never holds inf or nan.

void ExpectAllFinite(const SampleInput& in, const Computed<ColourResult>& result) {
  if (!result.ok()) return;
  const auto values = TenValues(result.value());
  for (std::size_t i = 0; i < values.size(); ++i)
    ASSERT_TRUE(std::isfinite(values[i]))
        << kValueNames[i] << " = " << values[i] << " for wine " << static_cast<int>(in.wine) << " d " << in.d
        << " r " << in.r << " A " << in.a450 << ", " << in.a520 << ", " << in.a570 << ", " << in.a630;
}

// Doubles and integers straight from the generator's bits, so the sweep is the same with every
// standard library.
class SweepSource {
 public:
  explicit SweepSource(std::uint64_t seed) : engine_(seed) {}
  double Uniform(double lo, double hi) {
    const double unit = static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    return lo + (hi - lo) * unit;
  }
  std::int32_t Whole(std::int32_t lo, std::int32_t hi) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
    return static_cast<std::int32_t>(lo + static_cast<std::int64_t>(engine_() % span));
  }
  template <typename T, std::size_t N>
  T Pick(const std::array<T, N>& choices) {
    return choices[engine_() % N];
  }

 private:
  std::mt19937_64 engine_;
};

constexpr std::array<double, 16> kExtremeAbsorbances = {
    0.0, -0.0, kDenormMin, -kDenormMin, 1e-300, 308, -308, 309, -309, 1e300, -1e300, kMax, -kMax, 5, -5, 0.5};
constexpr std::array<std::int32_t, 9> kExtremeLengths = {kIntMin, kIntMin + 1, -1000, -1, 0, 1, 2, kIntMax - 1, kIntMax};

TEST(ComputeColour, NeverReturnsInfOrNanOverRandomInputs) {
  SweepSource source(20240601);
  int accepted = 0, refused = 0;
  for (int n = 0; n < 100000; ++n) {
    SampleInput in;
    in.wine = source.Whole(0, 1) == 0 ? WineType::RedRose : WineType::WhiteBrandy;
    const bool extreme = source.Whole(0, 9) == 0;
    in.d = extreme ? source.Pick(kExtremeLengths) : source.Whole(-1000, 1000);
    in.r = source.Whole(0, 9) == 0 ? source.Pick(kExtremeLengths) : source.Whole(-1000, 1000);
    double* a[4] = {&in.a450, &in.a520, &in.a570, &in.a630};
    for (double* v : a) *v = source.Whole(0, 19) == 0 ? source.Pick(kExtremeAbsorbances) : source.Uniform(-5, 5);
    const auto result = ComputeColour(in);
    ExpectAllFinite(in, result);
    if (HasFatalFailure()) return;
    (result.ok() ? accepted : refused)++;
  }
  // Both outcomes must actually occur, or the sweep proves nothing.
  EXPECT_GT(accepted, 1000);
  EXPECT_GT(refused, 1000);
}

TEST(ComputeColour, NeverReturnsInfOrNanOverSmallAbsorbancesAndPathLengths) {
  // Samples near the accepted region, where most computations succeed.
  SweepSource source(7);
  int accepted = 0;
  for (int n = 0; n < 50000; ++n) {
    SampleInput in;
    in.wine = source.Whole(0, 1) == 0 ? WineType::RedRose : WineType::WhiteBrandy;
    in.d = source.Whole(1, 20);
    in.r = source.Whole(-1000, 1000);
    in.a450 = source.Uniform(-0.1, 1.5);
    in.a520 = source.Uniform(-0.1, 1.5);
    in.a570 = source.Uniform(-0.1, 1.5);
    in.a630 = source.Uniform(-0.1, 1.5);
    const auto result = ComputeColour(in);
    ExpectAllFinite(in, result);
    if (HasFatalFailure()) return;
    if (result.ok()) {
      ++accepted;
      EXPECT_GE(result.value().h, 0.0);
      EXPECT_LT(result.value().h, 360.0);
    }
  }
  EXPECT_GT(accepted, 5000);
}

TEST(ComputeColour, NeverReturnsInfOrNanOverEveryExtremeCombination) {
  int accepted = 0;
  for (WineType wine : {WineType::RedRose, WineType::WhiteBrandy})
    for (std::int32_t d : kExtremeLengths)
      for (std::int32_t r : kExtremeLengths)
        for (double a : kExtremeAbsorbances)
          for (double other : {0.0, 0.3, -0.3, 1e300, -1e300}) {
            const SampleInput samples[] = {Sample(wine, d, r, a, other, other, other),
                                           Sample(wine, d, r, other, a, other, other),
                                           Sample(wine, d, r, other, other, a, other),
                                           Sample(wine, d, r, other, other, other, a)};
            for (const auto& in : samples) {
              const auto result = ComputeColour(in);
              ExpectAllFinite(in, result);
              if (HasFatalFailure()) return;
              if (result.ok()) ++accepted;
            }
          }
  EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace tintavis
