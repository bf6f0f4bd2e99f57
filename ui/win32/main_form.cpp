// The main window: layout of Panel1 and PageControl1, the routing of its messages to TForm1's
// handlers (the end of the session and the system menu's detection view among them), the key
// preview and the focus kept across deactivation.
#include "ui/win32/main_form.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <array>
#include <memory>
#include <thread>

#include "host/win32/swallowed.h"
#include "host/win32/wide.h"
#include "host/win32/win32_files.h"
#include "model/command_list.h"
#include "tabvane_version.h"
#include "text/texts.h"
#include "ui/dpi.h"
#include "ui/focus_order.h"
#include "ui/win32/monitor_dpi.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneMain";
constexpr wchar_t kCaption[] = L"Tabvane Ver." TABVANE_VERSION_TEXT;
constexpr int kComboBox1Id = 102;
constexpr int kListBox1Id = 103;
constexpr int kPageControl1Id = 200;
constexpr ControlArgs kButton1 = {.kind = WC_BUTTONW,
                                  .place = design::kButton1,
                                  .text = texts::kSettings,
                                  .style = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  .id = 101};
// The system menu's item that opens the detection view, texts::kDetectionItem. System menu ids
// leave the low four bits to the system.
constexpr UINT kDetectionCommand = 0x0110;
// Posted by Show, handled after the first paint.
constexpr UINT kFinishStartMessage = WM_APP + 1;
// Posted by a file check's thread with a FileAnswer it hands over.
constexpr UINT kFileCheckedMessage = WM_APP + 2;

struct FileAnswer {
  std::string path;
  bool exists = false;
};

// PageControl1's rectangle in a client area: below Panel1, all the rest.
RECT PagesArea(const RECT& client, int panelHeight) {
  return {0, panelHeight, client.right, std::max<LONG>(client.bottom, panelHeight)};
}

// The common controls keep brushes of the system's colours: a top-level window passes the
// change on to them.
BOOL CALLBACK TellColoursChanged(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

MainForm::MainForm(const Look& look) : look_(look), pages_(look, *this), detection_(look) {}

MainForm::~MainForm() {
  // Before the members go: the window's last messages still reach the timer, and the
  // application window, a member, would otherwise destroy this one as its owner.
  if (Handle() != nullptr) DestroyWindow(Handle());
}

bool MainForm::Create() {
  if (!app_.Create(look_)) return false;
  RegisterClassOnce(kClassName, 0, look_.FormBrush());
  const MonitorScale scale = ScaleAt(kMainDesignBounds);
  const Bounds bounds = ScaleBounds(kMainDesignBounds, scale.dpi, scale.origin);
  // Owned by the application window: the taskbar shows that one's title, not this caption.
  if (!Window::Create({.className = kClassName,
                       .text = kCaption,
                       .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       .exStyle = WS_EX_TOPMOST,
                       .parent = app_.Handle(),
                       .x = bounds.left,
                       .y = bounds.top,
                       .width = bounds.width,
                       .height = bounds.height})) {
    return false;
  }
  const HWND hwnd = Handle();
  app_.Attach(hwnd);
  dpi_ = WindowDpi(hwnd);
  look_.SetIcon(hwnd, dpi_, ICON_SMALL);  // the title bar's, in the first frame
  if (const HMENU menu = GetSystemMenu(hwnd, FALSE); menu != nullptr) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kDetectionCommand, WideFromSjis(texts::kDetectionItem).c_str());
  }

  RECT client{};
  GetClientRect(hwnd, &client);
  const HFONT font = look_.Font(dpi_);
  if (!panel_.Create(hwnd, hwnd, look_.FormBrush(), 0, 0, client.right, PanelHeight())) {
    return false;
  }
  button1_ = CreateControl(panel_.Handle(), font, dpi_, kButton1);
  if (button1_ == nullptr) return false;
  if (!combo_.Create(panel_.Handle(), kComboBox1Id, font, dpi_,
                     ComboBox1Width(client.right, static_cast<int32_t>(dpi_)))) {
    return false;
  }
  if (!list_.Create(panel_.Handle(), kListBox1Id, font, dpi_)) return false;
  // Every window is made at its place, so no layout has to move them.
  if (!pages_.Create(hwnd, kPageControl1Id, look_, dpi_, PagesArea(client, PanelHeight()))) {
    return false;
  }
  timer_.Attach(hwnd);
  laidOut_ = {client.right, client.bottom};
  return true;
}

void MainForm::FinishStart() {
  app_.SetIcons();
  look_.SetIcon(Handle(), dpi_, ICON_BIG);
  // Nothing in this window takes text: the input method stays off in all of it, so that a
  // composed character never reaches a control past the key preview.
  ImmAssociateContextEx(Handle(), nullptr, IACE_CHILDREN);
}

MainControls MainForm::Controls() {
  std::array<TabStrip*, kPageCount> strips{};
  std::array<SlotGrid*, kPageCount> grids{};
  for (std::size_t i = 0; i < strips.size(); ++i) {
    strips[i] = &pages_.Sheet(i).Strip();
    grids[i] = &pages_.Sheet(i).Grid();
  }
  return MainControls{pages_, strips, grids, combo_, list_, timer_};
}

void MainForm::Attach(TForm1& form) {
  form_ = &form;
  // Panel1 has had its size since the window was made: its resize handler runs once now.
  form_->Panel1Resize();
}

void MainForm::Show(int showCommand) {
  PostMessageW(Handle(), kFinishStartMessage, 0, 0);
  if (form_ != nullptr) form_->FormShow();
  if (showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED ||
      showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_FORCEMINIMIZE) {
    app_.Minimize(showCommand);
    return;
  }
  ShowWindow(Handle(), showCommand);
  UpdateWindow(Handle());
  FocusGrid();
}

bool MainForm::PreviewKey(const MSG& msg) {
  if (form_ == nullptr || Handle() == nullptr) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR) {
    return false;
  }
  if (GetAncestor(msg.hwnd, GA_ROOT) != Handle()) return false;
  if (msg.message == WM_CHAR) {
    // Characters are single bytes to the logic; anything beyond ASCII runs nothing and is
    // consumed all the same.
    if (msg.wParam >= 0x80) return true;
    return form_->FormKeyPress(static_cast<uint32_t>(msg.wParam));
  }
  return form_->FormKeyDown(static_cast<uint16_t>(msg.wParam), GetKeyState(VK_CONTROL) < 0);
}

bool MainForm::MoveFocusOnTab(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0) {
    return false;
  }
  if (GetAncestor(msg.hwnd, GA_ROOT) != Handle()) return false;
  // The tab order: Button1, ComboBox1, the page tabs, then the active page's tab strip and
  // grid. The pages lie inside the page tabs' control, so the dialog manager's order, which
  // follows the z-order, cannot give this one.
  TabSheet& sheet = pages_.Sheet(static_cast<std::size_t>(PageSlotIndex(pages_.ActivePage())));
  const std::array<HWND, 5> order = {button1_, combo_.Handle(), pages_.Handle(),
                                     sheet.Strip().Handle(), sheet.Grid().Handle()};
  const auto current = std::find(order.begin(), order.end(), GetFocus());
  const int32_t next = NextInTabOrder(
      current == order.end() ? -1 : static_cast<int32_t>(current - order.begin()),
      static_cast<int32_t>(order.size()), GetKeyState(VK_SHIFT) < 0, [&](int32_t i) {
        const HWND control = order[static_cast<std::size_t>(i)];
        return IsWindowVisible(control) && IsWindowEnabled(control);
      });
  if (next >= 0) {
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(order[static_cast<std::size_t>(next)]);
  }
  return true;
}

void MainForm::SetCaption(std::string_view text) { SetWindowTextSjis(Handle(), text); }

// The taskbar entry is minimized, not this window: it hides, and so keeps its restored bounds
// as its window rectangle.
void MainForm::Minimize() { app_.Minimize(); }

Bounds MainForm::GetBounds() const {
  const MonitorScale scale = ScaleOfWindow(Handle());
  return UnscaleBounds(OuterBounds(Handle()), scale.dpi, scale.origin);
}

void MainForm::SetBounds(const Bounds& bounds) {
  const MonitorScale scale = ScaleAt(bounds);
  placing_ = true;
  PlaceOnScreen(Handle(), ScaleBounds(bounds, scale.dpi, scale.origin), true);
  placing_ = false;
}

int32_t MainForm::TabControl1ClientWidth() const {
  RECT client{};
  GetClientRect(pages_.Sheet(0).Strip().Handle(), &client);
  return client.right;
}

int32_t MainForm::Panel1ClientWidth() const {
  RECT client{};
  GetClientRect(panel_.Handle(), &client);
  return client.right;
}

void MainForm::SetComboWidth(int32_t width) { combo_.SetWidth(width); }

bool MainForm::AskRetrySave(std::string_view question) {
  return MessageBoxW(Handle(), WideFromSjis(question).c_str(), L"Tabvane",
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON1) == IDYES;
}

void MainForm::SetNameColumnWidth(int32_t width) {
  for (std::size_t i = 0; i < kPageCount; ++i) pages_.Sheet(i).Grid().SetNameColumnWidth(width);
}

LRESULT MainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Layout();
      return 0;
    case kFinishStartMessage:
      FinishStart();
      return 0;
    case kFileCheckedMessage:
      OnFileChecked(lParam);
      return 0;
    case WM_SYSCOLORCHANGE:
      look_.ReadContrast();
      OnColoursChanged();
      return 0;
    case WM_SETTINGCHANGE:
      if (look_.ReadContrast()) OnColoursChanged();
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
      if (wParam == WindowTimer::kId && timer_.Running() && form_ != nullptr) form_->Timer1Timer();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // ComboBox1, its list and ListBox1.
      return ControlColour(reinterpret_cast<HDC>(wParam), look_.CellColour(), look_.CellBrush());
    case WM_SYSCOMMAND:
      // The minimize box and the system menu minimize the taskbar entry.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return 0;
      }
      if ((wParam & 0xFFF0) == kDetectionCommand) {
        if (form_ != nullptr) form_->ShowDetectionView();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (HIWORD(wParam) == 0) {  // not while minimized
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (form_ != nullptr) form_->FormClose();
      DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // the session may end: the end itself saves
    case WM_ENDSESSION:
      // Logoff, shutdown or restart, whatever the reason: the process ends after this.
      if (wParam != FALSE && form_ != nullptr) form_->FormEndSession();
      return 0;
    case WM_DESTROY:
      timer_.Stop();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void MainForm::CheckFileLater(const std::string& path) {
  const HWND window = Handle();
  try {
    // A thread of its own, left to end by itself: a share that is gone holds it for tens of
    // seconds, or until the process ends.
    std::thread([window, path] {
      try {
        Win32Files files;
        auto answer = std::make_unique<FileAnswer>(FileAnswer{path, files.FileExists(path)});
        if (PostMessageW(window, kFileCheckedMessage, 0,
                         reinterpret_cast<LPARAM>(answer.get())) != 0) {
          answer.release();  // the window owns it now
        }
      } catch (...) {
        ReportSwallowed("a file check");
      }
    }).detach();
  } catch (...) {
    // No thread to be had: the hint keeps showing the path without the claim.
    ReportSwallowed("starting a file check");
  }
}

void MainForm::OnColoursChanged() {
  EnumChildWindows(Handle(), &TellColoursChanged, 0);
  SetClassLongPtrW(Handle(), GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(look_.FormBrush()));
  panel_.SetBackground(look_.FormBrush());
  RedrawWindow(Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void MainForm::OnFileChecked(LPARAM answer) {
  const std::unique_ptr<FileAnswer> owned(reinterpret_cast<FileAnswer*>(answer));
  if (form_ == nullptr) return;
  form_->FileChecked(owned->path, owned->exists);
  pages_.Sheet(static_cast<std::size_t>(PageSlotIndex(pages_.ActivePage()))).Grid().RefreshTip();
}

void MainForm::GridDblClick() {
  if (form_ != nullptr) form_->StringGrid1DblClick();
}

void MainForm::GridContextMenu() {
  if (form_ != nullptr) form_->StringGrid1ContextPopup();
}

void MainForm::GridDropFiles(int32_t row, const std::vector<std::string>& paths) {
  if (form_ != nullptr) form_->StringGridDropFiles(row, paths);
}

std::optional<std::string> MainForm::GridHint(int32_t row) {
  return form_ != nullptr ? form_->StringGridHint(row) : std::nullopt;
}

RECT MainForm::FindBoxPlace(int height) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  POINT corner{0, PanelHeight()};
  ClientToScreen(Handle(), &corner);
  return {corner.x, corner.y, corner.x + client.right, corner.y + height};
}

void MainForm::FocusGrid() {
  SetFocus(pages_.Sheet(static_cast<std::size_t>(PageSlotIndex(pages_.ActivePage())))
               .Grid()
               .Handle());
}

int MainForm::PanelHeight() const { return Scale(design::kPanelHeight, Dpi()); }

void MainForm::Layout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  // Under Wine every move asks the server, moved or not; showing the window sends WM_SIZE.
  if (client.right == laidOut_.cx && client.bottom == laidOut_.cy) return;
  const bool newWidth = client.right != laidOut_.cx;
  if (panel_.Handle() != nullptr) laidOut_ = {client.right, client.bottom};
  const int panelHeight = PanelHeight();
  MoveWindow(panel_.Handle(), 0, 0, client.right, panelHeight, TRUE);
  const RECT pages = PagesArea(client, panelHeight);
  pages_.Layout(pages.left, pages.top, pages.right - pages.left, pages.bottom - pages.top);
  // Panel1's resize handler runs after the pages have their new size, since it reads
  // TabControl1's width.
  if (form_ != nullptr && newWidth) form_->Panel1Resize();
}

void MainForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
  const HWND hwnd = Handle();
  dpi_ = dpi;
  look_.SetIcons(hwnd, dpi);
  const HFONT font = look_.Font(dpi);
  PlaceControl(button1_, font, dpi, kButton1);
  combo_.SetDpi(font, dpi);
  list_.SetDpi(font, dpi);
  pages_.SetDpi(look_, dpi);
  // SetBounds placed the window for its new monitor's DPI already: the suggestion, made from
  // the old DPI's size, would scale it twice.
  if (!placing_) {
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Everything is placed again, and Panel1's resize rule has numbers of the new DPI, whether or
  // not the size changed.
  laidOut_ = {-1, -1};
  Layout();
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainForm::OnCommand(int id, int code) {
  if (form_ == nullptr) return;
  if (id == kButton1.id && code == BN_CLICKED) form_->Button1Click();
  if (id == kComboBox1Id && code == CBN_SELCHANGE) form_->ComboBox1Select();
}

LRESULT MainForm::OnNotify(const NMHDR& header) {
  if (form_ == nullptr || header.code != TCN_SELCHANGE) return 0;
  if (header.hwndFrom == pages_.Handle()) {
    pages_.ShowActivePage();
    form_->PageControl1Change();
    return 0;
  }
  for (std::size_t i = 0; i < kPageCount; ++i) {
    if (header.hwndFrom == pages_.Sheet(i).Strip().Handle()) {
      form_->TabControlChange(static_cast<int32_t>(i));
      break;
    }
  }
  return 0;
}

void MainForm::OnActivate(bool active) {
  const HWND hwnd = Handle();
  if (!active) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd, focus)) savedFocus_ = focus;
    return;
  }
  // Back from a dialog or another program: the control that had the focus gets it again, or
  // the visible grid when that control is gone or hidden.
  if (savedFocus_ != nullptr && IsChild(hwnd, savedFocus_) && IsWindowVisible(savedFocus_)) {
    SetFocus(savedFocus_);
  } else {
    FocusGrid();
  }
}

}  // namespace tabvane
