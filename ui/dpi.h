// The three windows' layouts as numbers at 96 dots per inch, the one table of them, and their
// scaling to the DPI of the monitor a window is on: the Win32 shell scales every pixel number it
// takes from here, and the settings file keeps the 96-dpi numbers. No Win32 here.
#pragma once

#include <cstdint>

#include "model/settings.h"

namespace tabvane {

inline constexpr int32_t kDesignDpi = 96;

// value × dpi / 96 rounded to the nearest integer, halves away from zero, as Windows' MulDiv
// rounds and so as the system scales its own metrics (13 pixels are 20 at 144 dpi). Results
// beyond the 32-bit range are clamped to it (MulDiv gives -1). A dpi of 0 or less counts as 96.
int32_t Scale(int32_t value, int32_t dpi);
// The inverse: value × 96 / dpi, rounded the same way. For any dpi of 96 or more,
// Unscale(Scale(v, dpi), dpi) == v.
int32_t Unscale(int32_t value, int32_t dpi);
// A line's width: scaled like everything else, and never thinner than 1 pixel.
int32_t ScaleLine(int32_t value, int32_t dpi);

// A control's place in its parent's client area.
struct Place {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Place&) const = default;
};

// A place scaled by its edges: controls that keep apart at 96 dpi keep apart at any DPI, and
// one that ends at another's edge still ends there.
Place ScalePlace(const Place& place, int32_t dpi);

// Window bounds and positions between the settings file's 96-dpi numbers and the pixels of a
// monitor whose top left corner is at origin. The corner stays where it is and the distances
// from it scale, as Windows shows monitors to a program that is not DPI aware: so the numbers
// such a program wrote place a window where it was. Sizes scale on their own, so that a
// window's size does not depend on where it stands.
Bounds ScaleBounds(const Bounds& bounds, int32_t dpi, const Position& origin = {});
Bounds UnscaleBounds(const Bounds& bounds, int32_t dpi, const Position& origin = {});
Position ScalePosition(const Position& position, int32_t dpi, const Position& origin = {});
Position UnscalePosition(const Position& position, int32_t dpi, const Position& origin = {});

// ComboBox1's width in a panel whose client area is panelWidth pixels wide at dpi.
int32_t ComboBox1Width(int32_t panelWidth, int32_t dpi);

// Every pixel number of the windows at 96 dpi. Window positions and the main window's outer
// size are the settings' defaults (model/settings.h).
namespace design {

// "ＭＳ ゴシック" in every window; the icon's small (title bar) and big (task switcher) sizes.
inline constexpr int32_t kFontHeight = 13;
inline constexpr int32_t kSmallIcon = 16;
inline constexpr int32_t kBigIcon = 32;

// The main window: Panel1 along the top with Button1, ComboBox1 and the hidden ListBox1;
// PageControl1 takes the rest of the client area. ComboBox1 is made and kept kComboRightGap
// from the panel's right edge, whatever its designed width of 317, and the name column
// kNameColumnGap less than TabControl1's client width, neither below kMinControlWidth.
inline constexpr int32_t kPanelHeight = 29;
inline constexpr Place kButton1{4, 4, 45, 22};
inline constexpr Place kComboBox1{52, 4, 317, 21};
inline constexpr int32_t kComboRightGap = 4;
inline constexpr int32_t kComboDropHeight = 200;  // ComboBox1 with its list dropped down
inline constexpr Place kListBox1{286, -2, 33, 25};
inline constexpr int32_t kMinControlWidth = 100;
inline constexpr int32_t kNameColumnGap = 20;

// The six grids: the key column and the hidden path column, the heading row 0 and the slot
// rows, each cell followed by a line; texts start kCellTextInset right of and below a cell's
// corner. Lines scale too, as the system's own controls scale theirs: a 1-pixel line between
// rows of 48 pixels would be a hairline of another design.
inline constexpr int32_t kKeyColumnWidth = 16;
inline constexpr int32_t kPathColumnWidth = 0;
inline constexpr int32_t kHeadingHeight = 1;
inline constexpr int32_t kRowHeight = 24;
inline constexpr int32_t kGridLine = 1;
inline constexpr int32_t kCellTextInset = 2;

// The slot editor's client area and controls.
inline constexpr Place kSlotEditorClient{0, 0, 359, 118};
inline constexpr Place kSlotEditorLabel1{8, 0, 65, 13};
inline constexpr Place kSlotEditorEdit1{8, 16, 305, 21};
inline constexpr Place kSlotEditorLabel2{8, 40, 104, 13};
inline constexpr Place kSlotEditorEdit2{8, 56, 305, 21};
inline constexpr Place kSlotEditorButton1{312, 56, 41, 21};
inline constexpr Place kSlotEditorButton2{120, 88, 99, 25};
inline constexpr Place kSlotEditorButton3{232, 88, 121, 25};

// The settings dialog's client area and controls.
inline constexpr Place kSettingsClient{0, 0, 239, 136};
inline constexpr Place kSettingsLabel1{4, 8, 52, 13};
inline constexpr Place kSettingsEdit1{72, 4, 49, 21};
inline constexpr Place kSettingsLabel2{130, 8, 39, 13};
inline constexpr Place kSettingsCheckBox1{6, 30, 115, 17};
inline constexpr Place kSettingsCheckBox2{6, 54, 193, 17};
inline constexpr Place kSettingsCheckBox3{6, 78, 195, 17};
inline constexpr Place kSettingsButton2{8, 104, 99, 25};
inline constexpr Place kSettingsButton3{112, 104, 121, 25};

// The detection view: its outer size when first shown, its copy button in the bottom right
// corner of the client area, kDetectionMargin from the edges and from the text above it.
inline constexpr int32_t kDetectionWidth = 460;
inline constexpr int32_t kDetectionHeight = 420;
inline constexpr int32_t kDetectionButtonWidth = 80;
inline constexpr int32_t kDetectionButtonHeight = 25;
inline constexpr int32_t kDetectionMargin = 4;

// The find box: under Panel1, as wide as the main window's client area and kFindBoxHeight
// high, its edit field kFindEditHeight high at the top and the list below it, kFindMargin
// from the edges and from each other.
inline constexpr int32_t kFindBoxHeight = 220;
inline constexpr int32_t kFindEditHeight = 21;
inline constexpr int32_t kFindMargin = 4;

}  // namespace design
}  // namespace tabvane
