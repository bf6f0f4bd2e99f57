// StringGrid1 .. StringGrid6 on Win32: a small grid window of our own with 3 columns and 37 rows,
// fixed row 0 and column 0, whole-row selection, a vertical scroll bar and no editing. Its
// double click and context-menu request go to a listener. Win32 only.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "model/controls.h"
#include "ui/grid_geometry.h"
#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class GridListener {
 public:
  virtual ~GridListener() = default;
  virtual void GridDblClick() = 0;
  virtual void GridContextMenu() = 0;
};

class SlotGridControl : public SlotGrid, public Window {
 public:
  SlotGridControl(const Look& look, GridListener& listener) : look_(look), listener_(listener) {}

  bool Create(HWND parent, int id);
  void SetNameColumnWidth(int32_t width);

  std::string Cell(int32_t col, int32_t row) const override;
  void SetCell(int32_t col, int32_t row, std::string_view text) override;
  RowRange Selection() const override { return cursor_.Selection(); }
  int32_t CurrentRow() const override { return cursor_.Current(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void Paint(HDC dc, const RECT& client);
  void OnSize(int height);
  void OnVScroll(int request);
  void OnMouseDown(int x, int y, bool shift);
  void OnMouseMove(int y);
  bool OnKeyDown(WPARAM key);
  // Moves the cursor, scrolls it into view and repaints.
  void MoveCursor(int32_t row, bool extend);
  void ScrollTo(int32_t top);
  void UpdateScrollBar();
  // Invalidates the whole grid, if it is visible.
  void Repaint();

  const Look& look_;
  GridListener& listener_;
  GridMetrics metrics_;
  std::array<std::array<std::string, kGridRows>, kGridColumns> cells_;  // [col][row]
  RowCursor cursor_;
  int32_t top_ = 1;        // first visible slot row
  bool dragging_ = false;  // left button held since a press on a slot row
};

}  // namespace tabvane
