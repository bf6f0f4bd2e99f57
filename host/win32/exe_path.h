// The full path of an executable: the running one's, or another process's; system DLLs loaded
// by their full path only. Win32 only.
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

// Limits the DLL search of this process to the system folder, where the system can (Windows 8,
// or 7 with its DLL search update); elsewhere nothing changes.
void SearchDllsInSystemFolderOnly();

// The DLL of that name in the system folder, never one of the same name beside the exe or in
// the current folder; nullptr when it cannot be loaded.
HMODULE LoadSystemDll(const wchar_t* name);

}  // namespace tabvane
