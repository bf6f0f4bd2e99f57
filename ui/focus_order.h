// The Tab key's cycle through a window's controls. No Win32 here.
#pragma once

#include <cstdint>
#include <functional>

namespace tabvane {

// The control Tab (or Shift+Tab, backwards) gives the focus to in a cycle of count controls:
// the next one after current that canFocus accepts, wrapping at the ends. current is -1 when
// none of them has the focus: Tab then starts at the first, Shift+Tab at the last. -1 when no
// control can take the focus.
int32_t NextInTabOrder(int32_t current, int32_t count, bool backwards,
                       const std::function<bool(int32_t)>& canFocus);

}  // namespace tabvane
