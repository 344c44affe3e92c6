// The main window's controls in clients of every size, and where the quick entry window starts.
#include "logic/windowplaces.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tintavis {
namespace {

// ---- The layout that grows ------------------------------------------------------------------

TEST(GrownLayout, AtTheBlocksSizeOrSmallerEveryControlStandsAtItsPlace) {
  for (const PixelSize client : {kControlsBlock, PixelSize{800, 500}, PixelSize{1124, 600}}) {
    const MainLayout layout = GrownMainLayout(client);
    EXPECT_EQ(layout.grid, kGridBox);
    EXPECT_EQ(layout.chartsFrame, kChartsFrameBox);
    EXPECT_EQ(layout.abChart, kAbChartBox);
    EXPECT_EQ(layout.lScale, kLScaleBox);
    EXPECT_EQ(layout.divider, kDividerBox);
    EXPECT_EQ(layout.swatch, kSwatchBox);
    EXPECT_EQ(layout.headings[1], (PixelBox{550, kHeadingTop, 341, kHeadingHeight}));
    EXPECT_EQ(layout.noteTop, kNoteTop);
    EXPECT_EQ(layout.nameColumnExtra, 0);
    EXPECT_EQ(layout.chartZoom, 1.0);
  }
}

struct GrowCase {
  const char* name;
  PixelSize client;
};

class GrownLayoutAt : public ::testing::TestWithParam<GrowCase> {};

INSTANTIATE_TEST_SUITE_P(
    LargerClients, GrownLayoutAt,
    ::testing::Values(GrowCase{"maximised_on_1600x1200", {1600, 1130}}, GrowCase{"only_taller", {1124, 1000}},
                      GrowCase{"only_wider", {1900, 674}}, GrowCase{"full_hd", {1920, 1020}},
                      GrowCase{"a_pixel_more", {1125, 675}}),
    [](const ::testing::TestParamInfo<GrowCase>& growInfo) { return std::string(growInfo.param.name); });

TEST_P(GrownLayoutAt, GivesTheRoomToTheGridAndTheChartsKeepingTheirShapes) {
  const PixelSize client = GetParam().client;
  const MainLayout layout = GrownMainLayout(client);
  // The grid takes every extra row of height; the charts grow no taller than it.
  EXPECT_EQ(layout.grid.height, kGridBox.height + client.height - kControlsBlock.height);
  EXPECT_LE(layout.chartsFrame.height, layout.grid.height);
  EXPECT_EQ(layout.nameColumnExtra, layout.grid.width - kGridBox.width);
  EXPECT_GE(layout.nameColumnExtra, 0);
  // Side by side without overlapping, all inside the client.
  EXPECT_LT(layout.grid.Right(), layout.chartsFrame.left);
  EXPECT_LT(layout.chartsFrame.Right(), layout.swatch.left);
  EXPECT_LE(layout.swatch.Right(), client.width);
  EXPECT_LE(layout.noteTop, client.height);
  EXPECT_EQ(layout.noteTop - kNoteTop, layout.grid.Bottom() - kGridBox.Bottom());
  // The a*b* chart stays square; the L* scale and the swatch keep their proportions.
  EXPECT_EQ(layout.abChart.width, layout.abChart.height);
  const auto ratio = [](const PixelBox& b) { return static_cast<double>(b.width) / b.height; };
  EXPECT_NEAR(ratio(layout.lScale), ratio(kLScaleBox), 0.02);
  EXPECT_NEAR(ratio(layout.swatch), ratio(kSwatchBox), 0.01);
  // The L* scale stays beside the a*b* chart and inside the frame, and the headings over their
  // controls.
  EXPECT_GT(layout.lScale.left, layout.abChart.Right());
  EXPECT_LE(layout.lScale.Right(), layout.chartsFrame.width + 2);
  EXPECT_EQ(layout.headings[0].width, layout.grid.width);
  EXPECT_EQ(layout.headings[2].left, layout.swatch.left);
}

TEST(GrownLayout, AMaximisedWindowOn1600x1200ShowsTwentyRowsAndALargerChart) {
  const MainLayout layout = GrownMainLayout({1600, 1130});
  constexpr int kRowPixels = 19;  // a grid row, its line included, with the header as tall
  EXPECT_GE(layout.grid.height / kRowPixels - 1, 20);
  EXPECT_GT(layout.abChart.width, 400);
  EXPECT_GT(layout.nameColumnExtra, 200);
}

TEST(ChartScale, HoldsTheChartsPixelsTimesTheZoomAndTheRatio) {
  EXPECT_EQ(ScaledChartSize(303, 303, 1.0, 1.0), (ChartScale{{303, 303}, {303, 303}}));
  EXPECT_EQ(ScaledChartSize(303, 303, 2.0, 1.0), (ChartScale{{303, 303}, {606, 606}}));
  EXPECT_EQ(ScaledChartSize(35, 305, 1.5, 2.0), (ChartScale{{70, 610}, {105, 915}}));
}

// ---- The quick entry window at start ---------------------------------------------------------

struct PlaceCase {
  const char* name;
  PixelSize client;
  PixelSize shown;  // the part of the client the window shows
  PixelPoint place;
};

class QuickEntryPlace : public ::testing::TestWithParam<PlaceCase> {};

constexpr PixelSize kFrame{215, 150};

INSTANTIATE_TEST_SUITE_P(
    ClientSizes, QuickEntryPlace,
    ::testing::Values(PlaceCase{"maximised_on_1600x1200", {1600, 1130}, {1600, 1130}, {789, 669}},
                      PlaceCase{"just_tall_enough", {1124, 716}, {1124, 716}, {550, 533}},
                      PlaceCase{"wide_but_low", {1400, 674}, {1400, 674}, {1185, 524}},
                      PlaceCase{"the_designed_size", {1124, 674}, {1124, 674}, {909, 524}},
                      PlaceCase{"smaller_than_the_controls", {600, 100}, {600, 100}, {550, 221}},
                      // Maximised on 800 x 600 (1600 x 1200 at twice the scale): the client
                      // scrolls, and its bottom-right corner is out of sight.
                      PlaceCase{"scrolling_on_800x600", {1090, 566}, {785, 534}, {570, 384}},
                      PlaceCase{"scrolling_with_room_below_the_charts", {1090, 900}, {770, 900}, {550, 533}},
                      PlaceCase{"scrolling_too_narrow_below_the_charts", {1090, 900}, {700, 900}, {550, 750}}),
    [](const ::testing::TestParamInfo<PlaceCase>& placeInfo) { return std::string(placeInfo.param.name); });

TEST_P(QuickEntryPlace, StandsWhereTheClientLeavesRoom) {
  EXPECT_EQ(QuickEntryStartPlace(GetParam().client, GetParam().shown, kFrame), GetParam().place);
}

TEST_P(QuickEntryPlace, LiesInThePartShownWhereThatLeavesRoomRightOfTheGrid) {
  const PlaceCase& c = GetParam();
  const MainLayout layout = GrownMainLayout(c.client);
  const PixelSize visible{std::min(c.client.width, c.shown.width), std::min(c.client.height, c.shown.height)};
  if (visible.width < layout.chartsFrame.left + kFrame.width || visible.height < kGridTop + kFrame.height) return;
  const PixelPoint p = QuickEntryStartPlace(c.client, c.shown, kFrame);
  EXPECT_LE(p.x + kFrame.width, visible.width);
  EXPECT_LE(p.y + kFrame.height, visible.height);
}

TEST_P(QuickEntryPlace, CoversNeitherTheFieldsNorTheGrid) {
  const PixelPoint p = QuickEntryStartPlace(GetParam().client, GetParam().shown, kFrame);
  // The fields lie above the grid's top; the grid ends left of the charts.
  const MainLayout layout = GrownMainLayout(GetParam().client);
  EXPECT_GE(p.y, kGridTop);
  EXPECT_GT(p.x, layout.grid.Right()) << p.x << ", " << p.y;
}

}  // namespace
}  // namespace tintavis
