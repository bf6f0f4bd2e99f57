// The controls of model/controls.h and ui/controls.h on Win32 controls, and the container
// windows.
#include "ui/win32/controls.h"

#include <commctrl.h>

#include <string_view>
#include <utility>

#include "host/win32/exe_path.h"
#include "host/win32/wide.h"
#include "text/texts.h"

namespace tabvane {
namespace {

constexpr wchar_t kContainerClass[] = L"TabvaneContainer";

constexpr int kStripIdBase = 300;  // TabControl1 .. TabControl6: 300 .. 305
constexpr int kGridIdBase = 310;   // StringGrid1 .. StringGrid6: 310 .. 315

// SetWindowTheme of uxtheme from the system folder: uxtheme is not one of the DLLs the system
// always takes from there, so an import of it would be looked for beside the exe first.
void ClassicTheme(HWND hwnd) {
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const SetWindowThemeFn setTheme = [] {
    const HMODULE dll = LoadSystemDll(L"uxtheme.dll");
    return dll == nullptr ? SetWindowThemeFn{nullptr}
                          : reinterpret_cast<SetWindowThemeFn>(
                                reinterpret_cast<void*>(GetProcAddress(dll, "SetWindowTheme")));
  }();
  if (setTheme != nullptr) setTheme(hwnd, L" ", L" ");
}

// An index the control's messages take, or -1 when it is outside 0..count-1.
WPARAM IndexOrNone(int32_t index, int32_t count) {
  return static_cast<WPARAM>(index >= 0 && index < count ? index : -1);
}

}  // namespace

// ---- Container ----

bool Container::Create(HWND parent, HWND notifyTarget, HBRUSH background, int x, int y,
                       int width, int height, bool shown) {
  RegisterClassOnce(kContainerClass, 0, nullptr);
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
  // Its page's whole client area, in pixels already.
  hwnd_ = CreateControl(parent, font, USER_DEFAULT_SCREEN_DPI,
                        {.kind = WC_TABCONTROLW,
                         .place = {0, 0, width, height},
                         .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_SINGLELINE |
                                  TCS_TABS,
                         .id = id});
  if (hwnd_ == nullptr) return false;
  // Classic tabs, as Windows draws them for a program without visual styles. Wine styles them
  // all the same, and its styled tab control asks the X server where the mouse is on every
  // tab that goes in: two thirds of the requests a fill makes.
  ClassicTheme(hwnd_);
  return true;
}

void TabStripControl::SetFont(HFONT font) {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (tabsChanged_) tabsChanged_();
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

bool TabSheet::Create(HWND parent, HWND notifyTarget, int index, const Look& look, UINT dpi,
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
  if (!grid_.Create(Handle(), kGridIdBase + index, dpi)) return false;
  if (!strip_.Create(Handle(), kStripIdBase + index, look.Font(dpi), width, height,
                     [this] { PlaceGrid(); })) {
    return false;
  }
  PlaceGrid();
  return true;
}

void TabSheet::SetDpi(const Look& look, UINT dpi) {
  grid_.SetDpi(dpi);
  strip_.SetFont(look.Font(dpi));  // places the grid below the tabs' new height
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

bool PageControlWindows::Create(HWND parent, int id, const Look& look, UINT dpi,
                                const RECT& place) {
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  // The place is in pixels already: made at the DPI that keeps them.
  tabs_ = CreateControl(parent, look.SidewaysFont(dpi), USER_DEFAULT_SCREEN_DPI,
                        {.kind = WC_TABCONTROLW,
                         .place = {place.left, place.top, width, height},
                         .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | TCS_VERTICAL |
                                  TCS_MULTILINE | TCS_TABS,
                         .id = id});
  if (tabs_ == nullptr) return false;
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    std::wstring caption = WideFromSjis(texts::kPageCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  const RECT display = DisplayArea(width, height);
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (!sheets_[i]->Create(tabs_, parent, static_cast<int>(i), look, dpi, display)) return false;
  }
  return true;
}

void PageControlWindows::SetDpi(const Look& look, UINT dpi) {
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(look.SidewaysFont(dpi)), TRUE);
  for (auto& sheet : sheets_) sheet->SetDpi(look, dpi);
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
    // A hidden page's grid keeps no hint on the screen.
    if (static_cast<int32_t>(i) != active) sheets_[i]->Grid().HideTip();
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

namespace {

// ComboBox1 with its list dropped down; the closed list is as high as the design's place.
constexpr ControlArgs kComboBox1 = {
    .kind = WC_COMBOBOXW,
    .place = {design::kComboBox1.left, design::kComboBox1.top, design::kComboBox1.width,
              design::kComboDropHeight},
    .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};

}  // namespace

bool ComboBoxControl::Create(HWND parent, int id, HFONT font, UINT dpi, int width) {
  // Made at its width: under Wine every resize of it costs as much again as making it.
  ControlArgs args = kComboBox1;
  args.id = id;
  args.place = ScalePlace(kComboBox1.place, static_cast<int32_t>(dpi));
  args.place.width = width;
  hwnd_ = CreateControl(parent, font, USER_DEFAULT_SCREEN_DPI, args);
  if (hwnd_ == nullptr) return false;
  height_ = ScalePlace(design::kComboBox1, static_cast<int32_t>(dpi)).height;
  dropHeight_ = args.place.height;
  FitHeight();
  return true;
}

void ComboBoxControl::SetWidth(int width) {
  // Under Wine a resize of the list costs about a hundred requests to the server.
  RECT current{};
  GetWindowRect(hwnd_, &current);
  if (current.right - current.left == width) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, dropHeight_,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitHeight();  // Wine gives the field the font's height again on every resize
}

void ComboBoxControl::SetDpi(HFONT font, UINT dpi) {
  height_ = ScalePlace(design::kComboBox1, static_cast<int32_t>(dpi)).height;
  dropHeight_ = ScalePlace(kComboBox1.place, static_cast<int32_t>(dpi)).height;
  // The new font gives the field its own height: the correction FitHeight made belongs to the
  // old one.
  PlaceControl(hwnd_, font, dpi, kComboBox1);
  FitHeight();
}

void ComboBoxControl::FitHeight() {
  // The closed list has the design's height: its selection field takes up what the font gives
  // more or less than that. Wine reads the field's height back 2 pixels higher than it was set,
  // so the field is corrected by what the control's own height shows, not by the value read
  // back.
  LRESULT field = SendMessageW(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed{};
    GetWindowRect(hwnd_, &closed);
    const LONG excess = closed.bottom - closed.top - height_;
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

namespace {

// ListBox1: never shown and no tab stop.
constexpr ControlArgs kListBox1 = {.kind = WC_LISTBOXW, .place = design::kListBox1,
                                   .style = LBS_NOINTEGRALHEIGHT};

}  // namespace

bool TextListControl::Create(HWND parent, int id, HFONT font, UINT dpi) {
  ControlArgs args = kListBox1;
  args.id = id;
  hwnd_ = CreateControl(parent, font, dpi, args);
  return hwnd_ != nullptr;
}

void TextListControl::SetDpi(HFONT font, UINT dpi) { PlaceControl(hwnd_, font, dpi, kListBox1); }

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
