// The shell's colours, fonts, brushes and icons, shared by all three windows and released at the
// end. The fonts and icons come at the DPI a window asks for: the design's pixel sizes scaled
// to it. In a high-contrast scheme the colours are the system's pairs of background and text
// instead of the design's. Win32 only.
#pragma once

#include <windows.h>

#include <vector>

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

  // "ＭＳ ゴシック", 13 pixels at 96 dpi, Shift-JIS character set.
  HFONT Font(UINT dpi) const { return AtDpi(dpi).font; }
  // The same font turned by 90 degrees, for the page tabs on the left edge.
  HFONT SidewaysFont(UINT dpi) const { return AtDpi(dpi).sidewaysFont; }
  // Gives window the program's icon in the size of its title bar (ICON_SMALL) or of the task
  // switcher (ICON_BIG), or in both.
  void SetIcon(HWND window, UINT dpi, WPARAM size) const;
  void SetIcons(HWND window, UINT dpi) const;
  // Reads again whether a high-contrast scheme is on; true when that changed.
  bool ReadContrast() const;
  bool HighContrast() const { return highContrast_; }
  // The main window and Panel1: button face in high contrast.
  HBRUSH FormBrush() const { return Pick(formBrush_, COLOR_BTNFACE); }
  // Grid cells, ComboBox1, ListBox1, the dialogs' fields: window colour in high contrast,
  // under the window-text colour.
  HBRUSH CellBrush() const { return Pick(cellBrush_, COLOR_WINDOW); }
  COLORREF CellColour() const { return highContrast_ ? GetSysColor(COLOR_WINDOW) : kCellColour; }
  // The grids' fixed row and column: button face under button text in high contrast.
  HBRUSH FixedBrush() const { return Pick(fixedBrush_, COLOR_BTNFACE); }
  COLORREF FixedTextColour() const {
    return GetSysColor(highContrast_ ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
  }
  // The grids' lines, after fixed cells or after slot cells.
  HBRUSH LineBrush(bool fixed) const {
    if (highContrast_) return GetSysColorBrush(COLOR_GRAYTEXT);
    return static_cast<HBRUSH>(GetStockObject(fixed ? GRAY_BRUSH : LTGRAY_BRUSH));
  }
  // Read-only fields.
  HBRUSH WhiteBrush() const { return Pick(whiteBrush_, COLOR_WINDOW); }
  COLORREF WhiteColour() const { return highContrast_ ? GetSysColor(COLOR_WINDOW) : kWhite; }

 private:
  // The fonts and icons of one DPI, made when a window first asks for them and kept to the
  // end: a window that moves back to a monitor finds them again, and no control is ever left
  // with a deleted font.
  struct Scaled {
    UINT dpi = 0;
    HFONT font = nullptr;
    HFONT sidewaysFont = nullptr;
    HICON smallIcon = nullptr;
    HICON bigIcon = nullptr;
  };
  Scaled& AtDpi(UINT dpi) const;
  HBRUSH Pick(HBRUSH design, int systemColour) const {
    return highContrast_ ? GetSysColorBrush(systemColour) : design;
  }

  HBRUSH formBrush_;
  HBRUSH cellBrush_;
  HBRUSH fixedBrush_;
  HBRUSH whiteBrush_;
  // Follows the system while the program runs, whoever holds the look.
  mutable bool highContrast_ = false;
  mutable std::vector<Scaled> scaled_;  // a cache: asking for a DPI changes nothing a caller sees
};

// The answer to a WM_CTLCOLOR* message: the control draws on back with the window-text colour.
inline LRESULT ControlColour(HDC dc, COLORREF back, HBRUSH brush) {
  SetBkColor(dc, back);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(brush);
}

}  // namespace tabvane
