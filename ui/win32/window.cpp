// The window and dialog bases, and the text and bounds helpers every window shares.
#include "ui/win32/window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/win32/swallowed.h"
#include "host/win32/wide.h"
#include "ui/placement.h"
#include "ui/win32/gdi.h"
#include "ui/win32/monitor_dpi.h"

namespace tabvane {

Window::~Window() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// No class icon: each top-level window gets the icons of its DPI as it is made.
void Window::RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &Window::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassExW(&wc);  // fails harmlessly when the class exists already
}

bool Window::Create(const CreateArgs& args) {
  // cppcheck-suppress ignoredReturnValue ; the handle is stored on WM_NCCREATE, cleared on WM_NCDESTROY
  CreateWindowExW(args.exStyle, args.className, args.text, args.style, args.x, args.y,
                  args.width, args.height, args.parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                  GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ReportSwallowed("the window procedure");
    result = DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

Dialog::~Dialog() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

namespace {

// What WM_INITDIALOG needs besides the object: the position to apply.
struct DialogInit {
  Dialog* dialog;
  Position position;
};

}  // namespace

void Dialog::Prepare(HWND owner, std::wstring_view caption, const Position& position,
                     const Place& client) {
  owner_ = owner;
  caption_ = caption;
  position_ = position;
  client_ = client;
}

bool Dialog::MakeWindow() {
  // An empty template: no menu, the default class, no title and no controls. The controls are
  // created at pixel positions in CreateControls, so the dialog's font units play no part. A
  // caption with the system menu and a minimize box, as both dialogs have.
  struct alignas(4) {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
  } emptyTemplate{};
  emptyTemplate.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  DialogInit init{this, position_};
  CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &emptyTemplate.head, owner_,
                             &Dialog::Proc, reinterpret_cast<LPARAM>(&init));
  if (hwnd_ == nullptr) return false;
  SetWindowTextW(hwnd_, caption_.c_str());
  return true;
}

void Dialog::RunModal() {
  if (hwnd_ == nullptr && !MakeWindow()) return;
  // A hidden dialog may have been moved to a monitor of another DPI without being told.
  if (const UINT dpi = WindowDpi(hwnd_); dpi != dpi_) FitToDpi(dpi);
  if (!controlsMade_) {
    controlsMade_ = true;
    // The icons too wait for the first showing: most runs never open a dialog.
    look_.SetIcons(hwnd_, dpi_);
    CreateControls();
  }
  OnShow();
  KeepOnScreen(hwnd_);  // its monitor may have gone since it last showed
  const HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner != nullptr) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  if (pendingFocus_ != nullptr) FocusControl(pendingFocus_);
  modal_ = true;
  MSG msg{};
  while (modal_ && hwnd_ != nullptr) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the program's own loop
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  modal_ = false;
  // The owner is enabled before the dialog hides, so that it, not some other program, is
  // activated next.
  if (owner != nullptr) EnableWindow(owner, TRUE);
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

void Dialog::FocusControl(HWND control) {
  if (!IsWindowVisible(hwnd_)) {
    pendingFocus_ = control;
    return;
  }
  pendingFocus_ = nullptr;
  // WM_NEXTDLGCTL also moves the default button's frame and selects an edit field's text.
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  SendMessageW(control, EM_SETSEL, 0, -1);
}

void Dialog::MakeControls(std::span<const ControlArgs> table) {
  table_ = table;
  controls_.clear();
  const HFONT font = look_.Font(dpi_);
  for (const ControlArgs& control : table) {
    controls_.push_back(CreateControl(hwnd_, font, dpi_, control));
  }
}

void Dialog::FitToDpi(UINT dpi) {
  dpi_ = dpi;
  const Place client = ScalePlace(client_, static_cast<int32_t>(dpi));
  const SIZE outer = OuterSize(client.width, client.height,
                               static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                               static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (controlsMade_) look_.SetIcons(hwnd_, dpi);
  const HFONT font = look_.Font(dpi);
  for (std::size_t i = 0; i < controls_.size() && i < table_.size(); ++i) {
    PlaceControl(controls_[i], font, dpi, table_[i]);
  }
}

Position Dialog::DialogPosition() const {
  if (hwnd_ == nullptr) return position_;
  const Bounds bounds = OuterBounds(hwnd_);
  const MonitorScale scale = ScaleOfWindow(hwnd_);
  return UnscalePosition({bounds.left, bounds.top}, scale.dpi, scale.origin);
}

void Dialog::SetDialogPosition(const Position& position) {
  if (hwnd_ == nullptr) {
    position_ = position;
    return;
  }
  Bounds bounds = OuterBounds(hwnd_);
  const int32_t dpi = static_cast<int32_t>(dpi_);
  const MonitorScale scale = ScaleAt(
      {position.left, position.top, Unscale(bounds.width, dpi), Unscale(bounds.height, dpi)});
  const Position corner = ScalePosition(position, scale.dpi, scale.origin);
  bounds.left = corner.left;
  bounds.top = corner.top;
  PlaceOnScreen(hwnd_, bounds, false);
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Dialog* self = nullptr;
  const DialogInit* init = nullptr;
  if (message == WM_INITDIALOG) {
    init = reinterpret_cast<const DialogInit*>(lParam);
    self = init->dialog;
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (self == nullptr) return FALSE;

  INT_PTR result = FALSE;
  try {
    if (init != nullptr) {
      // The dialog scales itself: the dialog manager's own scaling would move the controls a
      // second time.
      TakeOverDialogScaling(hwnd);
      self->FitToDpi(WindowDpi(hwnd));
      self->SetDialogPosition(init->position);
      // FALSE: the dialog stays hidden and sets its own focus when it is shown.
    } else if (message == WM_DPICHANGED) {
      // The suggested rectangle's corner, and the size of the client area at the new DPI.
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      self->FitToDpi(HIWORD(wParam));
      result = TRUE;
    } else {
      result = self->HandleMessage(message, wParam, lParam);
    }
  } catch (...) {
    ReportSwallowed("the dialog procedure");
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    self->position_ = self->DialogPosition();  // still asked for after the window is gone
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->modal_ = false;
  }
  return result;
}

namespace {

// The place of a control made from args at dpi; a label as wide as its text at least.
Place ControlPlace(HWND parent, HFONT font, UINT dpi, const ControlArgs& args,
                   std::wstring_view text) {
  Place place = ScalePlace(args.place, static_cast<int32_t>(dpi));
  if (args.kind != nullptr && std::wstring_view(args.kind) == WC_STATICW) {
    SIZE extent{};
    if (const WindowDC dc(parent); dc.Get() != nullptr) {
      const SelectedObject selected(dc.Get(), font);
      GetTextExtentPoint32W(dc.Get(), text.data(), static_cast<int>(text.size()), &extent);
    }
    place.width = std::max<int32_t>(place.width, extent.cx);
  }
  return place;
}

}  // namespace

HWND CreateControl(HWND parent, HFONT font, UINT dpi, const ControlArgs& args) {
  const std::wstring text = WideFromSjis(args.text);
  const Place place = ControlPlace(parent, font, dpi, args, text);
  const HWND control = CreateWindowExW(
      args.exStyle, args.kind, text.c_str(), args.style | WS_CHILD, place.left, place.top,
      place.width, place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
      GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr && font != nullptr) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return control;
}

void PlaceControl(HWND control, HFONT font, UINT dpi, const ControlArgs& args) {
  if (control == nullptr) return;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  MoveTo(control, ControlPlace(GetParent(control), font, dpi, args, WideFromSjis(args.text)));
  InvalidateRect(control, nullptr, TRUE);
}

void MoveTo(HWND window, const Place& place) {
  MoveWindow(window, place.left, place.top, place.width, place.height, TRUE);
}

std::string WindowTextSjis(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return SjisFromWide(text);
}

void SetWindowTextSjis(HWND hwnd, std::string_view text) {
  SetWindowTextW(hwnd, WideFromSjis(text).c_str());
}

Bounds OuterBounds(HWND hwnd) {
  RECT r{};
  if (IsIconic(hwnd)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(hwnd, &placement)) {
      r = placement.rcNormalPosition;
      // The restored bounds of a window without WS_EX_TOOLWINDOW come in workspace
      // coordinates, which start at the work area's corner rather than the screen's.
      if ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &info)) {
          OffsetRect(&r, info.rcWork.left - info.rcMonitor.left,
                     info.rcWork.top - info.rcMonitor.top);
        }
      }
    }
  } else {
    GetWindowRect(hwnd, &r);
  }
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

namespace {

// Bounds as a screen rectangle; the far edges of a hand-edited file's numbers stay in range.
RECT ScreenRect(const Bounds& bounds) {
  const auto edge = [](int32_t start, int32_t length) {
    return static_cast<LONG>(std::clamp<int64_t>(int64_t{start} + length, INT32_MIN, INT32_MAX));
  };
  return {bounds.left, bounds.top, edge(bounds.left, bounds.width),
          edge(bounds.top, bounds.height)};
}

// Adds the monitor's work area to the std::vector<ScreenArea> at data.
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, RECT*, LPARAM data) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& work = info.rcWork;
  try {
    reinterpret_cast<std::vector<ScreenArea>*>(data)->push_back(
        {work.left, work.top, work.right, work.bottom});
  } catch (...) {
    return FALSE;  // out of memory: the areas so far
  }
  return TRUE;
}

}  // namespace

void PlaceOnScreen(HWND hwnd, const Bounds& bounds, bool resize) {
  std::vector<ScreenArea> workAreas;
  EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&workAreas));
  // The title bar and the frame above the client area, as the window has them now.
  RECT window{};
  POINT client{0, 0};
  int titleHeight = 0;
  if (!IsIconic(hwnd) && GetWindowRect(hwnd, &window) && ClientToScreen(hwnd, &client)) {
    titleHeight = client.y - window.top;
  }
  if (titleHeight <= 0) titleHeight = GetSystemMetrics(SM_CYCAPTION);
  const Bounds placed = KeepTitleBarReachable(bounds, titleHeight, workAreas);
  // A window already there is left alone: at start-up the stored bounds are mostly where the
  // window was made, and each move costs a round trip to the server under Wine.
  const Bounds current = OuterBounds(hwnd);
  if (!IsIconic(hwnd) && current.left == placed.left && current.top == placed.top &&
      (!resize || (current.width == placed.width && current.height == placed.height))) {
    return;
  }
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!resize) flags |= SWP_NOSIZE;
  SetWindowPos(hwnd, nullptr, placed.left, placed.top, placed.width, placed.height, flags);
}

void KeepOnScreen(HWND hwnd) {
  if (hwnd != nullptr && !IsIconic(hwnd)) PlaceOnScreen(hwnd, OuterBounds(hwnd), false);
}

namespace {

MonitorScale ScaleOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return {};
  return {static_cast<int32_t>(MonitorDpi(monitor)), {info.rcMonitor.left, info.rcMonitor.top}};
}

// The monitor whose rectangle in 96-dpi numbers overlaps wanted most.
struct MonitorSearch {
  RECT wanted;
  HMONITOR best = nullptr;
  int64_t bestArea = 0;
};

BOOL CALLBACK OverlapMost(HMONITOR monitor, HDC, RECT* pixels, LPARAM data) {
  auto* search = reinterpret_cast<MonitorSearch*>(data);
  const Bounds design = UnscaleBounds(
      {pixels->left, pixels->top, pixels->right - pixels->left, pixels->bottom - pixels->top},
      static_cast<int32_t>(MonitorDpi(monitor)), {pixels->left, pixels->top});
  const RECT area = ScreenRect(design);
  RECT common{};
  if (IntersectRect(&common, &area, &search->wanted)) {
    const int64_t size = int64_t{common.right - common.left} * (common.bottom - common.top);
    if (size > search->bestArea) {
      search->best = monitor;
      search->bestArea = size;
    }
  }
  return TRUE;
}

}  // namespace

MonitorScale ScaleOfWindow(HWND hwnd) {
  return ScaleOf(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

MonitorScale ScaleAt(const Bounds& bounds) {
  MonitorSearch search{ScreenRect(bounds)};
  EnumDisplayMonitors(nullptr, nullptr, &OverlapMost, reinterpret_cast<LPARAM>(&search));
  if (search.best == nullptr) {
    search.best = MonitorFromRect(&search.wanted, MONITOR_DEFAULTTONEAREST);
  }
  return ScaleOf(search.best);
}

}  // namespace tabvane
