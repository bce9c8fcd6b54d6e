// Where a tool window opens: beside the main window, clear of the other tool, on the screen.

#include "app/ToolWindowPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    const char* situation;
    QRect screen;
    QRect mainFrame;
    QList<QRect> taken;
    QSize tool;
    QPoint expected;
};

class ToolWindowPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(ToolWindowPlacement, OpensBesideTheMainWindow) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(ToolWindowPosition(c.screen, c.mainFrame, c.taken, c.tool), c.expected)
        << c.situation;
}

// Frames as openbox draws them: the main window 587 × 552, the tools 514 × 257 and 371 × 174;
// 8 pixels between frames.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Screens, ToolWindowPlacement, testing::Values(
    PlacementCase{"room on the right", {0, 0, 1920, 1080}, {666, 264, 587, 552}, {},
                  {514, 257}, {1261, 264}},
    PlacementCase{"the right taken at the top: below the other tool",
                  {0, 0, 1920, 1080}, {666, 264, 587, 552}, {{1261, 264, 371, 174}},
                  {514, 257}, {1261, 446}},
    PlacementCase{"no room on the right: on the left", {0, 0, 1600, 900},
                  {1000, 174, 587, 552}, {}, {514, 257}, {478, 174}},
    PlacementCase{"no room either side: the side with more, on the screen",
                  {0, 0, 1024, 768}, {200, 108, 587, 552}, {}, {514, 257}, {510, 108}}));
// clang-format on

}  // namespace
