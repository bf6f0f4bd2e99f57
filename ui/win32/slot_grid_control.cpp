// The slot grid window: painting (double-buffered), mouse and keys for the row cursor and
// range, the scroll bar, the double click, context-menu request and dropped files for the
// listener, and the tooltip with the listener's hint for the row the pointer rests on.
#include "ui/win32/slot_grid_control.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <optional>
#include <utility>

#include "host/win32/exe_path.h"
#include "host/win32/wide.h"
#include "ui/win32/gdi.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneGrid";
constexpr UINT kDefaultWheelLines = 3;  // the system's own default

constexpr UINT_PTR kTipId = 1;
constexpr int32_t kTipMaxWidth = 600;  // at 96 dpi

// The three calls of shell32 a drop needs, loaded on the first drop: most runs never see one,
// and shell32 with what it pulls in costs start-up time and memory.
struct DropCalls {
  decltype(&DragQueryFileW) queryFile = nullptr;
  decltype(&DragQueryPoint) queryPoint = nullptr;
  decltype(&DragFinish) finish = nullptr;
};

const DropCalls& Shell() {
  static const DropCalls calls = [] {
    DropCalls found;
    const HMODULE dll = LoadSystemDll(L"shell32.dll");
    if (dll == nullptr) return found;
    found.queryFile = reinterpret_cast<decltype(&DragQueryFileW)>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DragQueryFileW")));
    found.queryPoint = reinterpret_cast<decltype(&DragQueryPoint)>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DragQueryPoint")));
    found.finish = reinterpret_cast<decltype(&DragFinish)>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DragFinish")));
    return found;
  }();
  return calls;
}

bool InRange(int32_t col, int32_t row) {
  return col >= 0 && col < kGridColumns && row >= 0 && row < kGridRows;
}

void FillSpan(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, brush);
}

}  // namespace

bool SlotGridControl::Create(HWND parent, int id, UINT dpi) {
  dpi_ = dpi;
  metrics_ = ScaledGridMetrics(static_cast<int32_t>(dpi), metrics_.columnWidths[1], 0);
  RegisterClassOnce(kClassName, CS_DBLCLKS, nullptr);
  // WS_EX_ACCEPTFILES: files dropped from Explorer come as WM_DROPFILES.
  if (!Window::Create({.className = kClassName,
                       .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL,
                       .exStyle = WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES,
                       .parent = parent,
                       .id = id})) {
    return false;
  }
  // Run as administrator, Tabvane would get no drop from Explorer, which runs below it: the
  // system lets no message from a lower integrity level through unless the window lets it. A
  // drop is WM_DROPFILES with the file list copied over by 0x0049 (WM_COPYGLOBALDATA) and
  // WM_COPYDATA.
  for (const UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049}}) {
    ChangeWindowMessageFilterEx(Handle(), message, MSGFLT_ALLOW, nullptr);
  }
  return true;
}

void SlotGridControl::SetDpi(UINT dpi) {
  dpi_ = dpi;
  metrics_ = ScaledGridMetrics(static_cast<int32_t>(dpi), metrics_.columnWidths[1],
                               metrics_.clientHeight);
  top_ = ClampTopRow(metrics_, top_);
  UpdateScrollBar();
  InvalidateRect(Handle(), nullptr, FALSE);
  // The hint shows next time in the font and width of the new DPI.
  if (tip_ != nullptr) {
    HideTip();
    FitTipToDpi();
  }
}

void SlotGridControl::SetNameColumnWidth(int32_t width) {
  if (metrics_.columnWidths[1] == width) return;
  metrics_.columnWidths[1] = width;
  Repaint();
}

std::string SlotGridControl::Cell(int32_t col, int32_t row) const {
  if (!InRange(col, row)) return {};
  return cells_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

void SlotGridControl::SetCell(int32_t col, int32_t row, std::string_view text) {
  if (!InRange(col, row)) return;
  std::string& cell = cells_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
  // A menu shown fills every cell; only a changed one needs a paint.
  if (cell == text) return;
  cell = text;
  // Another menu under a resting pointer (the host's command switched it): the hint is of the
  // slot that was there.
  if (row == tipRow_) HideTip();
  Repaint();
}

void SlotGridControl::Repaint() {
  // A hidden grid is painted whole when it shows: under Wine each invalidation is a round trip
  // to the server, and the start-up fills the grids before the window shows.
  if (IsWindowVisible(Handle())) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT SlotGridControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_SIZE: OnSize(HIWORD(lParam)); return 0;
    case WM_VSCROLL: HideTip(); OnVScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
      HideTip();
      OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_MOUSEHWHEEL: return 0;  // nothing scrolls sideways: a touchpad's drift does nothing
    case WM_LBUTTONDOWN:
      HideTip();
      OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second click acts as a click first, then the double click runs the current row.
      OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      listener_.GridDblClick();
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) OnMouseMove(GET_Y_LPARAM(lParam));
      WatchPointer(GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEHOVER: OnMouseHover(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSELEAVE:
      hoverRow_ = -1;
      HideTip();
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: dragging_ = false; return 0;
    case WM_CONTEXTMENU: HideTip(); listener_.GridContextMenu(); return 0;
    case WM_KEYDOWN:
      HideTip();
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: Repaint(); return 0;
    case WM_KILLFOCUS:
      // A dialog opening over the window takes the focus: no hint stays over it.
      HideTip();
      Repaint();
      return 0;
    default: break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void SlotGridControl::OnPaint() {
  const PaintDC paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  // Drawn into a bitmap first and copied in one go, so that scrolling does not flicker.
  const MemoryDC memory(paint.Get());
  const OwnedObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
  if (memory.Get() == nullptr || bitmap.Get() == nullptr) {
    Paint(paint.Get(), client);
    return;
  }
  const SelectedObject selected(memory.Get(), bitmap.Get());
  Paint(memory.Get(), client);
  BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

void SlotGridControl::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, look_.CellBrush());
  const SelectedObject font(dc, look_.Font(dpi_));
  const int inset = Scale(design::kCellTextInset, static_cast<int32_t>(dpi_));
  SetBkMode(dc, TRANSPARENT);
  const HBRUSH fixedLine = look_.LineBrush(true);
  const HBRUSH cellLine = look_.LineBrush(false);
  const RowRange selection = cursor_.Selection();

  auto paintRow = [&](int32_t row) {
    const int top = RowTop(metrics_, top_, row);
    const int height = row == 0 ? metrics_.headingHeight : metrics_.rowHeight;
    for (int32_t col = 0; col < kGridColumns; ++col) {
      const int left = ColumnLeft(metrics_, col);
      const int width = metrics_.columnWidths[static_cast<std::size_t>(col)];
      const RECT cell{left, top, left + width, top + height};
      const bool fixed = row == 0 || col == 0;
      const bool selected = !fixed && row >= selection.top && row <= selection.bottom;
      FillRect(dc, &cell,
               fixed ? look_.FixedBrush()
                     : selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : look_.CellBrush());
      if (fixed && width > 2 && height > 2) {
        RECT edge = cell;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
      }
      const std::wstring text = WideFromSjis(cells_[static_cast<std::size_t>(col)]
                                                   [static_cast<std::size_t>(row)]);
      if (!text.empty() && width > 0) {
        SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                         : fixed  ? look_.FixedTextColour()
                                  : GetSysColor(COLOR_WINDOWTEXT));
        ExtTextOutW(dc, left + inset, top + inset, ETO_CLIPPED, &cell, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
      }
      const HBRUSH line = fixed ? fixedLine : cellLine;
      const int lineWidth = metrics_.line;
      FillSpan(dc, left + width, top, left + width + lineWidth, top + height + lineWidth, line);
      FillSpan(dc, left, top + height, left + width + lineWidth, top + height + lineWidth, line);
    }
  };

  paintRow(0);
  for (int32_t row = top_; row < kGridRows && RowTop(metrics_, top_, row) < client.bottom;
       ++row) {
    paintRow(row);
  }
  const int32_t current = cursor_.Current();
  if (GetFocus() == Handle() && current >= top_) {
    const int top = RowTop(metrics_, top_, current);
    const RECT focus{ColumnLeft(metrics_, 1), top,
                     ColumnLeft(metrics_, kGridColumns) - metrics_.line, top + metrics_.rowHeight};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawFocusRect(dc, &focus);
  }
}

void SlotGridControl::OnSize(int height) {
  metrics_.clientHeight = height;
  top_ = ClampTopRow(metrics_, top_);
  UpdateScrollBar();
  Repaint();
}

void SlotGridControl::OnVScroll(int request) {
  switch (request) {
    case SB_LINEUP: ScrollTo(top_ - 1); break;
    case SB_LINEDOWN: ScrollTo(top_ + 1); break;
    case SB_PAGEUP: ScrollTo(top_ - PageRows(metrics_)); break;
    case SB_PAGEDOWN: ScrollTo(top_ + PageRows(metrics_)); break;
    case SB_TOP: ScrollTo(1); break;
    case SB_BOTTOM: ScrollTo(MaxTopRow(metrics_)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The rows follow the thumb while it is dragged.
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(Handle(), SB_VERT, &info)) ScrollTo(info.nTrackPos);
      break;
    }
    default: break;
  }
}

void SlotGridControl::OnWheel(int delta) {
  // Read at each turn: the user may change it at any time.
  UINT lines = kDefaultWheelLines;
  if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) == 0) {
    lines = kDefaultWheelLines;
  }
  ScrollTo(top_ - wheel_.Turn(delta, lines, PageRows(metrics_)));
}

void SlotGridControl::OnMouseDown(int x, int y, bool shift) {
  SetFocus(Handle());
  const int32_t col = ColumnAt(metrics_, x);
  const int32_t row = RowAt(metrics_, top_, y);
  // The fixed row and column, and the space beyond the cells, leave the cursor where it is.
  if (col < 1 || row < 1) return;
  MoveCursor(row, shift);
  dragging_ = true;
  SetCapture(Handle());
}

void SlotGridControl::OnMouseMove(int y) { MoveCursor(DragRowAt(metrics_, top_, y), true); }

void SlotGridControl::OnDropFiles(HDROP drop) {
  const DropCalls& shell = Shell();
  if (shell.queryFile == nullptr || shell.queryPoint == nullptr || shell.finish == nullptr) return;
  POINT point{};
  shell.queryPoint(drop, &point);
  std::vector<std::string> paths;
  const UINT count = shell.queryFile(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(static_cast<std::size_t>(shell.queryFile(drop, i, nullptr, 0)) + 1, L'\0');
    path.resize(shell.queryFile(drop, i, path.data(), static_cast<UINT>(path.size())));
    // A name code page 932 cannot hold names no file once converted: its short form stands in,
    // and without one it is left out.
    if (std::optional<std::string> sjis = SjisPathFromWide(path)) paths.push_back(std::move(*sjis));
  }
  shell.finish(drop);
  listener_.GridDropFiles(RowAt(metrics_, top_, point.y), paths);
}

void SlotGridControl::WatchPointer(int y) {
  const int32_t row = RowAt(metrics_, top_, y);
  if (row != hoverRow_) {
    // Another row: its hint waits until the pointer rests again.
    HideTip();
    hoverRow_ = row;
  }
  // Asked again at every move: the hover is where the pointer comes to rest, and a watch asked
  // for while the system still placed the pointer elsewhere (a move it had not caught up with
  // under load) is dropped without a word.
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_HOVER | TME_LEAVE;
  track.hwndTrack = Handle();
  track.dwHoverTime = HOVER_DEFAULT;
  TrackMouseEvent(&track);
}

void SlotGridControl::OnMouseHover(int x, int y) {
  const int32_t row = RowAt(metrics_, top_, y);
  if (row < 1 || row == tipRow_) return;
  // A hover that comes after a key opened a dialog: the window is disabled under it.
  if (IsWindowEnabled(GetAncestor(Handle(), GA_ROOT)) == 0) return;
  const std::optional<std::string> hint = listener_.GridHint(row);
  if (!hint) return;
  if (tip_ == nullptr) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, Handle(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (tip_ == nullptr) return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every version of the control accepts
    // Transparent: a pointer that moves on onto the hint still moves over the grid, which
    // then hides the hint of the row it left.
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = Handle();
    tool.uId = kTipId;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    FitTipToDpi();
  }
  SetTipText(*hint);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = kTipId;

  // Below the row, or above it near the bottom of the screen: never over the row itself.
  POINT rowTop{x, RowTop(metrics_, top_, row)};
  POINT rowBottom{x, rowTop.y + metrics_.rowHeight};
  ClientToScreen(Handle(), &rowTop);
  ClientToScreen(Handle(), &rowBottom);
  const LRESULT size = SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromPoint(rowBottom, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const TipPlace place = PlaceTip(rowTop.x, rowTop.y, rowBottom.y, LOWORD(size), HIWORD(size),
                                  work.left, work.top, work.right, work.bottom);
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(place.left, place.top));
  SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  tipRow_ = row;
}

void SlotGridControl::SetTipText(const std::string& hint) {
  std::wstring text = WideFromSjis(hint);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = kTipId;
  tool.lpszText = text.data();
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SlotGridControl::RefreshTip() {
  if (tip_ == nullptr || tipRow_ < 0) return;
  const std::optional<std::string> hint = listener_.GridHint(tipRow_);
  if (hint) {
    SetTipText(*hint);
  } else {
    HideTip();
  }
}

void SlotGridControl::FitTipToDpi() {
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scale(kTipMaxWidth, static_cast<int32_t>(dpi_)));
  SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.Font(dpi_)), FALSE);
}

void SlotGridControl::HideTip() {
  if (tip_ == nullptr || tipRow_ < 0) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = kTipId;
  SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  tipRow_ = -1;
}

bool SlotGridControl::OnKeyDown(WPARAM key) {
  GridKey move{};
  switch (key) {
    case VK_UP: move = GridKey::Up; break;
    case VK_DOWN: move = GridKey::Down; break;
    case VK_PRIOR: move = GridKey::PageUp; break;
    case VK_NEXT: move = GridKey::PageDown; break;
    case VK_HOME: move = GridKey::Home; break;
    case VK_END: move = GridKey::End; break;
    default: return false;
  }
  MoveCursor(RowAfterKey(metrics_, move, cursor_.Current()), GetKeyState(VK_SHIFT) < 0);
  return true;
}

void SlotGridControl::MoveCursor(int32_t row, bool extend) {
  cursor_.MoveTo(row, extend);
  ScrollTo(TopRowShowing(metrics_, top_, cursor_.Current()));
  Repaint();
}

void SlotGridControl::ScrollTo(int32_t top) {
  const int32_t clamped = ClampTopRow(metrics_, top);
  if (clamped == top_) return;
  top_ = clamped;
  UpdateScrollBar();
  Repaint();
}

void SlotGridControl::UpdateScrollBar() {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 1;
  info.nMax = kGridRows - 1;
  info.nPage = static_cast<UINT>(PageRows(metrics_));
  info.nPos = top_;
  SetScrollInfo(Handle(), SB_VERT, &info, IsWindowVisible(Handle()));
}

}  // namespace tabvane
