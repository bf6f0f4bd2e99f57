// The slot grid's hit tests, scrolling range, key moves and row range.
#include "ui/grid_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tabvane {
namespace {

// The grids as the main window shows them: key column 16, name column 310, hidden path column,
// heading row 1 pixel, rows 24 pixels, each followed by a 1-pixel line.
GridMetrics Grid(int32_t clientHeight) {
  GridMetrics m;
  m.columnWidths = {16, 310, 0};
  m.clientHeight = clientHeight;
  return m;
}

TEST(GridGeometry, PageRowsAndScrollRange) {
  struct Case {
    int32_t clientHeight;
    int32_t pageRows;
    int32_t maxTop;
  };
  // Slots start at y = 2; row k (from 0) covers 2 + 25k .. 25 + 25k, its line 26 + 25k.
  const std::vector<Case> cases = {
      {0, 1, 36},       // nothing visible still pages one row
      {25, 0 + 1, 36},  // one pixel short of the first whole row
      {26, 1, 36},      // first row whole, its line cut off
      {375, 14, 23},
      {376, 15, 22},    // 15th row whole without its line
      {392, 15, 22},
      {901, 36, 1},     // all 36 rows whole
      {900, 35, 2},
      {5000, 36, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clientHeight);
    EXPECT_EQ(PageRows(Grid(c.clientHeight)), c.pageRows);
    EXPECT_EQ(MaxTopRow(Grid(c.clientHeight)), c.maxTop);
  }
}

TEST(GridGeometry, ColumnAtOwnsTheLineAfterEachCell) {
  const GridMetrics m = Grid(392);
  const std::vector<std::pair<int32_t, int32_t>> cases = {
      {-1, -1}, {0, 0},  {15, 0},   {16, 0},  // the key column and its line
      {17, 1},  {326, 1}, {327, 1},           // the name column and its line
      {328, 2},                               // the hidden column is its line alone
      {329, -1}, {1000, -1},
  };
  for (const auto& [x, column] : cases) {
    SCOPED_TRACE(x);
    EXPECT_EQ(ColumnAt(m, x), column);
  }
}

TEST(GridGeometry, RowAtFollowsTheTopRow) {
  const GridMetrics m = Grid(392);
  struct Case {
    int32_t top, y, row;
  };
  const std::vector<Case> cases = {
      {1, -1, -1}, {1, 0, 0},   {1, 1, 0},   // the heading row and its line
      {1, 2, 1},   {1, 26, 1},  {1, 27, 2},  // first slot row, its line, the next row
      {22, 2, 22}, {22, 376, 36},            // scrolled to the end: the last row's line
      {22, 377, -1},                         // the space below row 36
      {20, 402, 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "top " << c.top << " y " << c.y);
    EXPECT_EQ(RowAt(m, c.top, c.y), c.row);
  }
  EXPECT_EQ(RowTop(m, 1, 0), 0);
  EXPECT_EQ(RowTop(m, 1, 1), 2);
  EXPECT_EQ(RowTop(m, 5, 7), 52);
  EXPECT_EQ(ColumnLeft(m, 2), 16 + 1 + 310 + 1);
}

TEST(GridGeometry, DragRowAtStepsPastTheEdges) {
  const GridMetrics m = Grid(392);  // 15 whole rows
  struct Case {
    int32_t top, y, row;
  };
  const std::vector<Case> cases = {
      {1, 0, 1},     // above the slots at the top: stays at row 1
      {5, 0, 4},     // above the slots: the row before the top
      {5, 100, 8},   // inside: the row under the pointer
      {1, 392, 16},  // below the client area: the row after the last whole one
      {22, 500, 36}, // never past row 36
      {1, -50, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "top " << c.top << " y " << c.y);
    EXPECT_EQ(DragRowAt(m, c.top, c.y), c.row);
  }
}

TEST(GridGeometry, TopRowShowingScrollsJustEnough) {
  const GridMetrics m = Grid(392);  // 15 whole rows, top 1..22
  struct Case {
    int32_t top, row, expected;
  };
  const std::vector<Case> cases = {
      {1, 1, 1},   {1, 15, 1},   // already visible
      {1, 16, 2},                // one below: scroll by one
      {1, 36, 22},               // the last row
      {10, 3, 3},                // above: it becomes the top row
      {30, 5, 5},  {30, 30, 22}, // a top beyond the range is clamped
      {0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "top " << c.top << " row " << c.row);
    EXPECT_EQ(TopRowShowing(m, c.top, c.row), c.expected);
  }
}

TEST(GridGeometry, TipGoesBelowTheRowOrAboveItNeverOverIt) {
  // Work area 0..1024 x 0..768; the row's screen edges 300..324; a tip of 200 x 20.
  struct Case {
    int32_t x, rowTop, rowBottom;
    int32_t left, top;
  };
  const std::vector<Case> cases = {
      {100, 300, 324, 100, 326},  // below the row
      {100, 740, 764, 100, 718},  // no room below: above it
      {950, 300, 324, 824, 326},  // kept inside the right edge
      {-50, 300, 324, 0, 326},    // and the left one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.rowTop);
    const TipPlace place = PlaceTip(c.x, c.rowTop, c.rowBottom, 200, 20, 0, 0, 1024, 768);
    EXPECT_EQ(place.left, c.left);
    EXPECT_EQ(place.top, c.top);
  }
}

TEST(GridGeometry, RowAfterKeyStaysOnTheSlots) {
  const GridMetrics m = Grid(392);  // pages of 15 rows
  struct Case {
    GridKey key;
    int32_t from, to;
  };
  const std::vector<Case> cases = {
      {GridKey::Up, 1, 1},        {GridKey::Up, 36, 35},     {GridKey::Down, 36, 36},
      {GridKey::Down, 1, 2},      {GridKey::PageDown, 1, 16}, {GridKey::PageDown, 30, 36},
      {GridKey::PageUp, 20, 5},   {GridKey::PageUp, 10, 1},   {GridKey::Home, 20, 1},
      {GridKey::End, 3, 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(c.key) << " from " << c.from);
    EXPECT_EQ(RowAfterKey(m, c.key, c.from), c.to);
  }
}

TEST(GridGeometry, WheelRowsAddUpPartsOfANotch) {
  struct Turn {
    int32_t delta;
    uint32_t lines;
    int32_t rows;
  };
  const struct {
    const char* name;
    std::vector<Turn> turns;
  } cases[] = {
      {"a notch of a wheel", {{120, 3, 3}, {-240, 3, -6}}},
      {"a touchpad's small steps", {{30, 3, 0}, {30, 3, 1}, {50, 3, 1}, {10, 3, 1}}},
      {"a turn back drops what was left", {{30, 3, 0}, {-30, 3, 0}, {-10, 3, -1}}},
      {"the system's lines per notch", {{120, 1, 1}, {120, 7, 7}, {60, 5, 2}, {60, 5, 3}}},
      {"no scrolling set", {{120, 0, 0}, {60, 3, 1}}},
      {"a screen per notch", {{120, 0xFFFFFFFF, 15}, {-120, 40, -15}}},
      {"a delta as large as it comes", {{32767, 3, 36}, {-32768, 3, -36}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WheelRows wheel;
    for (const Turn& t : c.turns) {
      EXPECT_EQ(wheel.Turn(t.delta, t.lines, 15), t.rows) << t.delta << " at " << t.lines;
    }
  }
}

TEST(GridGeometry, RowCursorSpansAnchorToCursor) {
  struct Step {
    int32_t row;
    bool extend;
    int32_t top, bottom, current;
  };
  // A click, Shift+click upwards, Shift+arrows back across the anchor, then a plain click.
  const std::vector<Step> steps = {
      {5, false, 5, 5, 5},  {2, true, 2, 5, 2},  {6, true, 5, 6, 6},
      {9, false, 9, 9, 9},  {40, true, 9, 36, 36}, {0, false, 1, 1, 1},
  };
  RowCursor cursor;
  EXPECT_EQ(cursor.Current(), 1);
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "row " << s.row << " extend " << s.extend);
    cursor.MoveTo(s.row, s.extend);
    EXPECT_EQ(cursor.Selection().top, s.top);
    EXPECT_EQ(cursor.Selection().bottom, s.bottom);
    EXPECT_EQ(cursor.Current(), s.current);
  }
}

}  // namespace
}  // namespace tabvane
