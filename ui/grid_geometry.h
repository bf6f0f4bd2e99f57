// The slot grid's arithmetic: which cell lies under a point, how far the rows can scroll, where
// the keys move the cursor and which rows the cursor and its anchor select. No Win32 here, so
// the rules are tested on their own.
#pragma once

#include <array>
#include <cstdint>

#include "model/controls.h"
#include "model/menus.h"
#include "ui/dpi.h"

namespace tabvane {

inline constexpr int32_t kGridRows = kSlotCount + 1;  // row 0 holds the headings, then the slots
inline constexpr int32_t kGridColumns = 3;

// The grid's sizes in pixels; by default those of 96 dpi, with the name column at its minimum.
struct GridMetrics {
  std::array<int32_t, kGridColumns> columnWidths{design::kKeyColumnWidth, design::kMinControlWidth,
                                                 design::kPathColumnWidth};
  int32_t headingHeight = design::kHeadingHeight;  // row 0
  int32_t rowHeight = design::kRowHeight;          // rows 1..36
  int32_t line = design::kGridLine;                // every cell is followed by a line this wide
  int32_t clientHeight = 0;
};

// The metrics at dpi: the key and path columns, the rows and the lines scaled; the name column
// and the client height as given.
GridMetrics ScaledGridMetrics(int32_t dpi, int32_t nameColumnWidth, int32_t clientHeight);

// Rows 1..36 that fit wholly below the heading row; at least 1, so that a tiny grid still
// pages and scrolls one row at a time.
int32_t PageRows(const GridMetrics& m);

// The largest first visible row: the one that shows row 36 as the last whole row.
int32_t MaxTopRow(const GridMetrics& m);

// The top row clamped to 1..MaxTopRow.
int32_t ClampTopRow(const GridMetrics& m, int32_t top);

// The top row that keeps top as it is if row is already wholly visible, and otherwise scrolls
// just far enough to show it.
int32_t TopRowShowing(const GridMetrics& m, int32_t top, int32_t row);

// The column under x: 0..2, -1 right of the last column. A cell owns the line after it.
int32_t ColumnAt(const GridMetrics& m, int32_t x);

// The row under y with the given top row: 0 for the heading row, top.. for the slots, -1 below
// the last row.
int32_t RowAt(const GridMetrics& m, int32_t top, int32_t y);

// The row a drag reaches at y: above the slots it is the row before top, below the client
// area the row after the last visible one; always within 1..36.
int32_t DragRowAt(const GridMetrics& m, int32_t top, int32_t y);

// Top edge of row (top row given) in client coordinates; row 0 is at 0.
int32_t RowTop(const GridMetrics& m, int32_t top, int32_t row);

// Left edge of column in client coordinates.
int32_t ColumnLeft(const GridMetrics& m, int32_t column);

// Where a tooltip for a row goes, in screen coordinates: just below the row, or just above it
// when the work area ends first, so that it never covers the row; its left edge at x, moved
// back into the work area. rowTop and rowBottom are the row's screen edges.
struct TipPlace {
  int32_t left = 0, top = 0;
};
TipPlace PlaceTip(int32_t x, int32_t rowTop, int32_t rowBottom, int32_t tipWidth,
                  int32_t tipHeight, int32_t workLeft, int32_t workTop, int32_t workRight,
                  int32_t workBottom);

enum class GridKey { Up, Down, PageUp, PageDown, Home, End };

// The row a navigation key moves the cursor to from current, within 1..36.
int32_t RowAfterKey(const GridMetrics& m, GridKey key, int32_t current);

// The rows the mouse wheel scrolls. Touchpads and smooth wheels send parts of a notch (a notch
// is 120): they add up until they make whole rows, and a turn the other way starts afresh.
// linesPerNotch is the system's setting: 0 scrolls nothing, anything beyond a page (the
// system's "one screen at a time" among them) a page per notch.
class WheelRows {
 public:
  // The rows to scroll for a turn of delta: positive towards the first row.
  int32_t Turn(int32_t delta, uint32_t linesPerNotch, int32_t pageRows);

 private:
  int32_t rest_ = 0;  // the turn not yet scrolled, in 120ths of a row
};

// The focus cursor and the anchor of a row range. A plain move sets both; an extending move
// (Shift, or a drag) moves the cursor only, and the selection spans anchor to cursor.
class RowCursor {
 public:
  void MoveTo(int32_t row, bool extend);
  int32_t Current() const { return current_; }
  RowRange Selection() const;

 private:
  int32_t anchor_ = 1;
  int32_t current_ = 1;
};

}  // namespace tabvane
