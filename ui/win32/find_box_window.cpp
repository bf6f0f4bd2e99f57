// The find box's window: its field, its list of rows given on demand, and the keys of the field.
#include "ui/win32/find_box_window.h"

#include <commctrl.h>

#include <algorithm>

#include "host/win32/swallowed.h"
#include "host/win32/wide.h"
#include "text/texts.h"
#include "ui/dpi.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneFind";
constexpr int kEditId = 100;
constexpr int kListId = 101;

}  // namespace

bool FindBoxWindow::Make() {
  RegisterClassOnce(kClassName, 0, look_.FormBrush());
  // A tool window takes no place in the taskbar or the task switcher; it stays above its owner as
  // the owner stays above every other window.
  if (!Window::Create({.className = kClassName,
                       .style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN,
                       .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                       .parent = main_.Handle()})) {
    return false;
  }
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  edit_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
                      0, 0, Handle(), reinterpret_cast<HMENU>(kEditId), instance, nullptr);
  // A virtual list: the rows are asked for when they are drawn, so that a filter that finds
  // thousands of slots costs the list nothing.
  list_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                          LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                      0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kListId), instance, nullptr);
  if (edit_ == nullptr || list_ == nullptr) return false;
  SetWindowSubclass(edit_, &FindBoxWindow::EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(edit_, EM_SETCUEBANNER, TRUE,
               reinterpret_cast<LPARAM>(WideFromSjis(texts::kFindCue).c_str()));
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessageW(list_, LVM_SETBKCOLOR, 0, kCellColour);
  SendMessageW(list_, LVM_SETTEXTBKCOLOR, 0, kCellColour);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  return true;
}

void FindBoxWindow::Open(std::string_view text) {
  if (Handle() == nullptr && !Make()) return;
  dpi_ = static_cast<UINT>(main_.Dpi());
  const RECT place = main_.FindBoxPlace(Scale(design::kFindBoxHeight, main_.Dpi()));
  SetWindowPos(Handle(), HWND_TOPMOST, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOACTIVATE);
  Layout();
  opening_ = true;
  SetWindowTextSjis(edit_, text);
  opening_ = false;
  ShowWindow(Handle(), SW_SHOW);
  SetFocus(edit_);
  SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void FindBoxWindow::Close() {
  ShowWindow(Handle(), SW_HIDE);
  SetActiveWindow(main_.Handle());
  main_.FocusGrid();
}

std::string FindBoxWindow::Text() const { return WindowTextSjis(edit_); }

void FindBoxWindow::SetRowCount(int32_t count) {
  SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
  InvalidateRect(list_, nullptr, TRUE);
}

int32_t FindBoxWindow::SelectedRow() const {
  return static_cast<int32_t>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void FindBoxWindow::SelectRow(int32_t row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (row < 0) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int32_t FindBoxWindow::RowsPerPage() const {
  return std::max<int32_t>(static_cast<int32_t>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)), 1);
}

void FindBoxWindow::Layout() {
  const auto scaled = [this](int32_t value) { return Scale(value, static_cast<int32_t>(dpi_)); };
  RECT client{};
  GetClientRect(Handle(), &client);
  const int margin = scaled(design::kFindMargin);
  const int width = std::max<int>(client.right - 2 * margin, 0);
  const int editHeight = scaled(design::kFindEditHeight);
  const int listTop = margin + editHeight + margin;
  const HFONT font = look_.Font(dpi_);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  MoveWindow(edit_, margin, margin, width, editHeight, TRUE);
  MoveWindow(list_, margin, listTop, width, std::max<int>(client.bottom - listTop - margin, 0),
             TRUE);
  // The one column, the last, fills the list's width.
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
}

LRESULT FindBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE && !opening_ &&
          box_ != nullptr) {
        box_->EditChange();
      }
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLOREDIT:
      return ControlColour(reinterpret_cast<HDC>(wParam), kCellColour, look_.CellBrush());
    case WM_ACTIVATE:
      // A click outside, or another program in front: the box goes, and takes nothing along.
      if (LOWORD(wParam) == WA_INACTIVE) ShowWindow(Handle(), SW_HIDE);
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

LRESULT FindBoxWindow::OnNotify(NMHDR& header) {
  if (header.hwndFrom != list_ || box_ == nullptr) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(&header)->item;
      if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        const std::wstring text = WideFromSjis(box_->RowText(item.iItem));
        const std::size_t length =
            std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::copy_n(text.begin(), length, item.pszText);
        item.pszText[length] = L'\0';
      }
      return 0;
    }
    case NM_CUSTOMDRAW: {
      // The chosen row in the colours of a selection with the focus, which stays in the field: the
      // list would draw it pale.
      auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(&header);
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
          static_cast<int32_t>(draw.nmcd.dwItemSpec) == SelectedRow()) {
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
      }
      return CDRF_DODEFAULT;
    }
    case NM_DBLCLK:
      if (SelectedRow() >= 0) box_->ListDblClick();
      return 0;
    case NM_CLICK:
      SetFocus(edit_);  // a row chosen with the mouse; the typing goes on in the field
      return 0;
    default:
      return 0;
  }
}

LRESULT CALLBACK FindBoxWindow::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR self) noexcept {
  auto* window = reinterpret_cast<FindBoxWindow*>(self);
  try {
    if (message == WM_KEYDOWN && window->box_ != nullptr &&
        window->box_->KeyDown(static_cast<uint16_t>(wParam), GetKeyState(VK_SHIFT) < 0)) {
      return 0;
    }
    // Enter and Esc did their work at key-down; the field would only beep at them.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B)) return 0;
  } catch (...) {
    ReportSwallowed("the find box's field");
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &FindBoxWindow::EditProc, 0);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace tabvane
