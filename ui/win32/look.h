// The shell's colours, fonts, brushes and icon, made once for all three windows and released
// at the end. Sizes are pixels at 96 dots per inch; nothing is scaled. Win32 only.
#pragma once

#include <windows.h>

namespace tabvane {

inline constexpr COLORREF kFormColour = RGB(184, 3, 180);    // the main window and Panel1
inline constexpr COLORREF kCellColour = RGB(255, 208, 255);  // grid cells, ComboBox1, dialogs
inline constexpr COLORREF kFixedColour = RGB(210, 129, 254);  // the grids' fixed row and column
inline constexpr COLORREF kWhite = RGB(255, 255, 255);

class Look {
 public:
  Look();
  ~Look();
  Look(const Look&) = delete;
  Look& operator=(const Look&) = delete;

  // "ＭＳ ゴシック", 13 pixels, Shift-JIS character set.
  HFONT Font() const { return font_; }
  // The same font turned by 90 degrees, for the page tabs on the left edge.
  HFONT SidewaysFont() const { return sidewaysFont_; }
  HBRUSH FormBrush() const { return formBrush_; }
  HBRUSH CellBrush() const { return cellBrush_; }
  HBRUSH FixedBrush() const { return fixedBrush_; }
  HBRUSH WhiteBrush() const { return whiteBrush_; }
  // The 16 x 16 icon of all three windows.
  HICON Icon() const { return icon_; }

 private:
  HFONT font_;
  HFONT sidewaysFont_;
  HBRUSH formBrush_;
  HBRUSH cellBrush_;
  HBRUSH fixedBrush_;
  HBRUSH whiteBrush_;
  HICON icon_;
};

// The answer to a WM_CTLCOLOR* message: the control draws on back with the window-text colour.
inline LRESULT ControlColour(HDC dc, COLORREF back, HBRUSH brush) {
  SetBkColor(dc, back);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(brush);
}

}  // namespace tabvane
