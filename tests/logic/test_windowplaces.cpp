// Where the quick entry window starts, for main windows of every size.
#include "logic/windowplaces.h"

#include <gtest/gtest.h>

namespace tintavis {
namespace {

struct PlaceCase {
  const char* name;
  PixelSize client;
  PixelPoint place;
};

class QuickEntryPlace : public ::testing::TestWithParam<PlaceCase> {};

constexpr PixelSize kFrame{215, 150};

INSTANTIATE_TEST_SUITE_P(
    ClientSizes, QuickEntryPlace,
    ::testing::Values(PlaceCase{"maximised_on_1600x1200", {1600, 1130}, {550, 566}},
                      PlaceCase{"just_tall_enough", {1124, 716}, {550, 566}},
                      PlaceCase{"wide_but_low", {1400, 674}, {1124, 221}},
                      PlaceCase{"the_specified_size", {1124, 674}, {909, 524}},
                      PlaceCase{"smaller_than_the_controls", {600, 100}, {550, 221}}),
    [](const ::testing::TestParamInfo<PlaceCase>& placeInfo) { return std::string(placeInfo.param.name); });

TEST_P(QuickEntryPlace, StandsWhereTheClientLeavesRoom) {
  EXPECT_EQ(QuickEntryStartPlace(GetParam().client, kFrame), GetParam().place);
}

TEST_P(QuickEntryPlace, CoversNeitherTheFieldsNorTheGrid) {
  const PixelPoint p = QuickEntryStartPlace(GetParam().client, kFrame);
  // The fields end left of the charts or above the grid's top; the grid ends at the charts' left.
  EXPECT_GE(p.x, kChartsLeft);
  const bool besideTheFields = p.x >= kControlsBlock.width || p.y >= kGridTop;
  EXPECT_TRUE(besideTheFields) << p.x << ", " << p.y;
}

}  // namespace
}  // namespace tintavis
