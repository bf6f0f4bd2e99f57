// The application window: Tabvane's taskbar entry and the owner of the main window.
#include "ui/win32/app_window.h"

#include "ui/win32/monitor_dpi.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneApp";
constexpr wchar_t kTitle[] = L"Tabvane";

// What EnumThreadWindows looks for: a shown and enabled window that owner owns.
struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindEnabledOwned(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OwnedSearch*>(data);
  if (GetWindow(window, GW_OWNER) != search->owner || IsWindowVisible(window) == 0 ||
      IsWindowEnabled(window) == 0) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

bool AppWindow::Create(const Look& look) {
  look_ = &look;
  RegisterClassOnce(kClassName, 0, nullptr);
  // Visible, unowned and no tool window, so the taskbar lists it; of no size, so nothing of it
  // shows on the desktop. The system menu and minimize box give the taskbar entry its
  // Minimize, Restore and Close; the caption draws the title where a desktop shows minimized
  // windows itself.
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX;
  return Window::Create({.className = kClassName, .text = kTitle, .style = kStyle});
}

void AppWindow::SetIcons() { look_->SetIcons(Handle(), WindowDpi(Handle())); }

void AppWindow::Minimize(int showCommand) { ShowWindow(Handle(), showCommand); }

LRESULT AppWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (main_ == nullptr) break;
      if (wParam == SIZE_MINIMIZED) {
        // The main window only hides, so the modal dialog it may show is hidden with it; the
        // restore shows both again.
        ShowOwnedPopups(main_, FALSE);
        ShowWindow(main_, SW_HIDE);
        mainHidden_ = true;
      } else if (mainHidden_) {
        mainHidden_ = false;
        KeepOnScreen(main_);  // its monitor may have gone while it was hidden
        ShowWindow(main_, SW_SHOWNA);
        ShowOwnedPopups(main_, TRUE);
        // The restore may have activated this window before the main window was back.
        if (GetActiveWindow() == Handle()) ActivateMain();
      }
      return 0;
    case WM_DPICHANGED:
      // The taskbar shows the icon of the DPI of the window's monitor.
      if (look_ != nullptr) look_->SetIcons(Handle(), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      // Chosen on the taskbar: the main window takes the activation, and with it the focus.
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 && ActivateMain()) return 0;
      break;
    case WM_CLOSE:
      // Closing the taskbar entry closes the main window, which saves and ends the program.
      // While a modal dialog disables the main window, the dialog comes forward instead.
      if (main_ == nullptr || IsWindow(main_) == 0) break;
      if (IsWindowEnabled(main_) != 0) {
        SendMessageW(main_, WM_CLOSE, 0, 0);
      } else {
        ActivateMain();
      }
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

bool AppWindow::ActivateMain() {
  if (main_ == nullptr || IsWindowVisible(main_) == 0) return false;
  // A modal dialog disables the main window: then the dialog, the one shown and enabled
  // window the main window owns, is the one to activate.
  OwnedSearch search{main_, nullptr};
  if (IsWindowEnabled(main_) == 0) {
    EnumThreadWindows(GetCurrentThreadId(), &FindEnabledOwned,
                      reinterpret_cast<LPARAM>(&search));
  }
  SetActiveWindow(search.found != nullptr ? search.found : main_);
  return true;
}

}  // namespace tabvane
