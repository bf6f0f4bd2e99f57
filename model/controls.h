// What the menu logic needs of the window's controls, and nothing more. The Win32 shell
// implements these on real controls; tests implement them in memory. Texts are Shift-JIS.
// Setting a selection from code never runs a change handler.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabvane {

// A tab strip: TabControl1 .. TabControl6.
class TabStrip {
 public:
  virtual ~TabStrip() = default;
  virtual void RemoveAllTabs() = 0;
  virtual void AppendTab(std::string_view caption) = 0;
  virtual int32_t TabCount() const = 0;
  // Selected tab, -1 when the strip has no tabs.
  virtual int32_t SelectedTab() const = 0;
  // Selects tab index; an index outside 0..TabCount()-1 leaves the selection as it is.
  virtual void SelectTab(int32_t index) = 0;
};

struct RowRange {
  int32_t top = 1;
  int32_t bottom = 1;
};

// A slot grid: StringGrid1 .. StringGrid6, 3 columns, 37 rows (row 0 the headings).
class SlotGrid {
 public:
  virtual ~SlotGrid() = default;
  virtual std::string Cell(int32_t col, int32_t row) const = 0;
  virtual void SetCell(int32_t col, int32_t row, std::string_view text) = 0;
  // Selected rows, top <= bottom, within 1..36.
  virtual RowRange Selection() const = 0;
  // The row of the focus cursor, 1..36.
  virtual int32_t CurrentRow() const = 0;
  virtual int32_t RowCount() const = 0;
};

// The page control PageControl1 with the six pages.
class PageControl {
 public:
  virtual ~PageControl() = default;
  // Active page index 0..5, or -1 when no page is active.
  virtual int32_t ActivePage() const = 0;
  // Any value outside 0..5 leaves the control without an active page.
  virtual void SetActivePage(int32_t page) = 0;
};

// The host selector ComboBox1: a drop-down list the user only chooses from.
class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual void Clear() = 0;
  virtual void AddItem(std::string_view text) = 0;
  virtual void SetItem(int32_t index, std::string_view text) = 0;
  virtual int32_t Count() const = 0;
  virtual std::string Item(int32_t index) const = 0;
  // Selected item, -1 for none.
  virtual int32_t Selected() const = 0;
  virtual void Select(int32_t index) = 0;
};

// ListBox1: a hidden list of texts.
class TextList {
 public:
  virtual ~TextList() = default;
  virtual void Clear() = 0;
  virtual void Add(std::string_view text) = 0;
  virtual int32_t Count() const = 0;
  virtual std::string Item(int32_t index) const = 0;
};

// Timer1. Stop and Start when already stopped / running do nothing except that Start always
// begins a fresh countdown of the given interval; an interval of 0 or less leaves it idle.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Stop() = 0;
  virtual void Start(int32_t intervalMs) = 0;
  virtual bool Running() const = 0;
};

// What the launch needs of the main window itself.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  virtual void SetCaption(std::string_view text) = 0;
  virtual void Minimize() = 0;
};

// The main window's controls, as the menu, host and window logic see them.
struct MainControls {
  PageControl& PageControl1;
  std::array<TabStrip*, 6> TabControls;   // TabControl1 .. TabControl6
  std::array<SlotGrid*, 6> StringGrids;   // StringGrid1 .. StringGrid6
  ComboBox& ComboBox1;
  TextList& ListBox1;
  Timer& Timer1;
  MainWindow& Window;
};

}  // namespace tabvane
