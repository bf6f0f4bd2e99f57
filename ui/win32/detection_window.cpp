// The detection view: its window, the read-only text, and the copy to the clipboard.
#include "ui/win32/detection_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "host/win32/wide.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneDetection";
constexpr std::string_view kTitle = "\x8C\x9F\x8F\x6F\x8F\xF3\x8B\xB5";  // 検出状況
constexpr std::string_view kCopy = "\x83\x52\x83\x73\x81\x5B";            // コピー
constexpr int kCopyId = 100;
constexpr int kWidth = 460;
constexpr int kHeight = 420;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr int kMargin = 4;

}  // namespace

void DetectionWindow::Show(HWND owner, std::string_view text) {
  if (Handle() == nullptr && !Make(owner)) return;
  SetText(text);
  if (!Shown()) ShowWindow(Handle(), SW_SHOWNORMAL);
}

bool DetectionWindow::Make(HWND owner) {
  RegisterClassOnce(kClassName, 0, GetSysColorBrush(COLOR_BTNFACE), look_.Icon());
  // Beside the main window on its left, or on its right where the screen ends first.
  RECT main{};
  GetWindowRect(owner, &main);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  int x = main.left - kWidth;
  if (x < monitor.rcWork.left) x = std::min<int>(main.right, monitor.rcWork.right - kWidth);
  const std::wstring title = WideFromSjis(kTitle);
  if (!Window::Create({.className = kClassName,
                       .text = title.c_str(),
                       .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       .parent = owner,
                       .x = x,
                       .y = main.top,
                       .width = kWidth,
                       .height = kHeight})) {
    return false;
  }
  SetWindowIcon(Handle(), look_.Icon());
  text_ = CreateControl(Handle(), look_.Font(),
                        {.kind = WC_EDITW,
                         .style = WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                  ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                         .exStyle = WS_EX_CLIENTEDGE});
  copy_ = CreateControl(Handle(), look_.Font(),
                        {.kind = WC_BUTTONW, .text = kCopy, .style = kButtonStyle, .id = kCopyId});
  Layout();
  return text_ != nullptr && copy_ != nullptr;
}

void DetectionWindow::SetText(std::string_view text) {
  if (text == shown_) return;  // refreshed on every scan: unchanged text keeps its scrolling
  shown_ = std::string(text);
  // The lines the user scrolled to stay in view when the text is replaced.
  const LRESULT firstLine = SendMessageW(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
  SetWindowTextSjis(text_, text);
  SendMessageW(text_, EM_LINESCROLL, 0, firstLine);
}

void DetectionWindow::Layout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int buttonTop = std::max<int>(client.bottom - kMargin - kButtonHeight, 0);
  MoveWindow(text_, 0, 0, client.right, std::max(buttonTop - kMargin, 0), TRUE);
  MoveWindow(copy_, std::max<int>(client.right - kMargin - kButtonWidth, 0), buttonTop,
             kButtonWidth, kButtonHeight, TRUE);
}

void DetectionWindow::CopyToClipboard() const {
  const std::wstring text = WideFromSjis(shown_);
  if (OpenClipboard(Handle()) == 0) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes); memory != nullptr) {
    if (void* target = GlobalLock(memory); target != nullptr) {
      std::memcpy(target, text.c_str(), bytes);
      GlobalUnlock(memory);
      // The clipboard owns the memory once it takes it.
      if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

LRESULT DetectionWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCopyId && HIWORD(wParam) == BN_CLICKED) CopyToClipboard();
      return 0;
    case WM_CTLCOLORSTATIC:  // the read-only field
      return ControlColour(reinterpret_cast<HDC>(wParam), kWhite, look_.WhiteBrush());
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);  // closing only hides: it opens again where it was
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace tabvane
