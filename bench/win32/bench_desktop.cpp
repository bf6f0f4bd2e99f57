// The benchmark desktop: 300 unrelated top-level windows and a host window titled
// "bench.jww - jw_win" with the 200 captions of the detection workload as visible child
// windows. Runs until its host window is closed. Win32 only.
#include <windows.h>

#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "host/win32/wide.h"

namespace tabvane::bench {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneBenchDesktop";
constexpr wchar_t kHostTitle[] = L"bench.jww - jw_win";
constexpr int kOtherWindows = 300;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_CLOSE && GetWindowLongPtrW(window, GWLP_USERDATA) == 1) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND TopWindow(const std::wstring& title, int x, int y, int width, int height) {
  return CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                         width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int Run() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = kClassName;
  if (RegisterClassW(&wc) == 0) return 1;

  // Titles as other programs have them, a third of them Japanese ("図面" and a number).
  for (int i = 0; i < kOtherWindows; ++i) {
    const std::wstring number = std::to_wstring(i + 1);
    const std::wstring title =
        i % 3 == 0 ? WideFromSjis("\x90\x7D\x96\xCA ") + number + L" - viewer"
                   : L"Document " + number + L" - editor";
    if (TopWindow(title, 20 + (i % 30) * 20, 20 + (i / 30) * 20, 240, 120) == nullptr) return 1;
  }

  // The host gets its title last, so a driver that finds it finds all children in place.
  const HWND host = TopWindow(L"bench host (starting)", 100, 100, 900, 600);
  if (host == nullptr) return 1;
  SetWindowLongPtrW(host, GWLP_USERDATA, 1);
  const std::vector<std::string> captions = WorkloadCaptions();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const int x = static_cast<int>(i % 10) * 88;
    const int y = static_cast<int>(i / 10) * 28;
    if (CreateWindowExW(0, L"STATIC", WideFromSjis(captions[i]).c_str(), WS_CHILD | WS_VISIBLE, x,
                        y, 86, 26, host, nullptr, GetModuleHandleW(nullptr), nullptr) == nullptr) {
      return 1;
    }
  }
  SetWindowTextW(host, kHostTitle);

  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace
}  // namespace tabvane::bench

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tabvane::bench::Run(); }
