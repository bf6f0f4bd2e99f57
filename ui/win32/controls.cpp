// The controls of model/controls.h and ui/controls.h on Win32 controls, and the container
// windows.
#include "ui/win32/controls.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <string_view>
#include <utility>

#include "host/win32/wide.h"

namespace tabvane {
namespace {

constexpr wchar_t kContainerClass[] = L"TabvaneContainer";

// Captions of the six pages: "ﾌｧｲﾙ", "編集", "作図", "設定", "その他", "フリー".
constexpr std::array<std::string_view, 6> kPageCaptions = {
    "\xCC\xA7\xB2\xD9",
    "\x95\xD2\x8F\x57",
    "\x8D\xEC\x90\x7D",
    "\x90\xDD\x92\xE8",
    "\x82\xBB\x82\xCC\x91\xBC",
    "\x83\x74\x83\x8A\x81\x5B",
};

constexpr int kStripIdBase = 300;  // TabControl1 .. TabControl6: 300 .. 305
constexpr int kGridIdBase = 310;   // StringGrid1 .. StringGrid6: 310 .. 315
constexpr int kComboHeight = 21;       // the selector's height with its list closed
constexpr int kComboDropHeight = 200;  // and with its list dropped down

// An index the control's messages take, or -1 when it is outside 0..count-1.
WPARAM IndexOrNone(int32_t index, int32_t count) {
  return static_cast<WPARAM>(index >= 0 && index < count ? index : -1);
}

}  // namespace

// ---- Container ----

bool Container::Create(HWND parent, HWND notifyTarget, HBRUSH background, int x, int y,
                       int width, int height, bool shown) {
  RegisterClassOnce(kContainerClass, 0, nullptr, nullptr);
  notifyTarget_ = notifyTarget;
  background_ = background;
  return Window::Create({.className = kContainerClass,
                         .style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                  (shown ? DWORD{WS_VISIBLE} : DWORD{0}),
                         .parent = parent,
                         .x = x,
                         .y = y,
                         .width = width,
                         .height = height});
}

LRESULT Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
      return 1;
    }
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return SendMessageW(notifyTarget_, message, wParam, lParam);
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

void Container::OnSize(int, int) {}

// ---- TabStripControl ----

bool TabStripControl::Create(HWND parent, int id, HFONT font, int width, int height,
                             std::function<void()> tabsChanged) {
  tabsChanged_ = std::move(tabsChanged);
  hwnd_ = CreateControl(parent, font,
                        {.kind = WC_TABCONTROLW,
                         .width = width,
                         .height = height,
                         .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_SINGLELINE |
                                  TCS_TABS,
                         .id = id});
  if (hwnd_ == nullptr) return false;
  // Classic tabs, as Windows draws them for a program without visual styles. Wine styles them
  // all the same, and its styled tab control asks the X server where the mouse is on every
  // tab that goes in: two thirds of the requests a fill makes.
  SetWindowTheme(hwnd_, L" ", L" ");
  return true;
}

void TabStripControl::SetTabs(const std::vector<std::string_view>& captions) {
  if (SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0) > 0) {
    SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
    if (tabsChanged_) tabsChanged_();
  }
  waiting_.assign(captions.begin(), captions.end());
  // The strip of a page on show must never paint without its tabs.
  if ((GetWindowLongPtrW(GetParent(hwnd_), GWL_STYLE) & WS_VISIBLE) != 0) Fill();
}

void TabStripControl::Fill() const {
  if (waiting_.empty()) return;
  const std::vector<std::string> captions = std::move(waiting_);
  waiting_.clear();
  // The tabs go in at a fixed width: a control that lays out every tab again on each insert
  // (Wine's measures every caption) then does not measure n captions n times.
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style | TCS_FIXEDWIDTH);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    std::wstring text = WideFromSjis(captions[i]);
    item.pszText = text.data();
    SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  // The first tab is the selected one, as the control makes it on Windows.
  if (SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0) < 0) SendMessageW(hwnd_, TCM_SETCURSEL, 0, 0);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style & ~LONG_PTR{TCS_FIXEDWIDTH});
  // The font again makes every version of the control measure the captions now.
  SendMessageW(hwnd_, WM_SETFONT, static_cast<WPARAM>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)),
               TRUE);
  if (tabsChanged_) tabsChanged_();
}

int32_t TabStripControl::TabCount() const {
  Fill();
  return static_cast<int32_t>(SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0));
}

int32_t TabStripControl::SelectedTab() const {
  Fill();
  return static_cast<int32_t>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
}

void TabStripControl::SelectTab(int32_t index) {
  if (index < 0 || index >= TabCount()) return;
  SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// ---- TabSheet ----

bool TabSheet::Create(HWND parent, HWND notifyTarget, int index, const Look& look,
                      const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (!Container::Create(parent, notifyTarget, GetSysColorBrush(COLOR_BTNFACE), area.left,
                         area.top, width, height, false)) {
    return false;
  }
  // The grid lies over the strip's display area: above it in the z-order, which the strip's
  // WS_CLIPSIBLINGS keeps it from painting over. A child window made later lies below those
  // made before it, so the grid comes first.
  if (!grid_.Create(Handle(), kGridIdBase + index)) return false;
  if (!strip_.Create(Handle(), kStripIdBase + index, look.Font(), width, height,
                     [this] { PlaceGrid(); })) {
    return false;
  }
  PlaceGrid();
  return true;
}

void TabSheet::OnSize(int width, int height) {
  MoveWindow(strip_.Handle(), 0, 0, width, height, TRUE);
  PlaceGrid();
}

void TabSheet::PlaceGrid() {
  RECT display{};
  GetClientRect(strip_.Handle(), &display);
  SendMessageW(strip_.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  MoveWindow(grid_.Handle(), display.left, display.top, display.right - display.left,
             display.bottom - display.top, TRUE);
}

// ---- PageControlWindows ----

PageControlWindows::PageControlWindows(const Look& look, GridListener& listener) {
  for (auto& sheet : sheets_) sheet = std::make_unique<TabSheet>(look, listener);
}

bool PageControlWindows::Create(HWND parent, int id, const Look& look, int x, int y, int width,
                                int height) {
  tabs_ = CreateControl(parent, look.SidewaysFont(),
                        {.kind = WC_TABCONTROLW,
                         .x = x,
                         .y = y,
                         .width = width,
                         .height = height,
                         .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | TCS_VERTICAL |
                                  TCS_MULTILINE | TCS_TABS,
                         .id = id});
  if (tabs_ == nullptr) return false;
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    std::wstring caption = WideFromSjis(kPageCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  const RECT display = DisplayArea(width, height);
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (!sheets_[i]->Create(tabs_, parent, static_cast<int>(i), look, display)) return false;
  }
  return true;
}

RECT PageControlWindows::DisplayArea(int width, int height) const {
  RECT display{0, 0, width, height};
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  return display;
}

void PageControlWindows::Layout(int x, int y, int width, int height) {
  MoveWindow(tabs_, x, y, width, height, TRUE);
  const RECT display = DisplayArea(width, height);
  for (auto& sheet : sheets_) {
    MoveWindow(sheet->Handle(), display.left, display.top, display.right - display.left,
               display.bottom - display.top, TRUE);
  }
}

void PageControlWindows::ShowActivePage() {
  const HWND focus = GetFocus();
  const int32_t active = ActivePage();
  if (active >= 0) sheets_[static_cast<std::size_t>(active)]->Strip().Fill();
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    ShowWindow(sheets_[i]->Handle(), static_cast<int32_t>(i) == active ? SW_SHOW : SW_HIDE);
  }
  // The keys must not go on to a control of a page that was just hidden.
  if (focus != nullptr && !IsWindowVisible(focus) && active >= 0) {
    SetFocus(sheets_[static_cast<std::size_t>(active)]->Grid().Handle());
  }
}

int32_t PageControlWindows::ActivePage() const {
  return static_cast<int32_t>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
}

void PageControlWindows::SetActivePage(int32_t page) {
  SendMessageW(tabs_, TCM_SETCURSEL, IndexOrNone(page, static_cast<int32_t>(sheets_.size())), 0);
  ShowActivePage();
}

namespace {

// Text of item index of a combo box or list box (their length and text messages), Shift-JIS.
std::string ItemTextSjis(HWND control, int32_t index, UINT lengthMessage, UINT textMessage) {
  const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(control, textMessage, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return SjisFromWide(text);
}

}  // namespace

// ---- ComboBoxControl ----

bool ComboBoxControl::Create(HWND parent, int id, int x, int y, int width, HFONT font) {
  hwnd_ = CreateControl(parent, font,
                        {.kind = WC_COMBOBOXW, .x = x, .y = y, .width = width,
                         .height = kComboDropHeight,
                         .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                         .id = id});
  if (hwnd_ == nullptr) return false;
  FitHeight();
  return true;
}

void ComboBoxControl::SetWidth(int width) {
  // Under Wine a resize of the list costs about a hundred requests to the server.
  RECT current{};
  GetWindowRect(hwnd_, &current);
  if (current.right - current.left == width) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, kComboDropHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitHeight();  // Wine gives the field the font's height again on every resize
}

void ComboBoxControl::FitHeight() {
  // The closed list is 21 pixels high: its selection field takes up what the font gives more
  // or less than that. Wine reads the field's height back 2 pixels higher than it was set, so
  // the field is corrected by what the control's own height shows, not by the value read back.
  LRESULT field = SendMessageW(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed{};
    GetWindowRect(hwnd_, &closed);
    const LONG excess = closed.bottom - closed.top - kComboHeight;
    if (excess == 0 || field <= excess) break;
    field -= excess;
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void ComboBoxControl::Clear() { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }

void ComboBoxControl::AddItem(std::string_view text) {
  SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromSjis(text).c_str()));
}

void ComboBoxControl::SetItem(int32_t index, std::string_view text) {
  if (index < 0 || index >= Count()) return;
  const int32_t selected = Selected();
  SendMessageW(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(WideFromSjis(text).c_str()));
  if (selected == index) Select(index);
}

int32_t ComboBoxControl::Count() const {
  return static_cast<int32_t>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
}

std::string ComboBoxControl::Item(int32_t index) const {
  if (index < 0 || index >= Count()) return {};
  return ItemTextSjis(hwnd_, index, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int32_t ComboBoxControl::Selected() const {
  return static_cast<int32_t>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
}

void ComboBoxControl::Select(int32_t index) {
  SendMessageW(hwnd_, CB_SETCURSEL, IndexOrNone(index, Count()), 0);
}

// ---- TextListControl ----

bool TextListControl::Create(HWND parent, int id, HFONT font) {
  // (286, -2), 33 x 25, never shown and no tab stop.
  hwnd_ = CreateControl(parent, font,
                        {.kind = WC_LISTBOXW, .x = 286, .y = -2, .width = 33, .height = 25,
                         .style = LBS_NOINTEGRALHEIGHT, .id = id});
  return hwnd_ != nullptr;
}

void TextListControl::Clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

void TextListControl::Add(std::string_view text) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromSjis(text).c_str()));
}

int32_t TextListControl::Count() const {
  return static_cast<int32_t>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
}

std::string TextListControl::Item(int32_t index) const {
  if (index < 0 || index >= Count()) return {};
  return ItemTextSjis(hwnd_, index, LB_GETTEXTLEN, LB_GETTEXT);
}

// ---- WindowTimer ----

void WindowTimer::Stop() {
  if (window_ != nullptr) KillTimer(window_, kId);
  running_ = false;
}

void WindowTimer::Start(int32_t intervalMs) {
  running_ = true;
  if (window_ == nullptr) return;
  if (intervalMs <= 0) {
    // On but idle: no tick ever comes.
    KillTimer(window_, kId);
    return;
  }
  // SetTimer on a running id starts its countdown afresh.
  SetTimer(window_, kId, static_cast<UINT>(intervalMs), nullptr);
}

}  // namespace tabvane
