// Where windows and the focus go: stored bounds shifted into a monitor's work area, the design
// scaled to a monitor's DPI and back, and the Tab key's cycle through the main window's controls.
#include "ui/placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/dpi.h"
#include "ui/focus_order.h"
#include "ui/grid_geometry.h"

namespace tabvane {
namespace {

TEST(Placement, ShiftInsideKeepsTheSize) {
  const ScreenArea work{0, 0, 1024, 738};
  const ScreenArea leftMonitor{-1280, 0, 0, 984};
  struct Case {
    Bounds bounds;
    ScreenArea area;
    Bounds expected;
  };
  const std::vector<Case> cases = {
      {{192, 107, 387, 483}, work, {192, 107, 387, 483}},      // inside: unchanged
      {{3000, 3000, 387, 483}, work, {637, 255, 387, 483}},    // beyond the bottom right
      {{-2000, -50, 387, 483}, work, {0, 0, 387, 483}},        // beyond the top left
      {{0, 0, 2000, 900}, work, {0, 0, 2000, 900}},            // larger: top left edges meet
      {{-3000, 100, 387, 483}, leftMonitor, {-1280, 100, 387, 483}},
      {{-100, 100, 387, 483}, leftMonitor, {-387, 100, 387, 483}},
      {{INT32_MAX, INT32_MAX, INT32_MAX, 10}, work, {0, 728, INT32_MAX, 10}},  // no overflow
      {{INT32_MIN, 0, 0, 0}, work, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bounds.left << "," << c.bounds.top);
    EXPECT_EQ(ShiftInside(c.bounds, c.area), c.expected);
  }
}

TEST(Placement, TitleBarKeptWhereTheMouseReachesIt) {
  // A primary monitor with the taskbar at the bottom and one left of it, a little higher.
  const std::vector<ScreenArea> areas = {{0, 0, 1920, 1040}, {-1280, -200, 0, 824}};
  struct Case {
    const char* name;
    Bounds bounds, expected;
  };
  const std::vector<Case> cases = {
      {"on the primary monitor", {192, 107, 387, 483}, {192, 107, 387, 483}},
      {"on the left monitor", {-1000, -150, 387, 483}, {-1000, -150, 387, 483}},
      {"across both", {-200, 100, 387, 483}, {-200, 100, 387, 483}},
      {"mostly off, enough title bar left", {1850, 500, 387, 483}, {1850, 500, 387, 483}},
      {"a sliver of title bar at the right edge", {1900, 500, 387, 483}, {1533, 500, 387, 483}},
      {"title bar behind the taskbar", {500, 1030, 387, 483}, {500, 557, 387, 483}},
      {"title bar above the screen, the rest on it", {500, -20, 387, 483}, {500, 0, 387, 483}},
      {"above the left monitor's top", {-900, -400, 387, 483}, {-900, -200, 387, 483}},
      {"a monitor that is gone, right of the primary", {2500, 300, 387, 483},
       {1533, 300, 387, 483}},
      {"a monitor that is gone, far left", {-3000, 300, 387, 483}, {-1280, 300, 387, 483}},
      {"a narrow window wholly visible", {1880, 10, 40, 60}, {1880, 10, 40, 60}},
      {"extremes of a hand-edited file", {INT32_MIN, INT32_MIN, 387, 483},
       {-1280, -200, 387, 483}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KeepTitleBarReachable(c.bounds, 23, areas), c.expected);
  }
  EXPECT_EQ(KeepTitleBarReachable({5000, 5000, 10, 10}, 23, {}), (Bounds{5000, 5000, 10, 10}));
}

bool Apart(const Place& a, const Place& b) {
  return a.left + a.width <= b.left || b.left + b.width <= a.left ||
         a.top + a.height <= b.top || b.top + b.height <= a.top;
}

bool Inside(const Place& inner, const Place& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

// The design at 96, 120, 144 and 192 dpi: the sizes the system's own rounding gives, every
// control inside its window, apart from the others and as tall as the font, the grid's text
// inside its rows, and the settings file's 96-dpi bounds back unchanged after the screen.
TEST(Dpi, DesignScaledToTheCommonDpis) {
  struct Window {
    const char* name;
    Place client;
    std::vector<Place> controls;
    std::vector<Place> texts;  // the controls whose text is one line of the font's height
  };
  using namespace design;
  const Place panel1{0, 0, 371, kPanelHeight};  // at the window's design size
  const Window windows[] = {
      {"Panel1", panel1, {kButton1, kComboBox1}, {kButton1, kComboBox1}},
      {"slot editor", kSlotEditorClient,
       {kSlotEditorLabel1, kSlotEditorEdit1, kSlotEditorLabel2, kSlotEditorEdit2,
        kSlotEditorButton1, kSlotEditorButton2, kSlotEditorButton3},
       {kSlotEditorLabel1, kSlotEditorLabel2}},
      {"settings dialog", kSettingsClient,
       {kSettingsLabel1, kSettingsEdit1, kSettingsLabel2, kSettingsCheckBox1, kSettingsCheckBox2,
        kSettingsCheckBox3, kSettingsButton2, kSettingsButton3},
       {kSettingsLabel1, kSettingsLabel2}},
  };
  // Stored bounds as files hold them: the default, a window on a monitor left of and above
  // the primary one, odd small numbers, the place Windows parks minimized windows at.
  const Bounds stored[] = {kMainDesignBounds, {-1280, -7, 420, 520}, {1, -1, 2, 3},
                           {-32000, -32000, 160, 28}};
  const struct {
    int32_t dpi, font, panel, row, line, smallIcon;
    Bounds main;
  } cases[] = {
      {96, 13, 29, 24, 1, 16, {192, 107, 387, 483}},
      {120, 16, 36, 30, 1, 20, {240, 134, 484, 604}},
      {144, 20, 44, 36, 2, 24, {288, 161, 581, 725}},  // halves round up: 19.5, 43.5, 160.5
      {192, 26, 58, 48, 2, 32, {384, 214, 774, 966}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(Scale(kFontHeight, c.dpi), c.font);
    EXPECT_EQ(Scale(kPanelHeight, c.dpi), c.panel);
    EXPECT_EQ(Scale(kSmallIcon, c.dpi), c.smallIcon);
    const GridMetrics grid = ScaledGridMetrics(c.dpi, 0, 0);
    EXPECT_EQ(grid.rowHeight, c.row);
    EXPECT_EQ(grid.line, c.line);
    EXPECT_EQ(grid.headingHeight, c.line);
    EXPECT_GE(grid.rowHeight, c.font + 2 * Scale(kCellTextInset, c.dpi));
    EXPECT_EQ(ScaleBounds(kMainDesignBounds, c.dpi), c.main);
    EXPECT_EQ(Scale(-3, c.dpi), -Scale(3, c.dpi)) << "negative halves round away from zero";
    EXPECT_EQ(Scale(INT32_MAX, c.dpi), INT32_MAX) << "a hand-edited file's extreme saturates";

    for (const Window& w : windows) {
      SCOPED_TRACE(w.name);
      const Place client = ScalePlace(w.client, c.dpi);
      for (std::size_t i = 0; i < w.controls.size(); ++i) {
        const Place place = ScalePlace(w.controls[i], c.dpi);
        EXPECT_TRUE(Inside(place, client)) << "control " << i;
        EXPECT_LE(std::abs(place.width - Scale(w.controls[i].width, c.dpi)), 1) << "control " << i;
        for (std::size_t j = 0; j < i; ++j) {
          if (Apart(w.controls[i], w.controls[j])) {
            EXPECT_TRUE(Apart(place, ScalePlace(w.controls[j], c.dpi))) << i << " and " << j;
          }
        }
      }
      for (const Place& text : w.texts) {
        EXPECT_GE(ScalePlace(text, c.dpi).height, c.font) << text.left << "," << text.top;
      }
    }

    // On the primary monitor and on monitors right of it and left of and above it, whose
    // corners stay where they are.
    for (const Position origin : {Position{0, 0}, Position{1920, 0}, Position{-1280, -200}}) {
      for (const Bounds& b : stored) {
        EXPECT_EQ(UnscaleBounds(ScaleBounds(b, c.dpi, origin), c.dpi, origin), b)
            << b.left << "," << b.top << " from " << origin.left << "," << origin.top;
      }
    }
    EXPECT_EQ(ScalePosition({2000, 100}, c.dpi, {1920, 0}),
              (Position{1920 + Scale(80, c.dpi), Scale(100, c.dpi)}));
    // A pixel between two 96-dpi steps comes back to the nearest step.
    for (int32_t pixel = -300; pixel <= 300; ++pixel) {
      ASSERT_LE(std::abs(Scale(Unscale(pixel, c.dpi), c.dpi) - pixel), 1) << pixel;
    }
  }
}

TEST(FocusOrder, TabCyclesOverTheControlsThatCanTakeTheFocus) {
  const auto all = [](int32_t) { return true; };
  const auto notSecond = [](int32_t i) { return i != 1; };
  const auto none = [](int32_t) { return false; };
  const struct {
    int32_t current;
    bool backwards;
    std::function<bool(int32_t)> canFocus;
    int32_t next;
  } cases[] = {
      {0, false, all, 1},      {4, false, all, 0},      {0, true, all, 4},
      {-1, false, all, 0},     {-1, true, all, 4},      {0, false, notSecond, 2},
      {2, true, notSecond, 0}, {3, false, none, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextInTabOrder(c.current, 5, c.backwards, c.canFocus), c.next)
        << c.current << (c.backwards ? " back" : " forth");
  }
}

}  // namespace
}  // namespace tabvane
