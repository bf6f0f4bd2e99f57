// The detection view ("検出状況"): a window owned by the main window with the detection's text
// in a read-only field and a "コピー" button that puts the text on the clipboard. Made on its
// first showing; closing it only hides it, so it opens again where it was. It lays itself out
// for the DPI of its monitor, again whenever that changes. Win32 only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class DetectionWindow : public Window {
 public:
  explicit DetectionWindow(const Look& look) : look_(look) {}

  bool Shown() const { return Handle() != nullptr && IsWindowVisible(Handle()) != 0; }
  // Shows the window beside owner (the first time: made there), with text (Shift-JIS).
  void Show(HWND owner, std::string_view text);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Make(HWND owner);
  void SetText(std::string_view text);
  // The text and the button in the font of dpi_, placed for the client area.
  void Layout();
  // Whether the text went onto the clipboard.
  bool CopyToClipboard() const;

  const Look& look_;
  HWND text_ = nullptr;
  HWND copy_ = nullptr;
  std::string shown_;  // the text in the field, Shift-JIS
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
};

}  // namespace tabvane
