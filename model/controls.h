// What the command list and the menus need of the window's controls: the tab strips and the
// slot grids, and nothing more. The Win32 shell implements them on real controls; tests
// implement them in memory. Texts are Shift-JIS. Setting a selection from code never runs a
// change handler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabvane {

// A tab strip: TabControl1 .. TabControl6.
class TabStrip {
 public:
  virtual ~TabStrip() = default;
  // Replaces every tab with one tab per caption, in order (the strip keeps copies); the first
  // tab becomes the selected one. The strip may put the tabs into its control only when it is
  // shown or read.
  virtual void SetTabs(const std::vector<std::string_view>& captions) = 0;
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
  // Makes row (1..36) the current and only selected row, scrolled into view.
  virtual void SelectRow(int32_t row) = 0;
};

}  // namespace tabvane
