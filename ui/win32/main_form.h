// The main window TForm1 on Win32: a stay-on-top, sizeable window with Panel1 (Button1,
// ComboBox1, the hidden ListBox1) on top and PageControl1 below, and Timer1, owned by the
// application window that is its taskbar entry. It implements MainFormView and the controls of
// MainControls, and turns messages into TForm1's handlers. Its layout is the design scaled to
// the DPI of its monitor, again whenever that changes (WM_DPICHANGED). Win32 only.
#pragma once

#include <windows.h>

#include "ui/find_box.h"
#include "ui/form1.h"
#include "ui/views.h"
#include "ui/win32/app_window.h"
#include "ui/win32/controls.h"
#include "ui/win32/detection_window.h"
#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class MainForm : public MainFormView, public Window, private GridListener {
 public:
  explicit MainForm(const Look& look);
  // Destroys the window while the controls it uses still exist.
  ~MainForm() override;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Creates the application window, then the hidden main window and its controls at the
  // design bounds, scaled to the DPI of the monitor there.
  bool Create();
  // The controls the logic works on.
  MainControls Controls();
  // Connects the logic; from now on the window's events run TForm1's handlers.
  void Attach(TForm1& form);
  // Shows the window for the first time: TForm1's start-up runs first. A minimizing show
  // command minimizes the taskbar entry instead, and the window shows when that is restored.
  // What the first painted frame does not show is done after it (FinishStart).
  void Show(int showCommand);
  // Key preview for the message loop: the main window's key handlers see msg first. True when
  // a handler consumed it.
  bool PreviewKey(const MSG& msg);
  // Tab and Shift+Tab between the window's controls, for the message loop after the preview.
  // True when msg was such a key.
  bool MoveFocusOnTab(const MSG& msg);

  // MainFormView
  void SetCaption(std::string_view text) override;
  void Minimize() override;
  Bounds GetBounds() const override;
  void SetBounds(const Bounds& bounds) override;
  int32_t Dpi() const override { return static_cast<int32_t>(dpi_); }
  int32_t TabControl1ClientWidth() const override;
  int32_t Panel1ClientWidth() const override;
  void SetComboWidth(int32_t width) override;
  void SetNameColumnWidth(int32_t width) override;
  bool AskRetrySave(std::string_view question) override;
  bool DetectionViewShown() const override { return detection_.Shown(); }
  void ShowDetectionView(std::string_view text) override { detection_.Show(Handle(), text); }
  void OpenFindBox() override {
    if (findBox_ != nullptr) findBox_->Open();
  }

  // The find box: its logic, where it opens (under Panel1, as wide as the client area,
  // height pixels high, on the screen) and the grid that gets the focus when it closes.
  void AttachFindBox(FindBox& box) { findBox_ = &box; }
  RECT FindBoxPlace(int height) const;
  void FocusGrid();
  void CheckFileLater(const std::string& path) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void GridDblClick() override;
  void GridContextMenu() override;
  void GridDropFiles(int32_t row, const std::vector<std::string>& paths) override;
  std::optional<std::string> GridHint(int32_t row) override;

  // After the first paint: the taskbar entry's icons, the task switcher's icon, the input
  // method turned off. Posted messages go before input, so no key comes sooner.
  void FinishStart();
  // Places the panel and the pages in the client area, unless they have its size already.
  void Layout();
  // Panel1's height at the window's DPI.
  int PanelHeight() const;
  // Moved to a monitor of another DPI: the suggested bounds, that DPI's fonts, icons and
  // places, a new layout and paint.
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnCommand(int id, int code);
  // The system's colours changed, or a high-contrast scheme went on or off: the backgrounds
  // follow, the common controls hear of it and everything is painted again.
  void OnColoursChanged();
  // The answer of a CheckFileLater: to the logic, then to a hint that shows.
  void OnFileChecked(LPARAM answer);
  LRESULT OnNotify(const NMHDR& header);
  void OnActivate(bool active);

  const Look& look_;
  TForm1* form_ = nullptr;
  FindBox* findBox_ = nullptr;
  AppWindow app_;
  Container panel_;
  HWND button1_ = nullptr;
  ComboBoxControl combo_;
  TextListControl list_;
  PageControlWindows pages_;
  WindowTimer timer_;
  DetectionWindow detection_;
  SIZE laidOut_{-1, -1};  // the client size Layout last placed the controls for
  HWND savedFocus_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  bool placing_ = false;  // SetBounds is moving the window
};

}  // namespace tabvane
