// StringGrid1 .. StringGrid6 on Win32: a small grid window of our own with 3 columns and 37 rows,
// fixed row 0 and column 0, whole-row selection, a vertical scroll bar and no editing. Its
// double click, context-menu request and dropped files go to a listener, which also gives the
// tooltip of the row the pointer rests on. Win32 only.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

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
  // Files dropped on row (0 for the heading row, -1 below the rows), full paths in the order
  // the shell gives them.
  virtual void GridDropFiles(int32_t row, const std::vector<std::string>& paths) = 0;
  // The tooltip text over row; nullopt for none.
  virtual std::optional<std::string> GridHint(int32_t row) = 0;
};

class SlotGridControl : public SlotGrid, public Window {
 public:
  SlotGridControl(const Look& look, GridListener& listener) : look_(look), listener_(listener) {}

  // Made at the sizes of dpi.
  bool Create(HWND parent, int id, UINT dpi);
  // The sizes and font of another DPI; the name column keeps its width until it is set.
  void SetDpi(UINT dpi);
  void SetNameColumnWidth(int32_t width);

  std::string Cell(int32_t col, int32_t row) const override;
  void SetCell(int32_t col, int32_t row, std::string_view text) override;
  RowRange Selection() const override { return cursor_.Selection(); }
  int32_t CurrentRow() const override { return cursor_.Current(); }
  void SelectRow(int32_t row) override { MoveCursor(row, false); }
  // Hides the hint, for instance when the grid's page hides.
  void HideTip();
  // Asks the listener again for the hint that shows, which may have learnt more since.
  void RefreshTip();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void Paint(HDC dc, const RECT& client);
  void OnSize(int height);
  void OnVScroll(int request);
  void OnWheel(int delta);
  void OnMouseDown(int x, int y, bool shift);
  void OnMouseMove(int y);
  bool OnKeyDown(WPARAM key);
  void OnDropFiles(HDROP drop);
  // The tooltip: the row under a resting pointer gets its hint below or above it.
  void OnMouseHover(int x, int y);
  void WatchPointer(int y);
  void FitTipToDpi();
  void SetTipText(const std::string& hint);
  // Moves the cursor, scrolls it into view and repaints.
  void MoveCursor(int32_t row, bool extend);
  void ScrollTo(int32_t top);
  void UpdateScrollBar();
  // Invalidates the whole grid, if it is visible.
  void Repaint();

  const Look& look_;
  GridListener& listener_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  GridMetrics metrics_;
  std::array<std::array<std::string, kGridRows>, kGridColumns> cells_;  // [col][row]
  RowCursor cursor_;
  WheelRows wheel_;
  int32_t top_ = 1;        // first visible slot row
  bool dragging_ = false;  // left button held since a press on a slot row
  HWND tip_ = nullptr;     // made when the pointer first rests on the grid
  int32_t tipRow_ = -1;    // the row whose hint shows, -1 for none
  int32_t hoverRow_ = -1;  // the row under the pointer the hover watch is for
};

}  // namespace tabvane
