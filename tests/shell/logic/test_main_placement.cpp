#include <gtest/gtest.h>

#include "shell/logic/main_placement.h"

namespace qb {
namespace {

TEST(KeepOnScreen, MovesAndShrinksOntoTheScreenItOverlapsMost) {
  const ScreenRect left{0, 0, 1920, 1040};
  const ScreenRect right{1920, 0, 1280, 984};
  const struct {
    ScreenRect frame;
    ScreenRect expected;
  } cases[] = {
      {{100, 80, 900, 700}, {100, 80, 900, 700}},       // within: as it was
      {{1800, 1000, 1920, 1040}, {0, 0, 1920, 1040}},   // stored at the corner at full size
      {{1500, 900, 600, 400}, {1320, 640, 600, 400}},   // hanging off to the right and below
      {{-300, -50, 800, 600}, {0, 0, 800, 600}},        // off to the left and above
      {{100, 100, 2500, 1500}, {0, 0, 1920, 1040}},     // larger than the screen
      {{2400, 500, 1000, 600}, {2200, 384, 1000, 600}}, // mostly on the second screen
      {{9000, 9000, 800, 600}, {1120, 440, 800, 600}},  // on no screen: onto the first
  };
  for (const auto& c : cases) {
    ScreenRect r = KeepOnScreen(c.frame, {left, right});
    EXPECT_EQ(r, c.expected) << c.frame.left << "," << c.frame.top << " " << r.left << ","
                             << r.top << " " << r.width << "x" << r.height;
  }
  EXPECT_EQ(KeepOnScreen({5, 5, 10, 10}, {}), (ScreenRect{5, 5, 10, 10}));
}

}  // namespace
}  // namespace qb
