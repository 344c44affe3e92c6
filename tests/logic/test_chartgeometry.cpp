#include "logic/chartgeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <ostream>
#include <string>

namespace {

using tintavis::AbChartDrawing;
using tintavis::AbLabelPosition;
using tintavis::ChartDrawing;
using tintavis::DrawOp;
using tintavis::LLabelPosition;
using tintavis::LScaleDrawing;
using tintavis::PixelPoint;
using tintavis::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kNavy{0, 0, 128};

// ---------------------------------------------------------------------------------------------
// Label positions

struct LabelCase {
  const char* what;
  int row;
  double a, b, L;
  PixelPoint ab;
  PixelPoint l;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.what; }

class LabelPositionTest : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelPositionTest, PutsTheRowNumberWhereTheSampleLies) {
  const LabelCase& c = GetParam();
  EXPECT_EQ(AbLabelPosition(c.row, c.a, c.b), c.ab);
  EXPECT_EQ(LLabelPosition(c.row, c.L), c.l);
}

// Hand-derived: x = round(3.5·a*) + 43 (+ 40 from row 10), y = 250 − round(3.5·b*);
// L* label at x = 20 (17 from row 10), y = 291 − round(2.8·L* + 9).
INSTANTIATE_TEST_SUITE_P(
    WorkedSamples, LabelPositionTest,
    testing::Values(
        // 3.5·41.236535 = 144.33 → 144; 3.5·15.307758 = 53.58 → 54; 2.8·11.978323 + 9 = 42.54 → 43
        LabelCase{"red sample in row 1", 1, 41.236535, 15.307758, 11.978323, {187, 196}, {20, 248}},
        LabelCase{"red sample in row 9", 9, 41.236535, 15.307758, 11.978323, {187, 196}, {20, 248}},
        LabelCase{"red sample in row 10", 10, 41.236535, 15.307758, 11.978323, {184, 196}, {17, 248}},
        LabelCase{"red sample in row 50", 50, 41.236535, 15.307758, 11.978323, {184, 196}, {17, 248}},
        // 3.5·−1.076 = −3.77 → −4; 3.5·7.780 = 27.23 → 27; 2.8·95.924 + 9 = 277.59 → 278
        LabelCase{"white sample in row 2", 2, -1.076, 7.780, 95.924, {39, 223}, {20, 13}},
        // round(1.75) = 2
        LabelCase{"a and b of one half", 1, 0.5, 0.5, 0.0, {45, 248}, {20, 282}},
        // The origin of the a*b* chart and both ends of the L* scale.
        LabelCase{"origin and black", 1, 0.0, 0.0, 0.0, {43, 250}, {20, 282}},
        LabelCase{"white point", 12, 0.0, 0.0, 100.0, {40, 250}, {17, 2}}),
    [](const testing::TestParamInfo<LabelCase>& param) {
      std::string name = param.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

struct TieCase {
  double value;
  int rounded;  // round(3.5·value), ties to even
};

class HalfwayProductTest : public testing::TestWithParam<TieCase> {};

TEST_P(HalfwayProductTest, RoundsToTheEvenNeighbourOnBothAxes) {
  const TieCase& c = GetParam();
  EXPECT_EQ(AbLabelPosition(1, c.value, 0.0).x, c.rounded + 43);
  EXPECT_EQ(AbLabelPosition(10, c.value, 0.0).x, c.rounded + 40);
  EXPECT_EQ(AbLabelPosition(1, 0.0, c.value).y, 250 - c.rounded);
}

INSTANTIATE_TEST_SUITE_P(Ties, HalfwayProductTest,
                         testing::Values(TieCase{3.0, 10},    // 10.5 → 10
                                         TieCase{1.0, 4},     // 3.5 → 4
                                         TieCase{-1.0, -4},   // −3.5 → −4
                                         TieCase{-3.0, -10},  // −10.5 → −10
                                         TieCase{5.0, 18}));  // 17.5 → 18

TEST(LabelPosition, FormsTheProductInExtendedPrecision) {
  if (std::numeric_limits<long double>::digits <= std::numeric_limits<double>::digits) {
    GTEST_SKIP() << "long double is no wider than double here";
  }
  // 5/7 as a double is a little above 5/7: 3.5 times it is 2.5 plus a little, so 3; the product
  // rounded to a double is exactly 2.5 and would give 2.
  const double justAboveTie = 0x1.6db6db6db6db7p-1;  // 0.7142857142857143
  ASSERT_EQ(3.5 * justAboveTie, 2.5);
  EXPECT_EQ(AbLabelPosition(1, justAboveTie, 0.0).x, 3 + 43);
  EXPECT_EQ(AbLabelPosition(1, 0.0, justAboveTie).y, 250 - 3);
  // 11/7 as a double is a little below 11/7: 3.5 times it is 5.5 minus a little, so 5, where the
  // double product 5.5 would give 6.
  const double justBelowTie = 0x1.9249249249249p+0;  // 1.5714285714285714
  ASSERT_EQ(3.5 * justBelowTie, 5.5);
  EXPECT_EQ(AbLabelPosition(1, justBelowTie, 0.0).x, 5 + 43);
  EXPECT_EQ(AbLabelPosition(1, 0.0, justBelowTie).y, 250 - 5);
}

TEST(LabelPosition, FollowsValuesFarOffTheChartWithoutClamping) {
  EXPECT_EQ(AbLabelPosition(1, 200.0, -200.0), (PixelPoint{700 + 43, 250 + 700}));
  EXPECT_EQ(AbLabelPosition(10, -200.0, 200.0), (PixelPoint{-700 + 40, 250 - 700}));
  EXPECT_EQ(LLabelPosition(1, -50.0), (PixelPoint{20, 291 - (-140 + 9)}));
  EXPECT_EQ(LLabelPosition(1, 150.0), (PixelPoint{20, 291 - (420 + 9)}));
}

TEST(LabelPosition, SendsHugeInfiniteAndNanValuesFarOffBothCharts) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kMax = std::numeric_limits<double>::max();
  // Far off: well beyond any bitmap and any label box, in either direction.
  const auto farOff = [](int v) { return v < -100'000 || v > 100'000; };
  for (const double v : {kInf, -kInf, kNan, kMax, -kMax, 1e300, -1e300, 1e9, -1e9}) {
    SCOPED_TRACE(v);
    for (const int row : {1, 10}) {
      const PixelPoint onAb = AbLabelPosition(row, v, v);
      EXPECT_TRUE(farOff(onAb.x)) << onAb.x;
      EXPECT_TRUE(farOff(onAb.y)) << onAb.y;
      EXPECT_TRUE(farOff(LLabelPosition(row, v).y));
      // Only the far-off coordinate moves.
      EXPECT_EQ(AbLabelPosition(row, v, 0.0).y, 250);
      EXPECT_EQ(AbLabelPosition(row, 0.0, v).x, row < 10 ? 43 : 40);
    }
  }
  // Signs keep their direction.
  EXPECT_GT(AbLabelPosition(1, kInf, 0.0).x, 0);
  EXPECT_LT(AbLabelPosition(1, -kInf, 0.0).x, 0);
  EXPECT_LT(AbLabelPosition(1, 0.0, kInf).y, 0);
  EXPECT_GT(AbLabelPosition(1, 0.0, -kInf).y, 0);
  EXPECT_LT(LLabelPosition(1, kInf).y, 0);
  EXPECT_GT(LLabelPosition(1, -kInf).y, 0);
}

TEST(FontPixelSize, SizesFontsAsTheNinetySixDpiScreenDid) {
  static_assert(tintavis::FontPixelSize(7) == 9);    // 9.33
  static_assert(tintavis::FontPixelSize(8) == 11);   // 10.67
  static_assert(tintavis::FontPixelSize(10) == 13);  // 13.33
  static_assert(tintavis::FontPixelSize(9) == 12);   // 12 exactly
  static_assert(tintavis::FontPixelSize(0) == 0);
  EXPECT_EQ(tintavis::FontPixelSize(tintavis::kSampleLabelFont.pointSize), 11);
}

// ---------------------------------------------------------------------------------------------
// The empty charts

std::size_t CountKind(const ChartDrawing& chart, DrawOp::Kind kind) {
  return static_cast<std::size_t>(
      std::count_if(chart.ops.begin(), chart.ops.end(), [kind](const DrawOp& op) { return op.kind == kind; }));
}

bool Contains(const ChartDrawing& chart, const DrawOp& op) {
  return std::find(chart.ops.begin(), chart.ops.end(), op) != chart.ops.end();
}

std::ptrdiff_t IndexOf(const ChartDrawing& chart, const DrawOp& op) {
  return std::find(chart.ops.begin(), chart.ops.end(), op) - chart.ops.begin();
}

TEST(AbChartDrawing, IsA303PixelSquareOnPaleYellow) {
  const ChartDrawing& chart = AbChartDrawing();
  EXPECT_EQ(chart.width, 303);
  EXPECT_EQ(chart.height, 303);
  EXPECT_EQ(chart.background, (Rgb{255, 255, 220}));
  ASSERT_FALSE(chart.ops.empty());
  EXPECT_EQ(chart.ops.front(), DrawOp::Fill({255, 255, 220}));
}

TEST(AbChartDrawing, HasTwoAxesTwentyTicksThirtyTwoGridLinesAndNineteenTexts) {
  const ChartDrawing& chart = AbChartDrawing();
  EXPECT_EQ(CountKind(chart, DrawOp::Kind::Fill), 1u);
  // 2 axes + 2 × 10 ticks + 16 horizontal and 16 vertical grid segments.
  EXPECT_EQ(CountKind(chart, DrawOp::Kind::Line), 54u);
  // 7 + 2 b* values, 7 + 1 a* values, 2 axis names.
  EXPECT_EQ(CountKind(chart, DrawOp::Kind::Text), 19u);
}

TEST(AbChartDrawing, DrawsTheAxesAndTicksInBlack) {
  const ChartDrawing& chart = AbChartDrawing();
  EXPECT_TRUE(Contains(chart, DrawOp::Line({45, 2}, {45, 303}, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({2, 255}, {300, 255}, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({43, 10}, {48, 10}, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({43, 325}, {48, 325}, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({10, 253}, {10, 258}, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({325, 253}, {325, 258}, kBlack)));
  for (const DrawOp& op : chart.ops) {
    if (op.kind == DrawOp::Kind::Line) {
      EXPECT_TRUE(op.colour == kBlack || op.colour == kSilver);
      // Every line of the chart is horizontal or vertical.
      EXPECT_TRUE(op.from.x == op.to.x || op.from.y == op.to.y);
    }
  }
}

TEST(AbChartDrawing, WritesTheTickValuesInSmallBlackArial) {
  const ChartDrawing& chart = AbChartDrawing();
  const tintavis::ChartFont arial7{"Arial", 7, false};
  EXPECT_EQ(tintavis::kTickLabelFont, arial7);
  EXPECT_TRUE(Contains(chart, DrawOp::Text({32, 5}, "70", arial7, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Text({32, 215}, "10", arial7, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Text({37, 257}, "0", arial7, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Text({29, 285}, "-10", arial7, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Text({76, 257}, "10", arial7, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Text({286, 257}, "70", arial7, kBlack)));
  EXPECT_TRUE(Contains(chart, DrawOp::Text({4, 257}, "-10", arial7, kBlack)));
}

TEST(AbChartDrawing, DrawsTheSilverGridAroundTheTickValues) {
  const ChartDrawing& chart = AbChartDrawing();
  EXPECT_TRUE(Contains(chart, DrawOp::Line({45, 10}, {303, 10}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({2, 10}, {30, 10}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({45, 220}, {303, 220}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({45, 290}, {303, 290}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({2, 290}, {26, 290}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({80, 2}, {80, 255}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({290, 268}, {290, 303}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({10, 2}, {10, 255}, kSilver)));
  EXPECT_TRUE(Contains(chart, DrawOp::Line({10, 268}, {10, 303}, kSilver)));
}

TEST(AbChartDrawing, NamesTheAxesInBoldNavyOnTop) {
  const ChartDrawing& chart = AbChartDrawing();
  const tintavis::ChartFont arial10Bold{"Arial", 10, true};
  EXPECT_EQ(chart.ops[chart.ops.size() - 2], DrawOp::Text({13, 106}, "b*", arial10Bold, kNavy));
  EXPECT_EQ(chart.ops.back(), DrawOp::Text({181, 270}, "a*", arial10Bold, kNavy));
}

TEST(AbChartDrawing, DrawsInTheOrderThatLetsLaterStepsCoverEarlierOnes) {
  const ChartDrawing& chart = AbChartDrawing();
  const tintavis::ChartFont arial7{"Arial", 7, false};
  const auto bAxis = IndexOf(chart, DrawOp::Line({45, 2}, {45, 303}, kBlack));
  const auto bValues = IndexOf(chart, DrawOp::Text({32, 5}, "70", arial7, kBlack));
  const auto aAxis = IndexOf(chart, DrawOp::Line({2, 255}, {300, 255}, kBlack));
  const auto aValues = IndexOf(chart, DrawOp::Text({76, 257}, "10", arial7, kBlack));
  const auto horizontalGrid = IndexOf(chart, DrawOp::Line({45, 10}, {303, 10}, kSilver));
  const auto verticalGrid = IndexOf(chart, DrawOp::Line({80, 2}, {80, 255}, kSilver));
  EXPECT_LT(0, bAxis);
  EXPECT_LT(bAxis, bValues);
  EXPECT_LT(bValues, aAxis);
  EXPECT_LT(aAxis, aValues);
  EXPECT_LT(aValues, horizontalGrid);
  EXPECT_LT(horizontalGrid, verticalGrid);
  EXPECT_LT(verticalGrid, static_cast<std::ptrdiff_t>(chart.ops.size()) - 2);
}

TEST(LScaleDrawing, IsANarrowStripOnPaleGreen) {
  const ChartDrawing& chart = LScaleDrawing();
  EXPECT_EQ(chart.width, 35);
  EXPECT_EQ(chart.height, 305);
  EXPECT_EQ(chart.background, (Rgb{200, 255, 240}));
  ASSERT_FALSE(chart.ops.empty());
  EXPECT_EQ(chart.ops.front(), DrawOp::Fill({200, 255, 240}));
}

TEST(LScaleDrawing, HasOneAxisTwelveTicksTwelveGridLinesAndTwelveTexts) {
  const ChartDrawing& chart = LScaleDrawing();
  EXPECT_EQ(CountKind(chart, DrawOp::Kind::Fill), 1u);
  EXPECT_EQ(CountKind(chart, DrawOp::Kind::Line), 25u);
  // "100", "90" to "10", "0" and "L*".
  EXPECT_EQ(CountKind(chart, DrawOp::Kind::Text), 12u);
}

TEST(LScaleDrawing, DrawsAxisValuesNameAndGridInThatOrder) {
  const ChartDrawing& chart = LScaleDrawing();
  const tintavis::ChartFont arial7{"Arial", 7, false};
  const tintavis::ChartFont arial10Bold{"Arial", 10, true};
  // Fill, axis, 12 ticks, 11 values, the name, 12 grid lines.
  ASSERT_EQ(chart.ops.size(), 38u);
  EXPECT_EQ(chart.ops[1], DrawOp::Line({15, 3}, {15, 300}, kBlack));
  EXPECT_EQ(chart.ops[2], DrawOp::Line({15, 9}, {18, 9}, kBlack));
  EXPECT_EQ(chart.ops[13], DrawOp::Line({15, 317}, {18, 317}, kBlack));
  EXPECT_EQ(chart.ops[14], DrawOp::Text({0, 4}, "100", arial7, kBlack));
  EXPECT_EQ(chart.ops[15], DrawOp::Text({4, 32}, "90", arial7, kBlack));
  EXPECT_EQ(chart.ops[23], DrawOp::Text({4, 256}, "10", arial7, kBlack));
  EXPECT_EQ(chart.ops[24], DrawOp::Text({9, 284}, "0", arial7, kBlack));
  EXPECT_EQ(chart.ops[25], DrawOp::Text({1, 155}, "L*", arial10Bold, kNavy));
  EXPECT_EQ(chart.ops[26], DrawOp::Line({19, 9}, {35, 9}, kSilver));
  EXPECT_EQ(chart.ops[37], DrawOp::Line({19, 317}, {35, 317}, kSilver));
}

TEST(SampleLabels, AreBoldRedTimes) {
  EXPECT_EQ(tintavis::kSampleLabelFont, (tintavis::ChartFont{"Times", 8, true}));
  EXPECT_EQ(tintavis::kSampleLabelColour, (Rgb{255, 0, 0}));
}

// ---- Samples off the a*b* chart -----------------------------------------------------------------

TEST(AbSampleMark, ASampleOnTheChartHasItsLabelAndNoArrow) {
  for (const auto& [a, b] : {std::pair{10.0, 20.0}, std::pair{-12.0, -13.0}, std::pair{73.0, 72.0}}) {
    const tintavis::ChartMark mark = tintavis::AbSampleMark(4, a, b);
    EXPECT_FALSE(mark.outside) << a << ", " << b;
    EXPECT_TRUE(mark.arrow.empty());
    EXPECT_EQ(mark.label, AbLabelPosition(4, a, b));
  }
}

TEST(AbSampleMark, NonFiniteValuesGiveNoMarkOnTheChart) {
  const tintavis::ChartMark mark = tintavis::AbSampleMark(2, std::nan(""), 3.0);
  EXPECT_FALSE(mark.outside);
  EXPECT_TRUE(mark.arrow.empty());
}

struct OffChartCase {
  const char* name;
  double a, b;
  int dx, dy;  // the way out
};

class AbSampleOffTheChart : public ::testing::TestWithParam<OffChartCase> {};

INSTANTIATE_TEST_SUITE_P(
    Edges, AbSampleOffTheChart,
    ::testing::Values(OffChartCase{"violet_rose_below", 5.0, -18.75, 0, 1}, OffChartCase{"left", -20.0, 10.0, -1, 0},
                      OffChartCase{"right", 90.0, 10.0, 1, 0}, OffChartCase{"above", 20.0, 80.0, 0, -1},
                      OffChartCase{"beyond_a_corner", 200.0, -200.0, 1, 1}),
    [](const ::testing::TestParamInfo<OffChartCase>& offInfo) { return std::string(offInfo.param.name); });

TEST_P(AbSampleOffTheChart, IsMarkedAtTheEdgeByAnArrowPointingOutAndItsLabelInside) {
  const OffChartCase& c = GetParam();
  const tintavis::ChartMark mark = tintavis::AbSampleMark(12, c.a, c.b);
  ASSERT_TRUE(mark.outside);
  ASSERT_EQ(mark.arrow.size(), 3u);
  // The shaft runs outwards and ends one pixel past its tip, on the chart's outermost pixels.
  const auto& [from, to] = mark.arrow[0];
  EXPECT_EQ((to.x - from.x > 0) - (to.x - from.x < 0), c.dx);
  EXPECT_EQ((to.y - from.y > 0) - (to.y - from.y < 0), c.dy);
  const PixelPoint tip{to.x - c.dx, to.y - c.dy};
  if (c.dx != 0) { EXPECT_EQ(tip.x, c.dx > 0 ? 301 : 1); }
  if (c.dy != 0) { EXPECT_EQ(tip.y, c.dy > 0 ? 301 : 1); }
  for (const auto& [barbFrom, barbTo] : mark.arrow) {
    for (const PixelPoint p : {barbFrom, barbTo}) {
      EXPECT_GE(p.x, 0);
      EXPECT_GE(p.y, 0);
      EXPECT_LE(p.x, 302);
      EXPECT_LE(p.y, 302);
    }
  }
  // The two-digit label whole inside the chart, on the inner side of the tip.
  EXPECT_GE(mark.label.x, 0);
  EXPECT_GE(mark.label.y, 0);
  EXPECT_LE(mark.label.x + 16, 303);
  EXPECT_LE(mark.label.y + 12, 303);
  if (c.dy > 0) { EXPECT_LT(mark.label.y + 12, tip.y); }
  if (c.dx < 0) { EXPECT_GT(mark.label.x, tip.x); }
}

}  // namespace
