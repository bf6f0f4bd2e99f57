// Where windows and the focus go: stored bounds shifted into a monitor's work area, and the
// Tab key's cycle through the main window's controls.
#include "ui/placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/focus_order.h"

namespace tabvane {
namespace {

TEST(Placement, ShiftInsideKeepsTheSize) {
  const ScreenArea work{0, 0, 1024, 738};
  const ScreenArea leftMonitor{-1280, 0, 0, 984};
  struct Case {
    Bounds bounds;
    ScreenArea area;
    Bounds expected;
  };
  const std::vector<Case> cases = {
      {{192, 107, 387, 483}, work, {192, 107, 387, 483}},      // inside: unchanged
      {{3000, 3000, 387, 483}, work, {637, 255, 387, 483}},    // beyond the bottom right
      {{-2000, -50, 387, 483}, work, {0, 0, 387, 483}},        // beyond the top left
      {{0, 0, 2000, 900}, work, {0, 0, 2000, 900}},            // larger: top left edges meet
      {{-3000, 100, 387, 483}, leftMonitor, {-1280, 100, 387, 483}},
      {{-100, 100, 387, 483}, leftMonitor, {-387, 100, 387, 483}},
      {{INT32_MAX, INT32_MAX, INT32_MAX, 10}, work, {0, 728, INT32_MAX, 10}},  // no overflow
      {{INT32_MIN, 0, 0, 0}, work, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bounds.left << "," << c.bounds.top);
    EXPECT_EQ(ShiftInside(c.bounds, c.area), c.expected);
  }
}

TEST(FocusOrder, TabCyclesOverTheControlsThatCanTakeTheFocus) {
  const auto all = [](int32_t) { return true; };
  const auto notSecond = [](int32_t i) { return i != 1; };
  const auto none = [](int32_t) { return false; };
  const struct {
    int32_t current;
    bool backwards;
    std::function<bool(int32_t)> canFocus;
    int32_t next;
  } cases[] = {
      {0, false, all, 1},      {4, false, all, 0},      {0, true, all, 4},
      {-1, false, all, 0},     {-1, true, all, 4},      {0, false, notSecond, 2},
      {2, true, notSecond, 0}, {3, false, none, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextInTabOrder(c.current, 5, c.backwards, c.canFocus), c.next)
        << c.current << (c.backwards ? " back" : " forth");
  }
}

}  // namespace
}  // namespace tabvane
