// The DPI of the system, monitors and windows through the functions the running Windows has.
#include "ui/win32/monitor_dpi.h"

#include "host/win32/exe_path.h"
#include "ui/win32/gdi.h"

namespace tabvane {
namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
constexpr int kEffectiveDpi = 0;      // MDT_EFFECTIVE_DPI
constexpr int kDialogScalingOff = 1;  // DDC_DISABLE_ALL

// The per-monitor functions, nullptr where this Windows lacks them, looked up once. user32 is
// loaded already; shcore, where GetDpiForMonitor lives (Windows 8.1 and later), is loaded here.
struct DpiFunctions {
  GetDpiForSystemFn forSystem = nullptr;
  GetDpiForWindowFn forWindow = nullptr;
  GetDpiForMonitorFn forMonitor = nullptr;
  AdjustWindowRectExForDpiFn adjustForDpi = nullptr;
  SetDialogDpiChangeBehaviorFn dialogBehaviour = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiFunctions& Functions() {
  static const DpiFunctions functions = [] {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    DpiFunctions f;
    f.forSystem = Lookup<GetDpiForSystemFn>(user32, "GetDpiForSystem");
    f.forWindow = Lookup<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    f.adjustForDpi = Lookup<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
    f.dialogBehaviour =
        Lookup<SetDialogDpiChangeBehaviorFn>(user32, "SetDialogDpiChangeBehavior");
    f.forMonitor = Lookup<GetDpiForMonitorFn>(LoadSystemDll(L"shcore.dll"), "GetDpiForMonitor");
    return f;
  }();
  return functions;
}

UINT SystemDpi() {
  if (const auto forSystem = Functions().forSystem) return forSystem();
  const WindowDC screen(nullptr);
  const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT MonitorDpi(HMONITOR monitor) {
  UINT x = 0;
  UINT y = 0;
  if (const auto forMonitor = Functions().forMonitor;
      forMonitor != nullptr && monitor != nullptr &&
      SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0) {
    return y;
  }
  return SystemDpi();
}

UINT WindowDpi(HWND window) {
  if (const auto forWindow = Functions().forWindow) {
    if (const UINT dpi = forWindow(window); dpi > 0) return dpi;
  }
  // Windows 8.1: a per-monitor aware window has its monitor's DPI.
  return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

void TakeOverDialogScaling(HWND dialog) {
  if (const auto behaviour = Functions().dialogBehaviour) {
    behaviour(dialog, kDialogScalingOff, kDialogScalingOff);
  }
}

SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
  RECT frame{0, 0, width, height};
  const auto adjustForDpi = Functions().adjustForDpi;
  if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace tabvane
