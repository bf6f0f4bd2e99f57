// The dots per inch of the system, a monitor and a window, and a window's frame at a DPI. The
// per-monitor functions of Windows 8.1 and 10 are looked up at run time, never imported, so the
// exe still starts where they are missing; there every answer is the system's DPI. Win32 only.
#pragma once

#include <windows.h>

namespace tabvane {

// The effective DPI of a monitor, or the system's (LOGPIXELSY of the screen where
// GetDpiForSystem is missing too).
UINT MonitorDpi(HMONITOR monitor);
// The DPI a window lays itself out for: its own, or its monitor's, or the system's.
UINT WindowDpi(HWND window);

// Tells the dialog manager of Windows 10 not to scale the dialog at a change of DPI: it
// scales itself.
void TakeOverDialogScaling(HWND dialog);

// The outer size of a window with these styles whose client area is width × height, with the
// frame the system draws at dpi.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace tabvane
