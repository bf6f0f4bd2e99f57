// The application window: a shown window of no size that is Tabvane's taskbar entry, titled
// "Tabvane" whatever the main window's caption says, and the owner of the main window, which
// therefore has no taskbar entry of its own. Win32 only.
#pragma once

#include <windows.h>

#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class AppWindow : public Window {
 public:
  // Creates the window, shown at once; its icons come with SetIcons.
  bool Create(const Look& look);
  // Gives the taskbar entry the program's icons at its DPI.
  void SetIcons();
  // The main window it owns; from now on minimizing, restoring, activating and closing the
  // taskbar entry act on it.
  void Attach(HWND main) { main_ = main; }
  // Minimizes the taskbar entry (showCommand: one of the minimizing show commands), which
  // hides the main window until the entry is restored.
  void Minimize(int showCommand = SW_MINIMIZE);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Passes the activation on to the main window, or to the dialog it shows modally. False
  // while the main window is hidden.
  bool ActivateMain();

  const Look* look_ = nullptr;
  HWND main_ = nullptr;
  bool mainHidden_ = false;  // hidden by the minimize, to be shown by the restore
};

}  // namespace tabvane
