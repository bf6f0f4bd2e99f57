// The running executable's full path, however long. Win32 only.
#pragma once

#include <string>

namespace tabvane {

// Empty when the system cannot tell.
std::wstring ExePathW();

}  // namespace tabvane
