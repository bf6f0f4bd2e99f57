// Shifting stored bounds into a monitor's work area.
#include "ui/win32/placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

}  // namespace
}  // namespace tabvane
