// The full path of an executable: the running one's, or another process's. Win32 only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tabvane {

// Empty when the system cannot tell.
std::wstring ExePathW();

// The executable of the process with that id, as the system names it (a full path with its
// drive); nullopt when the process cannot be opened (gone, access refused).
std::optional<std::wstring> ProcessImagePathW(DWORD processId);

}  // namespace tabvane
