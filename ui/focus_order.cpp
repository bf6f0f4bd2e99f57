// The Tab key's cycle through a window's controls. No Win32 here.
#include "ui/focus_order.h"

namespace tabvane {

int32_t NextInTabOrder(int32_t current, int32_t count, bool backwards,
                       const std::function<bool(int32_t)>& canFocus) {
  if (count <= 0) return -1;
  // From none of them, one step lands on the first (forwards) or the last (backwards).
  if (current < 0 || current >= count) current = backwards ? 0 : count - 1;
  for (int32_t step = 1; step <= count; ++step) {
    const int32_t next = backwards ? (current - step + count) % count : (current + step) % count;
    if (canFocus(next)) return next;
  }
  return -1;
}

}  // namespace tabvane
