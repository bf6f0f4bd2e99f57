// The detection view ("検出状況"): a window owned by the main window with the detection's text
// in a read-only field, a "コピー" button that puts the text on the clipboard and a button that
// registers the host's command (the register dialog, owned by this view). Made on its
// first showing; closing it only hides it, so it opens again where it was. It lays itself out
// for the DPI of its monitor, again whenever that changes. Win32 only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/form4.h"
#include "ui/win32/look.h"
#include "ui/win32/teach_dialog.h"
#include "ui/win32/window.h"

namespace tabvane {

class DetectionWindow : public Window {
 public:
  explicit DetectionWindow(const Look& look) : look_(look), teachDialog_(look) {
    teachDialog_.Attach(teachForm_);
  }
  // What the register button runs, with the dialog's logic; the dialog is owned by this view.
  void OnTeach(std::function<void(TForm4&)> onTeach) { onTeach_ = std::move(onTeach); }

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
  // The register dialog over this view, then whatever the button runs.
  void Teach();

  const Look& look_;
  HWND text_ = nullptr;
  HWND copy_ = nullptr;
  HWND teach_ = nullptr;
  TeachDialog teachDialog_;
  TForm4 teachForm_{teachDialog_};
  std::function<void(TForm4&)> onTeach_;
  std::string shown_;  // the text in the field, Shift-JIS
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
};

}  // namespace tabvane
