// Where a window goes when its title bar lies on no monitor's work area: shifted into the
// nearest work area, its size kept. No Win32 here.
#pragma once

#include <cstdint>
#include <span>

#include "model/settings.h"

namespace tabvane {

struct ScreenArea {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// bounds moved the least distance that puts it inside area, its size unchanged. Where it is
// wider or taller than area, its left or top edge meets the area's.
Bounds ShiftInside(const Bounds& bounds, const ScreenArea& area);

// bounds as they are while the user can take their title bar (the top titleHeight pixels) with
// the mouse on some work area: at least half its height and a stretch of three times that
// height (or all of a narrower window) inside one area. Otherwise shifted into the area
// nearest to the title bar. A monitor left of or above the primary one has negative
// coordinates, which stay as they are.
Bounds KeepTitleBarReachable(const Bounds& bounds, int32_t titleHeight,
                             std::span<const ScreenArea> workAreas);

}  // namespace tabvane
