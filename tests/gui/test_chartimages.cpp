#include "gui/chartimages.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using tintavis::ChartImages;
using tintavis::ChartTextBox;
using tintavis::PixelPoint;

// Text needs a GUI application. The project's shared Qt test main makes one; when this file runs
// under GoogleTest's own main, one is made here, on the offscreen platform unless another one is
// chosen.
class GuiApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[17] = "test_chartimages";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] testing::Environment* const kGuiEnvironment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

// clang-format off
constexpr QRgb kAbBackground = qRgb(255, 255, 220);
constexpr QRgb kLBackground  = qRgb(200, 255, 240);
constexpr QRgb kBlack        = qRgb(0, 0, 0);
constexpr QRgb kSilver       = qRgb(192, 192, 192);
constexpr QRgb kNavy         = qRgb(0, 0, 128);
constexpr QRgb kRed          = qRgb(255, 0, 0);
// clang-format on

struct PixelCase {
  const char* what;
  int x, y;
  QRgb colour;
};

void ExpectPixels(const QImage& image, std::initializer_list<PixelCase> cases) {
  for (const PixelCase& c : cases) {
    EXPECT_EQ(image.pixel(c.x, c.y), c.colour) << c.what << " at (" << c.x << ", " << c.y << ")";
  }
}

bool AnyPixelIn(const QImage& image, const QRect& area, QRgb colour) {
  const QRect clipped = area & image.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) {
      if (image.pixel(x, y) == colour) return true;
    }
  }
  return false;
}

// Every pixel is one of `colours`: no antialiasing blends them.
void ExpectOnlyColours(const QImage& image, std::initializer_list<QRgb> colours) {
  int strays = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (std::find(colours.begin(), colours.end(), image.pixel(x, y)) == colours.end()) ++strays;
    }
  }
  EXPECT_EQ(strays, 0);
}

// ---------------------------------------------------------------------------------------------
// The empty a*b* chart

TEST(EmptyAbChart, IsA303PixelSquareBitmap) {
  const ChartImages charts;
  EXPECT_EQ(charts.AbChart().size(), QSize(303, 303));
  EXPECT_EQ(charts.AbChart().format(), QImage::Format_RGB32);
}

TEST(EmptyAbChart, ShowsAxesTicksAndGridInTheirColours) {
  const ChartImages charts;
  ExpectPixels(charts.AbChart(), {
      {"background in the corner", 0, 0, kAbBackground},
      {"background inside the grid", 100, 100, kAbBackground},
      {"background before the b* axis starts", 45, 1, kAbBackground},
      {"b* axis, first pixel", 45, 2, kBlack},
      {"b* axis", 45, 100, kBlack},
      {"b* axis, last pixel on the bitmap", 45, 302, kBlack},
      {"a* axis, first pixel", 2, 255, kBlack},
      {"a* axis", 100, 255, kBlack},
      {"a* axis, last pixel", 299, 255, kBlack},
      {"a* axis end point, not drawn", 300, 255, kAbBackground},
      {"b* tick left of the axis", 43, 45, kBlack},
      {"a* tick below the axis", 80, 256, kBlack},
      {"grid line b* = 70", 150, 10, kSilver},
      {"grid line a* = 10", 80, 100, kSilver},
      {"grid line a* = -10", 10, 100, kSilver},
      {"grid line a* = -10 below the values", 10, 280, kSilver},
      {"grid line b* = -10 left of its value", 20, 290, kSilver},
      {"grid line b* = -10 end point, not drawn", 26, 290, kAbBackground},
      {"grid line b* = 70 left part, last pixel", 29, 10, kSilver},
      {"grid line b* = 70 left part, end point", 30, 10, kAbBackground},
      {"grid line drawn over the b* axis", 45, 10, kSilver},
      {"grid line a* = 10 stops short of the a* axis", 80, 255, kBlack},
      {"grid line a* = 10 just above the a* axis", 80, 254, kSilver},
      {"grid line a* = 10 resumes below the values", 80, 268, kSilver},
  });
}

TEST(ScaledCharts, AtTwoDevicePixelsAGridLineIsOneSharpLineTwoPixelsWide) {
  const ChartImages charts(2.0);
  const QImage& ab = charts.AbChart();
  EXPECT_EQ(ab.size(), QSize(606, 606));
  EXPECT_EQ(ab.deviceIndependentSize(), QSizeF(303, 303));
  // The grid line a* = 10 is column 80 of the chart: device columns 160 and 161, with the
  // background on both sides and no blend of the two colours anywhere along it.
  for (int y = 200; y < 220; ++y) {
    EXPECT_EQ(ab.pixel(159, y), kAbBackground) << y;
    EXPECT_EQ(ab.pixel(160, y), kSilver) << y;
    EXPECT_EQ(ab.pixel(161, y), kSilver) << y;
    EXPECT_EQ(ab.pixel(162, y), kAbBackground) << y;
  }
}

TEST(ScaledCharts, TextIsDrawnInTheDevicesPixelsNotEnlargedFromTheChartsOwn) {
  // An enlarged bitmap would hold its text in 2 × 2 blocks; text drawn at the device's size
  // has single pixels of ink somewhere.
  const ChartImages charts(2.0);
  const QImage& ab = charts.AbChart();
  bool singlePixelInk = false;
  for (int y = 0; y + 1 < ab.height() && !singlePixelInk; y += 2) {
    for (int x = 0; x + 1 < ab.width() && !singlePixelInk; x += 2) {
      const QRgb c = ab.pixel(x, y);
      singlePixelInk = ab.pixel(x + 1, y) != c || ab.pixel(x, y + 1) != c || ab.pixel(x + 1, y + 1) != c;
    }
  }
  EXPECT_TRUE(singlePixelInk);
}

TEST(ScaledCharts, ANewScaleKeepsTheLabelsAndScaleOneGivesTheVeryPixelsBack) {
  ChartImages charts;
  charts.PlotSample(3, 10.0, 20.0, 60.0);
  const QImage ab = charts.AbChart();
  const QImage l = charts.LScale();
  charts.SetScale(2.0, 1.5);
  EXPECT_EQ(charts.AbChart().size(), QSize(910, 910));  // 455 logical pixels
  charts.SetScale(1.0, 1.0);
  EXPECT_EQ(charts.AbChart(), ab);
  EXPECT_EQ(charts.LScale(), l);
  charts.DrawEmptyCharts();
  EXPECT_EQ(charts.AbChart(), ChartImages().AbChart());
}

TEST(EmptyAbChart, LeavesTheGridOutOfTheBandOfTheAStarValues) {
  const ChartImages charts;
  for (const int x : {10, 80, 115, 150, 185, 220, 255, 290}) {
    for (int y = 256; y <= 267; ++y) {
      EXPECT_NE(charts.AbChart().pixel(x, y), kSilver) << "at (" << x << ", " << y << ")";
    }
  }
}

TEST(EmptyAbChart, WritesTickValuesInBlackAndAxisNamesInNavy) {
  const ChartImages charts;
  const QImage& chart = charts.AbChart();
  const tintavis::ChartFont& values = tintavis::kTickLabelFont;
  const tintavis::ChartFont& names = tintavis::kAxisNameFont;
  EXPECT_TRUE(AnyPixelIn(chart, ChartTextBox(values, {32, 5}, "70"), kBlack));
  EXPECT_TRUE(AnyPixelIn(chart, ChartTextBox(values, {29, 285}, "-10"), kBlack));
  EXPECT_TRUE(AnyPixelIn(chart, ChartTextBox(values, {4, 257}, "-10"), kBlack));
  EXPECT_TRUE(AnyPixelIn(chart, ChartTextBox(values, {286, 257}, "70"), kBlack));
  EXPECT_TRUE(AnyPixelIn(chart, ChartTextBox(names, {13, 106}, "b*"), kNavy));
  EXPECT_TRUE(AnyPixelIn(chart, ChartTextBox(names, {181, 270}, "a*"), kNavy));
  // The axis names' boxes hide the grid lines under them.
  EXPECT_FALSE(AnyPixelIn(chart, ChartTextBox(names, {181, 270}, "a*"), kSilver));
}

TEST(EmptyAbChart, HoldsOnlyItsFiveColours) {
  const ChartImages charts;
  ExpectOnlyColours(charts.AbChart(), {kAbBackground, kBlack, kSilver, kNavy});
}

// ---------------------------------------------------------------------------------------------
// The empty L* scale

TEST(EmptyLScale, IsANarrowBitmap) {
  const ChartImages charts;
  EXPECT_EQ(charts.LScale().size(), QSize(35, 305));
  EXPECT_EQ(charts.LScale().format(), QImage::Format_RGB32);
}

TEST(EmptyLScale, ShowsAxisTicksAndGridInTheirColours) {
  const ChartImages charts;
  ExpectPixels(charts.LScale(), {
      {"background in the corner", 0, 0, kLBackground},
      {"background before the axis starts", 15, 2, kLBackground},
      {"axis, first pixel", 15, 3, kBlack},
      {"axis", 15, 100, kBlack},
      {"axis, last pixel", 15, 299, kBlack},
      {"axis end point, not drawn", 15, 300, kLBackground},
      {"tick L* = 90", 17, 37, kBlack},
      {"tick L* = 90 end point, not drawn", 18, 37, kLBackground},
      {"grid line L* = 90, first pixel", 19, 37, kSilver},
      {"grid line L* = 90, last pixel", 34, 37, kSilver},
      {"grid line L* = 100", 25, 9, kSilver},
      {"grid line L* = 0", 25, 289, kSilver},
      {"background between grid lines", 25, 100, kLBackground},
  });
}

TEST(EmptyLScale, WritesTheValuesInBlackAndItsNameInNavy) {
  const ChartImages charts;
  const QImage& scale = charts.LScale();
  EXPECT_TRUE(AnyPixelIn(scale, ChartTextBox(tintavis::kTickLabelFont, {0, 4}, "100"), kBlack));
  EXPECT_TRUE(AnyPixelIn(scale, ChartTextBox(tintavis::kTickLabelFont, {9, 284}, "0"), kBlack));
  EXPECT_TRUE(AnyPixelIn(scale, ChartTextBox(tintavis::kAxisNameFont, {1, 155}, "L*"), kNavy));
  ExpectOnlyColours(scale, {kLBackground, kBlack, kSilver, kNavy});
}

// ---------------------------------------------------------------------------------------------
// Fonts

TEST(ChartFonts, AreSizedInPixelsAsOnTheNinetySixDpiScreen) {
  const QFontInfo values(tintavis::ChartQFont(tintavis::kTickLabelFont));
  const QFontInfo names(tintavis::ChartQFont(tintavis::kAxisNameFont));
  const QFontInfo labels(tintavis::ChartQFont(tintavis::kSampleLabelFont));
  EXPECT_EQ(values.pixelSize(), 9);
  EXPECT_EQ(names.pixelSize(), 13);
  EXPECT_EQ(labels.pixelSize(), 11);
  EXPECT_FALSE(values.bold());
  EXPECT_TRUE(names.bold());
  EXPECT_TRUE(labels.bold());
  // Arial and Times, or the metric-compatible families standing in for them.
  EXPECT_TRUE(values.family() == "Arial" || values.family() == "Liberation Sans") << values.family().toStdString();
  EXPECT_TRUE(labels.family() == "Times" || labels.family() == "Times New Roman" ||
              labels.family() == "Liberation Serif")
      << labels.family().toStdString();
}

TEST(ChartFonts, GiveTextBoxesAsWideAsTheTextAndAsHighAsTheFont) {
  const QRect one = ChartTextBox(tintavis::kSampleLabelFont, {45, 248}, "1");
  const QRect ten = ChartTextBox(tintavis::kSampleLabelFont, {45, 248}, "10");
  EXPECT_EQ(one.topLeft(), QPoint(45, 248));
  EXPECT_GT(one.width(), 0);
  EXPECT_EQ(ten.width(), 2 * one.width());  // digits share one advance
  EXPECT_EQ(ten.height(), one.height());
  EXPECT_GE(one.height(), 11);
}

// ---------------------------------------------------------------------------------------------
// Sample labels

struct LabelCase {
  const char* what;
  int row;
  double a, b, L;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.what; }

class SampleLabelTest : public testing::TestWithParam<LabelCase> {};

// Everything outside `box` is as in `before`; inside, the label's red on the chart's background.
void ExpectLabelOnlyInItsBox(const QImage& before, const QImage& after, const QRect& box, QRgb background) {
  int changedOutside = 0;
  int strayInside = 0;
  for (int y = 0; y < after.height(); ++y) {
    for (int x = 0; x < after.width(); ++x) {
      const QRgb pixel = after.pixel(x, y);
      if (box.contains(x, y)) {
        if (pixel != kRed && pixel != background) ++strayInside;
      } else if (pixel != before.pixel(x, y)) {
        ++changedOutside;
      }
    }
  }
  EXPECT_EQ(changedOutside, 0);
  EXPECT_EQ(strayInside, 0);
}

TEST_P(SampleLabelTest, WritesTheRowNumberInRedOnABoxOfTheBackground) {
  const LabelCase& c = GetParam();
  ChartImages charts;
  const QImage abBefore = charts.AbChart();
  const QImage lBefore = charts.LScale();

  charts.PlotSample(c.row, c.a, c.b, c.L);

  const QString text = QString::number(c.row);
  const QRect abBox = ChartTextBox(tintavis::kSampleLabelFont, tintavis::AbLabelPosition(c.row, c.a, c.b), text);
  const QRect lBox = ChartTextBox(tintavis::kSampleLabelFont, tintavis::LLabelPosition(c.row, c.L), text);
  EXPECT_TRUE(AnyPixelIn(charts.AbChart(), abBox, kRed));
  EXPECT_TRUE(AnyPixelIn(charts.LScale(), lBox, kRed));
  ExpectLabelOnlyInItsBox(abBefore, charts.AbChart(), abBox, kAbBackground);
  ExpectLabelOnlyInItsBox(lBefore, charts.LScale(), lBox, kLBackground);
}

INSTANTIATE_TEST_SUITE_P(
    OnAndAtTheEdgesOfTheCharts, SampleLabelTest,
    testing::Values(LabelCase{"red sample", 1, 41.236535, 15.307758, 11.978323},
                    LabelCase{"white sample", 2, -1.076, 7.780, 95.924},
                    LabelCase{"near the origin", 7, 0.5, 0.5, 50.0},
                    LabelCase{"two digits", 10, 41.236535, 15.307758, 11.978323},
                    LabelCase{"last row", 50, 20.0, 60.0, 70.0},
                    LabelCase{"cut by the left and top edges", 3, -13.5, 72.5, 102.0},
                    LabelCase{"cut by the right and bottom edges", 4, 73.5, -12.0, -5.0}),
    [](const testing::TestParamInfo<LabelCase>& param) {
      std::string name = param.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

TEST(SampleLabel, HidesTheAxisUnderItsBox) {
  ChartImages charts;
  // Row 1 at a* = b* = 0.5 has its top-left corner at (45, 248), on the b* axis.
  const QRect box = ChartTextBox(tintavis::kSampleLabelFont, {45, 248}, "1");
  ASSERT_TRUE(AnyPixelIn(charts.AbChart(), box, kBlack));
  charts.PlotAbLabel(1, 0.5, 0.5);
  EXPECT_FALSE(AnyPixelIn(charts.AbChart(), box, kBlack));
  EXPECT_TRUE(AnyPixelIn(charts.AbChart(), box, kRed));
}

TEST(SampleLabel, GoesOnlyOnItsOwnChart) {
  ChartImages charts;
  const QImage lBefore = charts.LScale();
  charts.PlotAbLabel(1, 10.0, 10.0);
  EXPECT_EQ(charts.LScale(), lBefore);

  const QImage abBefore = charts.AbChart();
  charts.PlotLLabel(1, 50.0);
  EXPECT_EQ(charts.AbChart(), abBefore);
  EXPECT_NE(charts.LScale(), lBefore);
}

TEST(SampleLabel, NonFiniteValuesDrawNothingAndFarOffOnesAnArrowAtTheEdgeOfTheAbChart) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  ChartImages charts;
  const QImage abBefore = charts.AbChart();
  const QImage lBefore = charts.LScale();
  for (const double v : {kInf, -kInf, kNan}) {
    charts.PlotSample(1, v, v, v);
    charts.PlotSample(10, v, v, v);
  }
  EXPECT_EQ(charts.AbChart(), abBefore);
  EXPECT_EQ(charts.LScale(), lBefore);
  for (const double v : {1e300, -1e300, 1000.0, -1000.0}) {
    charts.PlotSample(1, v, v, v);
    charts.PlotSample(10, v, v, v);
  }
  EXPECT_EQ(charts.LScale(), lBefore);
  EXPECT_TRUE(AnyPixelIn(charts.AbChart(), QRect(293, 0, 10, 10), kRed));    // up and right
  EXPECT_TRUE(AnyPixelIn(charts.AbChart(), QRect(0, 293, 10, 10), kRed));    // down and left
}

TEST(SampleLabel, AVioletRoseBelowTheChartIsMarkedOnItsBottomEdgeWithItsNumber) {
  ChartImages charts;
  const QImage before = charts.AbChart();
  charts.PlotAbLabel(5, 5.0, -18.75);
  const tintavis::ChartMark mark = tintavis::AbSampleMark(5, 5.0, -18.75);
  ASSERT_TRUE(mark.outside);
  const QRect labelBox = ChartTextBox(tintavis::kSampleLabelFont, mark.label, "5");
  EXPECT_TRUE(AnyPixelIn(charts.AbChart(), labelBox, kRed));
  EXPECT_EQ(charts.AbChart().pixel(mark.arrow[0].second.x, mark.arrow[0].second.y - 1), kRed);  // the tip
  EXPECT_NE(charts.AbChart(), before);
}

TEST(SampleLabel, ALaterLabelCoversAnEarlierOne) {
  ChartImages charts;
  charts.PlotAbLabel(1, 20.0, 20.0);
  const QImage withOne = charts.AbChart();
  charts.PlotAbLabel(1, 20.0, 20.0);  // the same label again changes nothing
  EXPECT_EQ(charts.AbChart(), withOne);
  charts.PlotAbLabel(8, 20.0, 20.0);
  EXPECT_NE(charts.AbChart(), withOne);
}

// ---------------------------------------------------------------------------------------------
// Lines

struct LineCase {
  const char* what;
  PixelPoint from, to;
  std::vector<PixelPoint> covered;  // every pixel the line covers
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.what; }

class ChartLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ChartLineTest, CoversEveryPixelUpToButNotTheEndPoint) {
  const LineCase& c = GetParam();
  const tintavis::ChartDrawing chart{12, 12, {255, 255, 255}, {tintavis::DrawOp::Fill({255, 255, 255}),
                                                            tintavis::DrawOp::Line(c.from, c.to, {0, 0, 0})}};
  QImage image(12, 12, QImage::Format_RGB32);
  tintavis::DrawChartOps(image, chart);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool covered = std::find(c.covered.begin(), c.covered.end(), PixelPoint{x, y}) != c.covered.end();
      EXPECT_EQ(image.pixel(x, y), covered ? kBlack : qRgb(255, 255, 255)) << "at (" << x << ", " << y << ")";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AnyDirection, ChartLineTest,
    testing::Values(
        LineCase{"rightwards", {2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        LineCase{"leftwards", {6, 3}, {2, 3}, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
        LineCase{"downwards", {4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
        LineCase{"upwards", {4, 4}, {4, 1}, {{4, 4}, {4, 3}, {4, 2}}},
        LineCase{"one pixel", {7, 7}, {8, 7}, {{7, 7}}},
        LineCase{"to itself", {7, 7}, {7, 7}, {}},
        LineCase{"diagonal", {1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        LineCase{"shallow slope", {0, 0}, {6, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
        LineCase{"steep slope upwards", {2, 8}, {4, 2}, {{2, 8}, {2, 7}, {3, 6}, {3, 5}, {3, 4}, {4, 3}}},
        LineCase{"off the bitmap", {-5, 10}, {20, 10}, {{0, 10}, {1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10},
                                                        {6, 10}, {7, 10}, {8, 10}, {9, 10}, {10, 10}, {11, 10}}}),
    [](const testing::TestParamInfo<LineCase>& param) {
      std::string name = param.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

// ---------------------------------------------------------------------------------------------
// Redrawing

TEST(DrawEmptyCharts, RemovesEveryLabelAndGivesTheStartImagesAgain) {
  ChartImages charts;
  const QImage abStart = charts.AbChart();
  const QImage lStart = charts.LScale();
  for (int row = 1; row <= 12; ++row) charts.PlotSample(row, 5.0 * row, 4.0 * row, 8.0 * row);
  ASSERT_NE(charts.AbChart(), abStart);
  ASSERT_NE(charts.LScale(), lStart);

  charts.DrawEmptyCharts();

  EXPECT_EQ(charts.AbChart(), abStart);
  EXPECT_EQ(charts.LScale(), lStart);
}

TEST(DrawEmptyCharts, GivesTheSameImagesEveryTime) {
  const ChartImages first;
  const ChartImages second;
  EXPECT_EQ(first.AbChart(), second.AbChart());
  EXPECT_EQ(first.LScale(), second.LScale());
}

}  // namespace
