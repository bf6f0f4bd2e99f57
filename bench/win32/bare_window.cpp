// The bare window the running exe is measured against: one top-level window of the main
// window's size that paints its background, and a message loop. Nothing else. Built twice
// more as twins that tell where Tabvane's start-up goes under Wine:
//   TABVANE_BENCH_DLLS  also loads the DLLs Tabvane.exe imports, through the same manifest,
//                       and shcore, which it loads for the monitors' DPI;
//   TABVANE_BENCH_TREE  besides, makes the same windows Tabvane makes at start-up (an owner,
//                       the main window, the panel's controls, the page tabs with six sheets of
//                       a tab strip and a grid each; the dialogs wait for their first showing),
//                       in the same font, with no program logic and no files.
// Win32 only.
#include <windows.h>

#ifdef TABVANE_BENCH_DLLS
#include <commctrl.h>
#include <imm.h>
#include <uxtheme.h>

// Referenced so that the loader maps the DLLs at start-up, as it does for Tabvane.exe.
[[maybe_unused]] const volatile auto kInputContext = &ImmGetContext;
[[maybe_unused]] const volatile auto kRegistry = &RegOpenKeyExW;
[[maybe_unused]] const volatile auto kTheme = &SetWindowTheme;
#endif
#ifdef TABVANE_BENCH_TREE
#include "ui/win32/look.h"
#endif

namespace {

constexpr wchar_t kClassName[] = L"TabvaneBenchBareWindow";

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
      if (GetParent(window) == nullptr) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

#ifdef TABVANE_BENCH_TREE
HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int x, int y,
           int width, int height, HFONT font) {
  const HWND child = CreateWindowExW(0, className, text, style | WS_CHILD | WS_VISIBLE, x, y,
                                     width, height, parent, nullptr, nullptr, nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The windows Tabvane makes at start-up, at the places its layout gives them, in its fonts.
void MakeTree(HWND main, const tabvane::Look& look) {
  const HFONT font = look.Font(USER_DEFAULT_SCREEN_DPI);
  const HFONT sideways = look.SidewaysFont(USER_DEFAULT_SCREEN_DPI);
  RECT client{};
  GetClientRect(main, &client);
  const HWND panel = Child(kClassName, L"", WS_CLIPCHILDREN, main, 0, 0, client.right, 29, font);
  Child(WC_BUTTONW, L"\x8A2D\x5B9A", WS_TABSTOP, panel, 4, 4, 45, 22, font);
  Child(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, panel, 52, 4, 317, 200,
        font);
  ShowWindow(Child(WC_LISTBOXW, L"", LBS_NOINTEGRALHEIGHT, panel, 286, -2, 33, 25, font),
             SW_HIDE);
  const HWND pages = Child(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPCHILDREN | TCS_VERTICAL |
                           TCS_MULTILINE, main, 4, 29, client.right - 4, client.bottom - 29,
                           sideways);
  const wchar_t* captions[] = {L"\xFF8C\xFF67\xFF72\xFF99", L"\x7DE8\x96C6", L"\x4F5C\x56F3",
                               L"\x8A2D\x5B9A", L"\x305D\x306E\x4ED6", L"\x30D5\x30EA\x30FC"};
  RECT display{0, 0, client.right - 4, client.bottom - 29};
  for (int i = 0; i < 6; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(captions[i]);
    SendMessageW(pages, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const int width = display.right - display.left;
  const int height = display.bottom - display.top;
  for (int i = 0; i < 6; ++i) {
    const HWND sheet = Child(kClassName, L"", WS_CLIPCHILDREN, pages, display.left, display.top,
                             width, height, font);
    // The tab strip, classic as Tabvane's.
    SetWindowTheme(Child(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, sheet, 0, 0, width,
                         height, font),
                   L" ", L" ");
    Child(kClassName, L"", WS_VSCROLL, sheet, 4, 4, width - 8, height - 8, font);
    if (i != 0) ShowWindow(sheet, SW_HIDE);
  }
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
#ifdef TABVANE_BENCH_DLLS
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // Tabvane loads shcore at start-up for its monitors' DPI.
  LoadLibraryW(L"shcore.dll");
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (RegisterClassW(&wc) == 0) return 1;
  HWND owner = nullptr;
#ifdef TABVANE_BENCH_TREE
  owner = CreateWindowExW(0, kClassName, L"Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 0,
                          nullptr, nullptr, instance, nullptr);
#endif
  const HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Bare window",
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 192, 107, 387, 483,
                                      owner, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
#ifdef TABVANE_BENCH_TREE
  const tabvane::Look look;
  MakeTree(window, look);
#endif
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
