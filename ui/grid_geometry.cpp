// The slot grid's arithmetic: hit tests, scrolling range, key moves, row range. No Win32 here.
#include "ui/grid_geometry.h"

#include <algorithm>

namespace tabvane {
namespace {

constexpr int32_t kFirstSlotRow = 1;
constexpr int32_t kLastSlotRow = kGridRows - 1;

int32_t RowPitch(const GridMetrics& m) { return m.rowHeight + m.line; }
int32_t SlotsTop(const GridMetrics& m) { return m.headingHeight + m.line; }
int32_t ClampSlotRow(int32_t row) { return std::clamp(row, kFirstSlotRow, kLastSlotRow); }

}  // namespace

GridMetrics ScaledGridMetrics(int32_t dpi, int32_t nameColumnWidth, int32_t clientHeight) {
  GridMetrics m;
  m.columnWidths = {Scale(design::kKeyColumnWidth, dpi), nameColumnWidth,
                    Scale(design::kPathColumnWidth, dpi)};
  m.headingHeight = ScaleLine(design::kHeadingHeight, dpi);
  m.rowHeight = Scale(design::kRowHeight, dpi);
  m.line = ScaleLine(design::kGridLine, dpi);
  m.clientHeight = clientHeight;
  return m;
}

int32_t PageRows(const GridMetrics& m) {
  // A row counts when its cell is wholly visible; the line after it may be cut off.
  const int32_t rows = (m.clientHeight - SlotsTop(m) + m.line) / RowPitch(m);
  return std::clamp(rows, 1, kLastSlotRow);
}

int32_t MaxTopRow(const GridMetrics& m) { return kLastSlotRow - PageRows(m) + 1; }

int32_t ClampTopRow(const GridMetrics& m, int32_t top) {
  return std::clamp(top, kFirstSlotRow, MaxTopRow(m));
}

int32_t TopRowShowing(const GridMetrics& m, int32_t top, int32_t row) {
  if (row < top) return ClampTopRow(m, row);
  if (row >= top + PageRows(m)) return ClampTopRow(m, row - PageRows(m) + 1);
  return ClampTopRow(m, top);
}

int32_t ColumnAt(const GridMetrics& m, int32_t x) {
  if (x < 0) return -1;
  int32_t right = 0;
  for (int32_t column = 0; column < kGridColumns; ++column) {
    right += m.columnWidths[static_cast<std::size_t>(column)] + m.line;
    if (x < right) return column;
  }
  return -1;
}

int32_t RowAt(const GridMetrics& m, int32_t top, int32_t y) {
  if (y < 0) return -1;
  if (y < SlotsTop(m)) return 0;
  const int32_t row = top + (y - SlotsTop(m)) / RowPitch(m);
  return row <= kLastSlotRow ? row : -1;
}

int32_t DragRowAt(const GridMetrics& m, int32_t top, int32_t y) {
  if (y < SlotsTop(m)) return ClampSlotRow(top - 1);
  if (y >= m.clientHeight) return ClampSlotRow(top + PageRows(m));
  return ClampSlotRow(top + (y - SlotsTop(m)) / RowPitch(m));
}

int32_t RowTop(const GridMetrics& m, int32_t top, int32_t row) {
  if (row == 0) return 0;
  return SlotsTop(m) + (row - top) * RowPitch(m);
}

int32_t ColumnLeft(const GridMetrics& m, int32_t column) {
  int32_t left = 0;
  for (int32_t c = 0; c < column && c < kGridColumns; ++c) {
    left += m.columnWidths[static_cast<std::size_t>(c)] + m.line;
  }
  return left;
}

TipPlace PlaceTip(int32_t x, int32_t rowTop, int32_t rowBottom, int32_t tipWidth,
                  int32_t tipHeight, int32_t workLeft, int32_t workTop, int32_t workRight,
                  int32_t workBottom) {
  constexpr int32_t kGap = 2;  // between the row and the tip
  TipPlace place;
  place.top = rowBottom + kGap;
  if (place.top + tipHeight > workBottom) place.top = std::max(rowTop - kGap - tipHeight, workTop);
  place.left = std::max(std::min(x, workRight - tipWidth), workLeft);
  return place;
}

int32_t RowAfterKey(const GridMetrics& m, GridKey key, int32_t current) {
  switch (key) {
    case GridKey::Up: return ClampSlotRow(current - 1);
    case GridKey::Down: return ClampSlotRow(current + 1);
    case GridKey::PageUp: return ClampSlotRow(current - PageRows(m));
    case GridKey::PageDown: return ClampSlotRow(current + PageRows(m));
    case GridKey::Home: return kFirstSlotRow;
    case GridKey::End: return kLastSlotRow;
  }
  return ClampSlotRow(current);
}

int32_t WheelRows::Turn(int32_t delta, uint32_t linesPerNotch, int32_t pageRows) {
  constexpr int32_t kNotch = 120;
  if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
  const int32_t lines = static_cast<int32_t>(
      std::min<uint32_t>(linesPerNotch, static_cast<uint32_t>(std::max<int32_t>(pageRows, 1))));
  if (lines == 0) {
    rest_ = 0;
    return 0;
  }
  // 64-bit, so that no delta a message can hold overflows.
  const int64_t turned = int64_t{rest_} + int64_t{delta} * lines;
  const int64_t rows = turned / kNotch;
  rest_ = static_cast<int32_t>(turned - rows * kNotch);
  return static_cast<int32_t>(std::clamp<int64_t>(rows, -kSlotCount, kSlotCount));
}

void RowCursor::MoveTo(int32_t row, bool extend) {
  current_ = ClampSlotRow(row);
  if (!extend) anchor_ = current_;
}

RowRange RowCursor::Selection() const {
  return {std::min(anchor_, current_), std::max(anchor_, current_)};
}

}  // namespace tabvane
