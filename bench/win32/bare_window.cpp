// The bare window the running exe is measured against: one top-level window of the main
// window's size that paints its background, and a message loop. Nothing else. Built a second
// time with TABVANE_BENCH_DLLS as a twin that also loads the DLLs Tabvane.exe imports (common
// controls 6 through the same manifest, the file chooser, the input method). Win32 only.
#include <windows.h>

#ifdef TABVANE_BENCH_DLLS
#include <commctrl.h>
#include <commdlg.h>
#include <imm.h>

// Referenced so that the loader maps the DLLs at start-up, as it does for Tabvane.exe.
[[maybe_unused]] const volatile auto kFileChooser = &GetOpenFileNameW;
[[maybe_unused]] const volatile auto kInputContext = &ImmGetContext;
#endif

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
#ifdef TABVANE_BENCH_DLLS
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TabvaneBenchBareWindow";
  if (RegisterClassW(&wc) == 0) return 1;
  const HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Bare window",
                                      WS_OVERLAPPEDWINDOW, 192, 107, 387, 483, nullptr, nullptr,
                                      instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
