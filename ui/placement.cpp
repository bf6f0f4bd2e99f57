// Shifting stored window bounds into a monitor's work area. No Win32 here.
#include "ui/placement.h"

#include <algorithm>

namespace tabvane {
namespace {

// The start of a span of the given length moved into [low, high); low wins when it cannot fit.
int32_t ShiftSpan(int32_t start, int32_t length, int32_t low, int32_t high) {
  // 64-bit: a hand-edited settings file may hold any 32-bit start and length.
  const int64_t end = int64_t{start} + length;
  int64_t shifted = start;
  if (end > high) shifted = int64_t{high} - length;
  shifted = std::max<int64_t>(shifted, low);
  return static_cast<int32_t>(shifted);
}

}  // namespace

Bounds ShiftInside(const Bounds& bounds, const ScreenArea& area) {
  Bounds shifted = bounds;
  shifted.left = ShiftSpan(bounds.left, bounds.width, area.left, area.right);
  shifted.top = ShiftSpan(bounds.top, bounds.height, area.top, area.bottom);
  return shifted;
}

}  // namespace tabvane
