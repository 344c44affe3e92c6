// Whole-spectrum colour and the check of the four-absorbance estimate.
//
// Reference figures: the CIE tables' white point for D65 and the 10-degree observer as CIE 015
// prints it (1 nm) and as the tables give it every 5 and 10 nm (core/data/README.md), which a
// missing or shifted row of the generated table would move; figures computed apart from this
// code by tests/core/fullspectrum_reference.py, which reads the same CSV files in plain Python
// and sums, converts to CIELAB and takes CIEDE2000 from the textbook formulas; and the
// four-absorbance method's own worked figures for its reference red wine.
//
// No published worked example of a wine spectrum with its CIELAB for D65 and the 10-degree
// observer was found; the published figure tested is the chromaticity of illuminant A for the
// 10-degree observer (CIE 15), reached through a filter spectrum (last test), and the independent
// computation stands in for a wine.
#include "core/fullspectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace tintavis {
namespace {

// Figures printed with six decimals: a correct value lies within half a unit of the last one.
constexpr double kFigureTolerance = 5e-7;
// White points are printed with three decimals.
constexpr double kWhiteTolerance = 5e-4;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> Wavelengths(int firstNm, int stepNm, int lastNm) {
  std::vector<double> nm;
  for (int l = firstNm; l <= lastNm; l += stepNm) nm.push_back(l);
  return nm;
}

// Absorbance straight between the knots (nm, A).
std::vector<double> Piecewise(const std::vector<std::pair<double, double>>& knots, const std::vector<double>& nm) {
  std::vector<double> a;
  for (const double l : nm) {
    for (std::size_t k = 0; k + 1 < knots.size(); ++k) {
      const auto [l0, a0] = knots[k];
      const auto [l1, a1] = knots[k + 1];
      if (l >= l0 && l <= l1) {
        a.push_back(a0 + (a1 - a0) * (l - l0) / (l1 - l0));
        break;
      }
    }
  }
  return a;
}

// The synthetic red wine of fullspectrum_reference.py (RED_KNOTS), in a 2 mm cell every 5 nm: its
// absorbances at 450, 520, 570 and 630 nm are the method's reference red wine (0.5, 0.8, 0.6, 0.2).
const std::vector<std::pair<double, double>> kRedKnots = {{380, 0.95}, {420, 0.55}, {450, 0.5}, {520, 0.8},
                                                          {570, 0.6},  {630, 0.2},  {700, 0.06}, {780, 0.03}};

MeasuredSpectrum Spectrum(const std::vector<double>& a, int firstNm, int stepNm, int d, int r) {
  MeasuredSpectrum s;
  s.firstNm = firstNm;
  s.stepNm = stepNm;
  s.absorbance = a;
  s.d = d;
  s.r = r;
  return s;
}

void ExpectColour(const ColourResult& got, const ColourResult& want, double tolerance) {
  EXPECT_NEAR(got.X, want.X, tolerance);
  EXPECT_NEAR(got.Y, want.Y, tolerance);
  EXPECT_NEAR(got.Z, want.Z, tolerance);
  EXPECT_NEAR(got.L, want.L, tolerance);
  EXPECT_NEAR(got.C, want.C, tolerance);
  EXPECT_NEAR(got.h, want.h, tolerance);
  EXPECT_NEAR(got.a, want.a, tolerance);
  EXPECT_NEAR(got.b, want.b, tolerance);
  EXPECT_NEAR(got.intensity, want.intensity, tolerance);
  EXPECT_NEAR(got.tonality, want.tonality, tolerance);
}

TEST(FullSpectrumWhitePoint, MatchesTheCieFiguresAtEachStep) {
  struct Case {
    int firstNm, stepNm;
    double Xn, Zn;
  };
  const Case cases[] = {
      {380, 1, 94.811, 107.304},   // CIE 015
      {380, 5, 94.812, 107.324},   // every fifth row
      {380, 10, 94.825, 107.381},  // every tenth row
      {379, 2, 94.811, 107.302},   // 381, 383, ..., 779 (fullspectrum_reference.py: 94.810628, 107.301768)
  };
  for (const auto& c : cases) {
    const Tristimulus3 white = WhitePoint(c.firstNm, c.stepNm);
    EXPECT_NEAR(white.X, c.Xn, kWhiteTolerance) << c.firstNm << " + " << c.stepNm << " nm";
    EXPECT_DOUBLE_EQ(white.Y, 100);
    EXPECT_NEAR(white.Z, c.Zn, kWhiteTolerance) << c.firstNm << " + " << c.stepNm << " nm";
  }
}

TEST(FullSpectrumColour, AClearSampleIsTheWhitePointOnEveryGrid) {
  for (const auto& [firstNm, stepNm, lastNm] : {std::tuple{380, 1, 780}, {380, 5, 780}, {370, 10, 800}, {379, 2, 781}}) {
    const std::vector<double> clear(Wavelengths(firstNm, stepNm, lastNm).size(), 0.0);
    const auto outcome = ComputeFullSpectrumColour(Spectrum(clear, firstNm, stepNm, 10, 10));
    ASSERT_TRUE(std::holds_alternative<FullSpectrumColour>(outcome));
    const auto& full = std::get<FullSpectrumColour>(outcome);
    const Tristimulus3 white = WhitePoint(firstNm, stepNm);
    EXPECT_NEAR(full.colour.X, white.X, 1e-9);
    EXPECT_NEAR(full.colour.Y, 100, 1e-9);
    EXPECT_NEAR(full.colour.L, 100, 1e-9);
    EXPECT_NEAR(full.colour.a, 0, 1e-9);
    EXPECT_NEAR(full.colour.b, 0, 1e-9);
    EXPECT_EQ(full.colour.intensity, 0);
    EXPECT_FALSE(full.hasTonality);  // A520 = 0: no Tonality, and no fault either
  }
}

TEST(FullSpectrumColour, SyntheticRedWineMatchesTheIndependentFigures) {
  const auto a = Piecewise(kRedKnots, Wavelengths(380, 5, 780));
  const auto outcome = ComputeFullSpectrumColour(Spectrum(a, 380, 5, 2, 10));
  ASSERT_TRUE(std::holds_alternative<FullSpectrumColour>(outcome));
  const auto& full = std::get<FullSpectrumColour>(outcome);
  // fullspectrum_reference.py, "synthetic red, 5 nm, d = 2, r = 10".
  ExpectColour(full.colour,
               {2.347782, 1.048836, 0.204536, 9.391820, 38.623679, 20.023110, 36.289055, 13.224714, 8.083333, 0.687500},
               kFigureTolerance);
  EXPECT_TRUE(full.hasTonality);
}

TEST(FullSpectrumColour, RefusesWhatItCannotCompute) {
  const auto a = Piecewise(kRedKnots, Wavelengths(380, 5, 780));
  const std::span<const double> all(a);
  struct Case {
    const char* what;
    MeasuredSpectrum spectrum;
    SpectrumFailure failure;
  };
  const Case cases[] = {
      {"3 nm step", Spectrum(a, 380, 3, 2, 10), SpectrumFailure::StepNotSupported},
      {"starts at 385 nm", Spectrum(a, 385, 5, 2, 10), SpectrumFailure::RangeNotCovered},
      {"ends at 775 nm", {380, 5, all.first(all.size() - 1), 2, 10}, SpectrumFailure::RangeNotCovered},
      {"no points", {380, 5, {}, 2, 10}, SpectrumFailure::RangeNotCovered},
      {"d = 0", Spectrum(a, 380, 5, 0, 10), SpectrumFailure::PathLengthNotPositive},
      {"r = -1", Spectrum(a, 380, 5, 2, -1), SpectrumFailure::PathLengthNotPositive},
  };
  for (const auto& c : cases) {
    const auto outcome = ComputeFullSpectrumColour(c.spectrum);
    ASSERT_TRUE(std::holds_alternative<SpectrumFailure>(outcome)) << c.what;
    EXPECT_EQ(std::get<SpectrumFailure>(outcome), c.failure) << c.what;
    const auto check = CheckFourWavelengthEstimate(c.spectrum, WineType::RedRose);
    ASSERT_TRUE(std::holds_alternative<SpectrumFailure>(check)) << c.what;
  }
}

TEST(FullSpectrumColour, OddValuesAt520nmNeverGiveANonFiniteResult) {
  struct Case {
    double a520;
    bool computed;
  };
  for (const auto& c : {Case{-1, true}, {0, true}, {1, true}, {kInf, false}, {-kInf, false}, {kNaN, false}}) {
    auto a = Piecewise(kRedKnots, Wavelengths(380, 5, 780));
    a[(520 - 380) / 5] = c.a520;
    const auto outcome = ComputeFullSpectrumColour(Spectrum(a, 380, 5, 2, 10));
    if (!c.computed) {
      ASSERT_TRUE(std::holds_alternative<SpectrumFailure>(outcome)) << c.a520;
      EXPECT_EQ(std::get<SpectrumFailure>(outcome), SpectrumFailure::NotFinite);
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<FullSpectrumColour>(outcome)) << c.a520;
    const ColourResult& r = std::get<FullSpectrumColour>(outcome).colour;
    for (const double v : {r.X, r.Y, r.Z, r.L, r.C, r.h, r.a, r.b, r.intensity, r.tonality}) {
      EXPECT_TRUE(std::isfinite(v)) << c.a520;
    }
  }
}

TEST(FourWavelengthCheck, ReferenceRedWineGivesTheMethodsFiguresAndTheirDistance) {
  const auto a = Piecewise(kRedKnots, Wavelengths(380, 5, 780));
  const auto outcome = CheckFourWavelengthEstimate(Spectrum(a, 380, 5, 2, 10), WineType::RedRose);
  ASSERT_TRUE(std::holds_alternative<EstimateCheck>(outcome));
  const auto& check = std::get<EstimateCheck>(outcome);
  ASSERT_TRUE(check.estimate.ok());
  // The method's worked figures for red, d = 2, r = 10, A = 0.5, 0.8, 0.6, 0.2.
  ExpectColour(check.estimate.value(),
               {3.212814, 1.402566, 0.368396, 11.978323, 43.986126, 20.365850, 41.236535, 15.307758, 7.399904,
                0.532708},
               kFigureTolerance);
  EXPECT_NEAR(check.full.colour.L, 9.391820, kFigureTolerance);
  // Estimate minus whole spectrum; ΔE00 from fullspectrum_reference.py (CIEDE2000 of the two).
  EXPECT_NEAR(check.difference.dL, 11.978323 - 9.391820, 2 * kFigureTolerance);
  EXPECT_NEAR(check.difference.dE00, 2.493324, 2 * kFigureTolerance);
}

TEST(FourWavelengthCheck, ARefusedEstimateLeavesTheWholeSpectrumResult) {
  // The method refuses A = 0.5, 0.1, 0.6, 0.2 (red, 2 mm): its spectrum goes below 0 at 400 nm.
  const auto a = Piecewise({{380, 0.9}, {450, 0.5}, {520, 0.1}, {570, 0.6}, {630, 0.2}, {780, 0.05}},
                           Wavelengths(380, 10, 780));
  const auto outcome = CheckFourWavelengthEstimate(Spectrum(a, 380, 10, 2, 10), WineType::RedRose);
  ASSERT_TRUE(std::holds_alternative<EstimateCheck>(outcome));
  const auto& check = std::get<EstimateCheck>(outcome);
  ASSERT_FALSE(check.estimate.ok());
  EXPECT_EQ(check.estimate.failure(), ComputeFailure::ColourOutOfRange);
  EXPECT_GT(check.full.colour.Y, 0);
  EXPECT_EQ(check.difference.dE00, 0);
}

TEST(FourWavelengthCheck, ReadsBetweenThePointsOfAGridThatMissesTheWavelengths) {
  // 379, 381, ..., 781 nm: none of 420, 450, 520, 570, 620, 630 is a point. A straight
  // absorbance is read exactly there.
  const auto at = [](double l) { return 0.3 - 0.0005 * (l - 380); };
  std::vector<double> a = Wavelengths(379, 2, 781);
  for (double& l : a) l = at(l);
  const auto outcome = CheckFourWavelengthEstimate(Spectrum(a, 379, 2, 10, 10), WineType::WhiteBrandy);
  ASSERT_TRUE(std::holds_alternative<EstimateCheck>(outcome));
  const auto& check = std::get<EstimateCheck>(outcome);

  SampleInput exact;
  exact.wine = WineType::WhiteBrandy;
  exact.d = 10;
  exact.r = 10;
  exact.a450 = at(450);
  exact.a520 = at(520);
  exact.a570 = at(570);
  exact.a630 = at(630);
  const auto expected = ComputeColour(exact);
  ASSERT_TRUE(expected.ok());
  ASSERT_TRUE(check.estimate.ok());
  ExpectColour(check.estimate.value(), expected.value(), 1e-12);
  EXPECT_NEAR(check.full.colour.intensity, at(420) + at(520) + at(620), 1e-12);
  EXPECT_NEAR(check.full.colour.tonality, at(420) / at(520), 1e-12);
}

}  // namespace
}  // namespace tintavis

namespace tintavis {
namespace {

// A published figure for a whole spectrum: a filter whose transmittance is the relative power of
// CIE illuminant A divided by that of D65 shows, under D65, the colour of illuminant A itself, so
// its chromaticity must be that of A for the 10-degree observer as CIE 15 (3rd edition) prints
// it, x10 = 0.45117, y10 = 0.40594. Illuminant A is Planck's formula as the CIE defines it
// (c2 = 1.435e-2 m K, 2848 K), so the spectrum owes nothing to this code's tables but D65, which
// cancels.
TEST(FullSpectrumColour, AFilterThatTurnsD65IntoIlluminantAShowsTheChromaticityOfA) {
  auto illuminantA = [](double nm) {
    const double c = 1.435e7 / 2848;  // c2 / T in nm
    return 100 * std::pow(560 / nm, 5) * std::expm1(c / 560) / std::expm1(c / nm);
  };
  std::vector<double> ratio;
  double largest = 0;
  for (const CieRow& row : CieTable()) {
    ratio.push_back(illuminantA(row.nm) / row.d65);
    largest = std::max(largest, ratio.back());
  }
  std::vector<double> absorbance;
  absorbance.reserve(ratio.size());
  for (const double q : ratio) absorbance.push_back(-std::log10(q / largest));  // transmittance up to 1
  const auto outcome = ComputeFullSpectrumColour(Spectrum(absorbance, 380, 1, 10, 10));
  const auto* full = std::get_if<FullSpectrumColour>(&outcome);
  ASSERT_NE(full, nullptr);
  const double sum = full->colour.X + full->colour.Y + full->colour.Z;
  EXPECT_NEAR(full->colour.X / sum, 0.45117, 2e-5);
  EXPECT_NEAR(full->colour.Y / sum, 0.40594, 2e-5);
}

}  // namespace
}  // namespace tintavis
