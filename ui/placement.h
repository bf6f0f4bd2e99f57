// Where a window goes when its stored bounds lie on no monitor: shifted into the nearest
// monitor's work area, its size kept. No Win32 here.
#pragma once

#include <cstdint>

#include "model/settings.h"

namespace tabvane {

struct ScreenArea {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// bounds moved the least distance that puts it inside area, its size unchanged. Where it is
// wider or taller than area, its left or top edge meets the area's.
Bounds ShiftInside(const Bounds& bounds, const ScreenArea& area);

}  // namespace tabvane
