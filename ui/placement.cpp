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

// How much of [start, end) lies in [low, high); negative when they are apart, by the gap.
int64_t Overlap(int64_t start, int64_t end, int64_t low, int64_t high) {
  return std::min(end, high) - std::max(start, low);
}

}  // namespace

Bounds ShiftInside(const Bounds& bounds, const ScreenArea& area) {
  Bounds shifted = bounds;
  shifted.left = ShiftSpan(bounds.left, bounds.width, area.left, area.right);
  shifted.top = ShiftSpan(bounds.top, bounds.height, area.top, area.bottom);
  return shifted;
}

Bounds KeepTitleBarReachable(const Bounds& bounds, int32_t titleHeight,
                             std::span<const ScreenArea> workAreas) {
  const int64_t left = bounds.left;
  const int64_t right = left + std::max(bounds.width, 0);
  const int64_t top = bounds.top;
  const int64_t height = std::max(titleHeight, 1);
  const int64_t grab = std::min<int64_t>(right - left, 3 * height);
  const ScreenArea* nearest = nullptr;
  int64_t nearestDistance = 0;
  for (const ScreenArea& area : workAreas) {
    const int64_t across = Overlap(left, right, area.left, area.right);
    const int64_t down = Overlap(top, top + height, area.top, area.bottom);
    if (across >= grab && 2 * down >= height) return bounds;
    // The squared gap between the title bar and the area, 0 where they overlap; each gap
    // capped so that any 32-bit bounds square without overflow.
    constexpr int64_t kFar = int64_t{1} << 31;
    const int64_t gapAcross = std::clamp<int64_t>(-across, 0, kFar);
    const int64_t gapDown = std::clamp<int64_t>(-down, 0, kFar);
    const int64_t distance = gapAcross * gapAcross + gapDown * gapDown;
    if (nearest == nullptr || distance < nearestDistance) {
      nearest = &area;
      nearestDistance = distance;
    }
  }
  return nearest == nullptr ? bounds : ShiftInside(bounds, *nearest);
}

}  // namespace tabvane
