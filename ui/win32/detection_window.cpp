// The detection view: its window, the read-only text, and the copy to the clipboard.
#include "ui/win32/detection_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "host/win32/wide.h"
#include "text/texts.h"
#include "ui/dpi.h"
#include "ui/win32/monitor_dpi.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneDetection";
constexpr int kCopyId = 100;
// Another program may hold the clipboard for a moment (a clipboard manager, a remote desktop's
// copy): tried this often, this long apart, before the view says it cannot copy.
constexpr int kClipboardTries = 5;
constexpr DWORD kClipboardWaitMs = 30;

}  // namespace

void DetectionWindow::Show(HWND owner, std::string_view text) {
  if (Handle() == nullptr && !Make(owner)) return;
  SetText(text);
  if (!Shown()) ShowWindow(Handle(), SW_SHOWNORMAL);
}

bool DetectionWindow::Make(HWND owner) {
  RegisterClassOnce(kClassName, 0, GetSysColorBrush(COLOR_BTNFACE));
  dpi_ = WindowDpi(owner);
  const int width = Scale(design::kDetectionWidth, static_cast<int32_t>(dpi_));
  const int height = Scale(design::kDetectionHeight, static_cast<int32_t>(dpi_));
  // Beside the main window on its left, or on its right where the screen ends first.
  RECT main{};
  GetWindowRect(owner, &main);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  int x = main.left - width;
  if (x < monitor.rcWork.left) x = std::min<int>(main.right, monitor.rcWork.right - width);
  const std::wstring title = WideFromSjis(texts::kDetectionTitle);
  if (!Window::Create({.className = kClassName,
                       .text = title.c_str(),
                       .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       .parent = owner,
                       .x = x,
                       .y = main.top,
                       .width = width,
                       .height = height})) {
    return false;
  }
  dpi_ = WindowDpi(Handle());
  look_.SetIcons(Handle(), dpi_);
  text_ = CreateControl(Handle(), look_.Font(dpi_), dpi_,
                        {.kind = WC_EDITW,
                         .style = WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                  ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                         .exStyle = WS_EX_CLIENTEDGE});
  copy_ = CreateControl(Handle(), look_.Font(dpi_), dpi_,
                        {.kind = WC_BUTTONW,
                         .text = texts::kCopy,
                         .style = kButtonStyle,
                         .id = kCopyId});
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
  const auto scaled = [this](int32_t value) { return Scale(value, static_cast<int32_t>(dpi_)); };
  const int margin = scaled(design::kDetectionMargin);
  const int buttonWidth = scaled(design::kDetectionButtonWidth);
  const int buttonHeight = scaled(design::kDetectionButtonHeight);
  RECT client{};
  GetClientRect(Handle(), &client);
  const int buttonTop = std::max<int>(client.bottom - margin - buttonHeight, 0);
  MoveTo(text_, {0, 0, client.right, std::max(buttonTop - margin, 0)});
  MoveTo(copy_, {std::max<int>(client.right - margin - buttonWidth, 0), buttonTop, buttonWidth,
                 buttonHeight});
}

bool DetectionWindow::CopyToClipboard() const {
  const std::wstring text = WideFromSjis(shown_);
  bool open = false;
  for (int attempt = 0; attempt < kClipboardTries && !open; ++attempt) {
    if (attempt > 0) Sleep(kClipboardWaitMs);
    open = OpenClipboard(Handle()) != 0;
  }
  if (!open) return false;
  EmptyClipboard();
  bool copied = false;
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes); memory != nullptr) {
    if (void* target = GlobalLock(memory); target != nullptr) {
      std::memcpy(target, text.c_str(), bytes);
      GlobalUnlock(memory);
      // The clipboard owns the memory once it takes it; a refusal leaves it ours to free.
      // cppcheck-suppress doubleFree ; cppcheck counts SetClipboardData as a free even when it fails
      copied = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      if (!copied) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
  return copied;
}

LRESULT DetectionWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_DPICHANGED: {
      // Another monitor: the size the system suggests, that DPI's font and icons.
      dpi_ = HIWORD(wParam);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      const auto font = reinterpret_cast<WPARAM>(look_.Font(dpi_));
      SendMessageW(text_, WM_SETFONT, font, TRUE);
      SendMessageW(copy_, WM_SETFONT, font, TRUE);
      look_.SetIcons(Handle(), dpi_);
      SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kCopyId && HIWORD(wParam) == BN_CLICKED) {
        // The title says when the copy failed, until the next copy.
        std::string title(texts::kDetectionTitle);
        if (!CopyToClipboard()) title += texts::kClipboardBusy;
        SetWindowTextSjis(Handle(), title);
      }
      return 0;
    case WM_CTLCOLORSTATIC:  // the read-only field
      return ControlColour(reinterpret_cast<HDC>(wParam), look_.WhiteColour(), look_.WhiteBrush());
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);  // closing only hides: it opens again where it was
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace tabvane
