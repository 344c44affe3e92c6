// The --precise number text against the C++ library's own "%.17g".
#include "cli/precisetext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Precise(double v) {
  char out[tintavis::batch::kPreciseTextMax];
  return std::string(out, tintavis::batch::PutPrecise(out, v));
}

std::string Library(double v) {
  char out[64];
  return std::string(out, std::to_chars(out, out + sizeof out, v, std::chars_format::general, 17).ptr);
}

TEST(PutPrecise, WritesWhatPercent17gWrites) {
  constexpr double kMax = std::numeric_limits<double>::max();
  for (const double v : {0.0, -0.0, 1.0, -1.0, 0.1, 0.5, 2.0 / 3.0, 100.0, 87.833970, 1e-4, 9.9999e-5, 1e-5, 1e16,
                         1e17, 123456789012345678.0, 1e-10, 1e-11, kMax, -kMax, std::numeric_limits<double>::denorm_min(),
                         std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(Precise(v), Library(v));
  }
}

TEST(PutPrecise, AgreesWithTheLibraryOnRandomNumbersTiesAndPowersOfTen) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 17);
  int compared = 0;
  const auto expectSame = [&](double v) {
    ASSERT_EQ(Precise(v), Library(v));
    ++compared;
  };
  for (int i = 0; i < 20000; ++i) {
    const double v = mantissa(random) * std::pow(10.0, exponent(random));
    expectSame(v);
    expectSame(-v);
    // Any bit pattern: NaN, infinities, subnormals and every exponent.
    const std::uint64_t bits = random();
    double any = 0;
    std::memcpy(&any, &bits, sizeof any);
    if (!std::isnan(any)) expectSame(any);
    // Binary fractions whose decimal expansion has 18 digits ending in 5 are exact ties at 17
    // digits (1 + 2^-17 = 1.00000762939453125), rounded half to even.
    const auto whole = static_cast<double>(random() % 100000);
    const int k = static_cast<int>(random() % 60);
    expectSame(std::ldexp(whole, -k) + 1);
    expectSame(std::ldexp(whole + 1, -k));
    // Powers of ten and their neighbours.
    double p = std::pow(10.0, exponent(random));
    for (int step = 0; step < 3; ++step) p = std::nextafter(p, 0.0);
    for (int step = 0; step < 7; ++step, p = std::nextafter(p, 1e300)) expectSame(p);
  }
  EXPECT_GT(compared, 200000);
}

}  // namespace
