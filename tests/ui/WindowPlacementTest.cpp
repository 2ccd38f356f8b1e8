#include "ui/WindowPlacement.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

namespace {

// The stored window: frame at 269, 124, client 537 × 511 with a 20-pixel caption and 1-pixel
// borders, 539 × 532 in all (in device-independent pixels, so a scale factor of 2 halves the
// screen).
const QRect kStoredFrame(269, 124, 539, 532);

struct PlacementCase {
    const char* name;
    QRect available;
    QPoint place;
};

class WindowPlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacementTest, WholeFrameWhereItFitsTopLeftInAnyCase) {
    EXPECT_EQ(vemo::ui::PlaceOnScreen(kStoredFrame, GetParam().available), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowPlacementTest,
    testing::Values(PlacementCase{"StoredPlaceFits", {0, 0, 1280, 1024}, {269, 124}},
                    PlacementCase{"JustFits", {0, 0, 808, 656}, {269, 124}},
                    PlacementCase{"SmallScreenMovesItIn", {0, 0, 800, 600}, {261, 68}},
                    PlacementCase{"PanelAtTheTop", {0, 200, 1280, 824}, {269, 200}},
                    PlacementCase{"ScaleTwoOn1280x1024", {0, 0, 640, 512}, {101, 0}},
                    PlacementCase{"ScaleTwoOn1920x1080", {0, 0, 960, 540}, {269, 8}},
                    PlacementCase{"ScreenTooSmallBothWays", {0, 0, 400, 300}, {0, 0}},
                    PlacementCase{"SecondScreenOnTheRight", {1280, 0, 800, 600}, {1280, 68}}),
    testrows::ByName());

} // namespace
