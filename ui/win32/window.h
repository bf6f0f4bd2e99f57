// The small base of every window of the shell: an object attached to its HWND, a window (or
// dialog) procedure that routes to HandleMessage and lets no exception reach Windows, and the
// few helpers for texts and bounds that all windows share. Win32 only.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/settings.h"
#include "ui/dpi.h"
#include "ui/win32/look.h"

namespace tabvane {

// A window object attached on WM_NCCREATE and detached on WM_NCDESTROY, the last message a
// window gets. Every message goes to HandleMessage inside a catch-all barrier.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

 protected:
  struct CreateArgs {
    const wchar_t* className = nullptr;
    const wchar_t* text = L"";
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
  };

  // Registers a class whose procedure is Window's; a class already registered is fine.
  static void RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background);
  bool Create(const CreateArgs& args);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  HWND hwnd_ = nullptr;
};

// One child control: its window class, its place in the parent's client area at 96 dpi, its
// text (Shift-JIS), its styles besides WS_CHILD, and its id. Written as designated
// initializers, a list of these reads like the window's table of controls.
struct ControlArgs {
  const wchar_t* kind = nullptr;
  Place place{};
  std::string_view text{};
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = -1;
};

// A modeless dialog from an empty in-memory template, hidden until shown modally by its own
// loop. The object is attached on WM_INITDIALOG; HandleMessage returns FALSE for the default.
// Its window and controls are made on the first showing: most runs never open a dialog, and
// every window made at start-up costs start-up time and memory; until then its position is a
// number kept for the settings file. It lays itself out for the DPI of its monitor when it is
// shown and whenever that DPI changes (WM_DPICHANGED).
class Dialog {
 public:
  explicit Dialog(const Look& look) : look_(look) {}
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog();

  HWND Handle() const { return hwnd_; }

 protected:
  // What the first showing makes the dialog from: its owner, caption, position and the client
  // area of the design.
  void Prepare(HWND owner, std::wstring_view caption, const Position& position,
               const Place& client);
  // Makes the controls: MakeControls with the dialog's table, then what the table cannot say.
  virtual void CreateControls() = 0;
  // Fills the controls each time the dialog is about to show.
  virtual void OnShow() = 0;
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // Makes the controls of table, in its order (the tab order), in the dialog's font and at its
  // DPI. The table must outlive the dialog: the controls are placed from it again at each
  // change of the DPI.
  void MakeControls(std::span<const ControlArgs> table);
  // The modal showing: the controls are made the first time, OnShow fills them, then the
  // dialog shows with its owner disabled and runs messages until EndModal.
  void RunModal();
  void EndModal() { modal_ = false; }
  // Focus to control, an edit field with its whole text selected; a hidden dialog gets it as
  // soon as it is shown.
  void FocusControl(HWND control);
  // The top left corner in 96-dpi numbers, as the settings file keeps it.
  Position DialogPosition() const;
  void SetDialogPosition(const Position& position);

  const Look& look_;

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  // Sizes the dialog for its client area at dpi, gives it that DPI's icons and places its
  // controls, if it has them, in that DPI's font.
  void FitToDpi(UINT dpi);
  // Makes the hidden window, without its controls, where position_ says.
  bool MakeWindow();

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  std::wstring caption_;
  Position position_{};  // while there is no window, or no more
  HWND pendingFocus_ = nullptr;
  bool modal_ = false;
  bool controlsMade_ = false;
  Place client_{};
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::span<const ControlArgs> table_;
  std::vector<HWND> controls_;  // those of table_, in its order
};

// A dialog whose logic is a form object (TForm2, TForm3): its FormShow fills the controls.
template <typename Form>
class FormDialog : public Dialog {
 public:
  using Dialog::Dialog;
  void Attach(Form& form) { form_ = &form; }

 protected:
  void OnShow() final {
    if (form_ != nullptr) form_->FormShow();
  }

  Form* form_ = nullptr;
};

// The styles of the dialogs' controls: a label (no tab stop, no "&" prefix), a one-line edit
// field, a push button and a check box.
inline constexpr DWORD kLabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
inline constexpr DWORD kEditStyle = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
inline constexpr DWORD kCheckStyle = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

// Creates a child control of parent in font, at its place scaled to dpi; nullptr on failure.
// A static text (a label) grows wider than its place when its text needs it, as a label sized
// to its text does, so that no font's metrics cut its last character off.
HWND CreateControl(HWND parent, HFONT font, UINT dpi, const ControlArgs& args);
// Gives a control made by CreateControl from args the font and place of another DPI.
void PlaceControl(HWND control, HFONT font, UINT dpi, const ControlArgs& args);
// Moves a child window to a place given in pixels.
void MoveTo(HWND window, const Place& place);

std::string WindowTextSjis(HWND hwnd);
void SetWindowTextSjis(HWND hwnd, std::string_view text);

// Outer bounds: the restored bounds while minimized, the maximized bounds while maximized.
Bounds OuterBounds(HWND hwnd);

// Moves (and with resize, sizes) a top-level window to bounds in pixels. Bounds whose title
// bar the mouse cannot reach on any monitor's work area are shifted into the nearest one;
// others stay as they are.
void PlaceOnScreen(HWND hwnd, const Bounds& bounds, bool resize);

// The same for the window where it is now: before it shows again, since a monitor may have gone
// while it was hidden.
void KeepOnScreen(HWND hwnd);

// What turns the settings file's 96-dpi numbers into a monitor's pixels and back: its DPI and
// its top left corner (ScaleBounds, UnscaleBounds).
struct MonitorScale {
  int32_t dpi = kDesignDpi;
  Position origin{};
};
// The monitor a window is on; while it is minimized, the one of its restored bounds.
MonitorScale ScaleOfWindow(HWND hwnd);
// The monitor on which bounds in 96-dpi numbers lie: the one whose rectangle in such numbers
// (its corner, its size at 96 dpi) they overlap most, else the one nearest to them.
MonitorScale ScaleAt(const Bounds& bounds);

}  // namespace tabvane
