// The controls of model/controls.h and ui/controls.h on real Win32 controls: tab strips on SysTabControl32, the
// selector on a drop-down list, ListBox1 on a hidden list box, Timer1 on SetTimer, and the
// plain container windows (Panel1, the pages) that pass their children's notifications up.
// Selecting from code sends no notification, so it never runs a change handler. Win32 only.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/controls.h"
#include "ui/controls.h"
#include "ui/win32/look.h"
#include "ui/win32/slot_grid_control.h"
#include "ui/win32/window.h"

namespace tabvane {

// A child window that paints its background and hands its children's notifications
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) to the window that handles them.
class Container : public Window {
 public:
  bool Create(HWND parent, HWND notifyTarget, HBRUSH background, int x, int y, int width,
              int height, bool shown = true);
  void SetBackground(HBRUSH background) { background_ = background; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void OnSize(int width, int height);

 private:
  HWND notifyTarget_ = nullptr;
  HBRUSH background_ = nullptr;
};

// TabControl1 .. TabControl6: tabs along the top in one row, scroll arrows when they don't fit.
// The captions it is given wait in the strip until its page is shown or code reads or selects
// its tabs: under Wine every tab costs the control a fraction of a millisecond, and a page the
// user never opens need not pay for its tabs at start-up. The height of the tab row is known
// only once there are tabs: tabsChanged runs after every change of the control's tabs, so that
// the page can place the grid below them again.
class TabStripControl : public TabStrip {
 public:
  bool Create(HWND parent, int id, HFONT font, int width, int height,
              std::function<void()> tabsChanged);
  HWND Handle() const { return hwnd_; }
  // Measures the tabs again in another font; tabsChanged runs.
  void SetFont(HFONT font);

  void SetTabs(const std::vector<std::string_view>& captions) override;
  int32_t TabCount() const override;
  int32_t SelectedTab() const override;
  void SelectTab(int32_t index) override;

  // Puts the waiting captions into the control, if any wait.
  void Fill() const;

 private:
  HWND hwnd_ = nullptr;
  std::function<void()> tabsChanged_;
  // Captions given but not yet in the control. Filling it changes no tab the strip reports,
  // so the reads may fill it.
  mutable std::vector<std::string> waiting_;
};

// TabSheet1 .. TabSheet6: a page holding its tab strip and, in the strip's display area, its
// grid. The grid is the strip's sibling, so both notify the page, which passes them on.
class TabSheet : public Container {
 public:
  TabSheet(const Look& look, GridListener& listener) : grid_(look, listener) {}
  // A hidden page at area, its windows made at their places.
  bool Create(HWND parent, HWND notifyTarget, int index, const Look& look, UINT dpi,
              const RECT& area);
  // The strip's font and the grid's sizes of another DPI.
  void SetDpi(const Look& look, UINT dpi);
  TabStripControl& Strip() { return strip_; }
  const TabStripControl& Strip() const { return strip_; }
  SlotGridControl& Grid() { return grid_; }

 protected:
  void OnSize(int width, int height) override;

 private:
  void PlaceGrid();

  TabStripControl strip_;
  SlotGridControl grid_;
};

// PageControl1: six pages whose tabs stand one above the other on the left edge. The pages
// are children of the page tabs' control, placed in its display area, and notify parent.
class PageControlWindows : public PageControl {
 public:
  PageControlWindows(const Look& look, GridListener& listener);
  // The control at the given rectangle of its parent, its pages made in its display area: under
  // Wine every move is a round trip to the server, and so is every resize of their windows.
  bool Create(HWND parent, int id, const Look& look, UINT dpi, const RECT& place);
  // The fonts and the grids' sizes of another DPI; Layout places the pages again.
  void SetDpi(const Look& look, UINT dpi);
  HWND Handle() const { return tabs_; }
  TabSheet& Sheet(std::size_t index) { return *sheets_[index]; }
  const TabSheet& Sheet(std::size_t index) const { return *sheets_[index]; }
  // Places the control at the given rectangle of its parent, and the pages in its display area.
  void Layout(int x, int y, int width, int height);
  // Shows the page of the selected page tab, its tab strip filled first, and hides the others.
  void ShowActivePage();

  int32_t ActivePage() const override;
  void SetActivePage(int32_t page) override;

 private:
  // The pages' rectangle inside a control of that size.
  RECT DisplayArea(int width, int height) const;

  HWND tabs_ = nullptr;
  std::array<std::unique_ptr<TabSheet>, kPageCount> sheets_;
};

// ComboBox1: a drop-down list the user only chooses from, at its design place and height; its
// width is the one it is made with, then SetWidth's.
class ComboBoxControl : public ComboBox {
 public:
  // Made at dpi, width pixels wide.
  bool Create(HWND parent, int id, HFONT font, UINT dpi, int width);
  HWND Handle() const { return hwnd_; }
  void SetWidth(int width);
  // The font and place of another DPI.
  void SetDpi(HFONT font, UINT dpi);

  void Clear() override;
  void AddItem(std::string_view text) override;
  void SetItem(int32_t index, std::string_view text) override;
  int32_t Count() const override;
  std::string Item(int32_t index) const override;
  int32_t Selected() const override;
  void Select(int32_t index) override;

 private:
  void FitHeight();

  HWND hwnd_ = nullptr;
  int height_ = 0;
  int dropHeight_ = 0;
};

// ListBox1: a list box that is never shown.
class TextListControl : public TextList {
 public:
  bool Create(HWND parent, int id, HFONT font, UINT dpi);
  // The font and place of another DPI.
  void SetDpi(HFONT font, UINT dpi);

  void Clear() override;
  void Add(std::string_view text) override;
  int32_t Count() const override;
  std::string Item(int32_t index) const override;

 private:
  HWND hwnd_ = nullptr;
};

// Timer1: a window timer of the main window. The window calls Timer1Timer on WM_TIMER with
// this id only while Running(); an interval of 0 or less keeps it on but idle.
class WindowTimer : public Timer {
 public:
  static constexpr UINT_PTR kId = 1;
  void Attach(HWND window) { window_ = window; }

  void Stop() override;
  void Start(int32_t intervalMs) override;
  bool Running() const override { return running_; }

 private:
  HWND window_ = nullptr;
  bool running_ = false;
};

}  // namespace tabvane
