// The controls of model/controls.h on real Win32 windows: what code sets runs no change handler,
// the grid's mouse and keys move its cursor and range as the user expects, the timer's idle
// interval, the main window at a change of DPI, and window bounds while minimized or off every
// monitor.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <optional>
#include <cstring>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "host/win32/wide.h"
#include "ui/win32/controls.h"
#include "ui/dpi.h"
#include "ui/win32/look.h"
#include "ui/win32/main_form.h"
#include "ui/win32/slot_grid_control.h"
#include "ui/win32/window.h"

namespace tabvane {
namespace {

// A hidden parent that counts the notifications its children send.
class Recorder : public Window {
 public:
  bool Create() {
    RegisterClassOnce(L"TabvaneTestRecorder", 0, nullptr);
    return Window::Create({.className = L"TabvaneTestRecorder",
                           .style = WS_POPUP | WS_CLIPCHILDREN,
                           .width = 500,
                           .height = 600});
  }
  int notifications = 0;
  int selectionChanges = 0;
  int ticks = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) ++notifications;
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) ++selectionChanges;
    if (message == WM_TIMER && wParam == WindowTimer::kId) ++ticks;
    return Window::HandleMessage(message, wParam, lParam);
  }
};

class CountingListener : public GridListener {
 public:
  int doubleClicks = 0;
  int contextMenus = 0;
  std::vector<std::pair<int32_t, std::vector<std::string>>> drops;
  void GridDblClick() override { ++doubleClicks; }
  void GridContextMenu() override { ++contextMenus; }
  void GridDropFiles(int32_t row, const std::vector<std::string>& paths) override {
    drops.emplace_back(row, paths);
  }
  std::optional<std::string> GridHint(int32_t) override { return std::nullopt; }
};

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

void SetShift(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    ASSERT_TRUE(parent.Create());
  }
  Look look;
  Recorder parent;
};

// The centre of the name cell of a slot row while row `top` is the first one shown.
LPARAM NameCell(int row, int top = 1) { return MAKELPARAM(40, 2 + (row - top) * 25 + 12); }
constexpr LPARAM kKeyColumnRow9 = MAKELPARAM(8, 2 + 8 * 25 + 12);

TEST_F(ControlsTest, GridCursorAndRangeFollowMouseAndKeys) {
  CountingListener listener;
  SlotGridControl grid(look, listener);
  ASSERT_TRUE(grid.Create(parent.Handle(), 1, 96));
  grid.SetNameColumnWidth(300);
  // 392 pixels of client height: 15 whole rows, the last top row is 22.
  MoveWindow(grid.Handle(), 0, 0, 350, 396, FALSE);
  const HWND g = grid.Handle();

  struct Step {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool shift;
    int current, top, bottom, doubleClicks, contextMenus;
  };
  const std::vector<Step> steps = {
      {"click row 3", WM_LBUTTONDOWN, 0, NameCell(3), false, 3, 3, 3, 0, 0},
      {"release", WM_LBUTTONUP, 0, NameCell(3), false, 3, 3, 3, 0, 0},
      {"shift+click row 6", WM_LBUTTONDOWN, MK_SHIFT, NameCell(6), false, 6, 3, 6, 0, 0},
      {"release", WM_LBUTTONUP, 0, NameCell(6), false, 6, 3, 6, 0, 0},
      {"click on the key column", WM_LBUTTONDOWN, 0, kKeyColumnRow9, false, 6, 3, 6, 0, 0},
      {"right button down", WM_RBUTTONDOWN, MK_RBUTTON, NameCell(10), false, 6, 3, 6, 0, 0},
      {"right button up: context menu", WM_RBUTTONUP, 0, NameCell(10), false, 6, 3, 6, 0, 1},
      {"double click row 2", WM_LBUTTONDBLCLK, 0, NameCell(2), false, 2, 2, 2, 1, 1},
      {"release", WM_LBUTTONUP, 0, NameCell(2), false, 2, 2, 2, 1, 1},
      {"double click on the key column", WM_LBUTTONDBLCLK, 0, kKeyColumnRow9, false, 2, 2, 2, 2,
       1},
      {"shift+down", WM_KEYDOWN, VK_DOWN, 0, true, 3, 2, 3, 2, 1},
      {"shift+page down", WM_KEYDOWN, VK_NEXT, 0, true, 18, 2, 18, 2, 1},
      {"up", WM_KEYDOWN, VK_UP, 0, false, 17, 17, 17, 2, 1},
      {"end", WM_KEYDOWN, VK_END, 0, false, 36, 36, 36, 2, 1},
      {"shift+home", WM_KEYDOWN, VK_HOME, 0, true, 1, 1, 36, 2, 1},
      {"drag from row 2", WM_LBUTTONDOWN, 0, NameCell(2), false, 2, 2, 2, 2, 1},
      {"over row 5", WM_MOUSEMOVE, MK_LBUTTON, NameCell(5), false, 5, 2, 5, 2, 1},
      {"back over row 1", WM_MOUSEMOVE, MK_LBUTTON, NameCell(1), false, 1, 1, 2, 2, 1},
      {"release", WM_LBUTTONUP, 0, NameCell(1), false, 1, 1, 2, 2, 1},
      {"no drag without the button", WM_MOUSEMOVE, 0, NameCell(8), false, 1, 1, 2, 2, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    SetShift(s.shift);
    SendMessageW(g, s.message, s.wParam, s.lParam);
    SetShift(false);
    EXPECT_EQ(grid.CurrentRow(), s.current);
    EXPECT_EQ(grid.Selection().top, s.top);
    EXPECT_EQ(grid.Selection().bottom, s.bottom);
    EXPECT_EQ(listener.doubleClicks, s.doubleClicks);
    EXPECT_EQ(listener.contextMenus, s.contextMenus);
  }
}

TEST_F(ControlsTest, GridScrollingMovesTheRowsUnderThePointer) {
  CountingListener listener;
  SlotGridControl grid(look, listener);
  ASSERT_TRUE(grid.Create(parent.Handle(), 1, 96));
  MoveWindow(grid.Handle(), 0, 0, 350, 396, FALSE);
  const HWND g = grid.Handle();

  struct Step {
    const char* what;
    UINT message;
    WPARAM wParam;
    int top;  // the row a click on the first shown row then reaches
  };
  const std::vector<Step> steps = {
      {"three lines down", WM_VSCROLL, SB_LINEDOWN, 2},
      {"", WM_VSCROLL, SB_LINEDOWN, 3},
      {"", WM_VSCROLL, SB_LINEDOWN, 4},
      {"a page down", WM_VSCROLL, SB_PAGEDOWN, 19},
      {"to the bottom", WM_VSCROLL, SB_BOTTOM, 22},
      {"never past the bottom", WM_VSCROLL, SB_LINEDOWN, 22},
      {"wheel up one notch", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 19},
      {"to the top", WM_VSCROLL, SB_TOP, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    SendMessageW(g, s.message, s.wParam, 0);
    SendMessageW(g, WM_LBUTTONDOWN, 0, NameCell(1));
    SendMessageW(g, WM_LBUTTONUP, 0, NameCell(1));
    EXPECT_EQ(grid.CurrentRow(), s.top);
  }
  // A key that moves the cursor out of sight scrolls it back in: row 36 after End shows at the
  // bottom, so the first shown row is 22.
  SendMessageW(g, WM_KEYDOWN, VK_END, 0);
  SendMessageW(g, WM_LBUTTONDOWN, 0, NameCell(1));
  EXPECT_EQ(grid.CurrentRow(), 22);
}

// A WM_DROPFILES as the shell makes it: a DROPFILES block in movable global memory with the
// point and the wide paths, each ended by a zero and the list by another. (Wine does not carry
// such a handle to another process, so the drop is sent from within.)
HGLOBAL DropHandle(POINT point, const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  const std::size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = point;
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
              list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

TEST_F(ControlsTest, GridTakesDroppedFilesWithTheRowUnderThePoint) {
  CountingListener listener;
  SlotGridControl grid(look, listener);
  ASSERT_TRUE(grid.Create(parent.Handle(), 1, 96));
  MoveWindow(grid.Handle(), 0, 0, 300, 400, FALSE);
  EXPECT_NE(GetWindowLongPtrW(grid.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  // Row 4 lies at 2 + 3 * 25 .. the heading row at 0; 表示 ends in the byte 0x5C; a name code
  // page 932 cannot hold is left out.
  SendMessageW(grid.Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropHandle(
                   {40, 2 + 3 * 25 + 12}, {L"C:\\a.bat", L"D:\\\u8868\u793A\\b.cmd", L"C:\\\u00E9.bat"})),
               0);
  SendMessageW(grid.Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropHandle({40, 0}, {L"C:\\a.bat"})), 0);
  ASSERT_EQ(listener.drops.size(), 2u);
  EXPECT_EQ(listener.drops[0].first, 4);
  EXPECT_EQ(listener.drops[0].second,
            (std::vector<std::string>{"C:\\a.bat", "D:\\\x95\x5C\x8E\xA6\\b.cmd"}));
  EXPECT_EQ(listener.drops[1].first, 0);
}

TEST_F(ControlsTest, GridCellsOutsideTheGridAreIgnored) {
  CountingListener listener;
  SlotGridControl grid(look, listener);
  ASSERT_TRUE(grid.Create(parent.Handle(), 1, 96));
  grid.SetCell(1, 36, "\x96\xB3\x8E\x77\x92\xE8");  // 無指定
  grid.SetCell(3, 1, "x");
  grid.SetCell(0, 37, "x");
  grid.SetCell(-1, 0, "x");
  EXPECT_EQ(grid.Cell(1, 36), "\x96\xB3\x8E\x77\x92\xE8");
  EXPECT_EQ(grid.Cell(3, 1), "");
  EXPECT_EQ(grid.Cell(0, 37), "");
}

TEST_F(ControlsTest, TabsAndPagesSetFromCodeNotifyNobody) {
  CountingListener listener;
  PageControlWindows pages(look, listener);
  ASSERT_TRUE(pages.Create(parent.Handle(), 200, look, 96, {0, 0, 371, 416}));
  TabStrip& strip = pages.Sheet(0).Strip();

  EXPECT_EQ(strip.SelectedTab(), -1);
  strip.SetTabs({"\x8A\x4F\x95\x94", "b", "c"});  // 外部
  EXPECT_EQ(strip.SelectedTab(), 0);              // the first tab is selected
  strip.SelectTab(2);
  EXPECT_EQ(strip.SelectedTab(), 2);
  strip.SelectTab(3);  // out of range: unchanged
  strip.SelectTab(-1);
  EXPECT_EQ(strip.SelectedTab(), 2);
  EXPECT_EQ(strip.TabCount(), 3);
  strip.SetTabs({});
  EXPECT_EQ(strip.TabCount(), 0);
  EXPECT_EQ(strip.SelectedTab(), -1);

  const std::vector<std::pair<int32_t, int32_t>> pageCases = {
      {3, 3}, {5, 5}, {0, 0}, {6, -1}, {-2, -1}, {4, 4}};
  for (const auto& [set, active] : pageCases) {
    SCOPED_TRACE(set);
    pages.SetActivePage(set);
    EXPECT_EQ(pages.ActivePage(), active);
    for (std::size_t i = 0; i < kPageCount; ++i) {
      // The page's own visibility: the hidden parent makes IsWindowVisible false for all.
      const LONG_PTR style = GetWindowLongPtrW(pages.Sheet(i).Handle(), GWL_STYLE);
      EXPECT_EQ((style & WS_VISIBLE) != 0, static_cast<int32_t>(i) == active) << "page " << i;
    }
  }
  Pump(50);
  EXPECT_EQ(parent.notifications, 0);
}

// The tabs of a hidden page wait outside the control until the page is shown or code reads
// them, and then end up as wide as their captions, exactly as tabs the control takes one by one,
// with the grid below the tab row.
TEST_F(ControlsTest, TabsOfAHiddenPageComeInWhenShownOrRead) {
  const std::vector<std::vector<std::string_view>> cases = {
      {"a"},
      {"\x8A\x4F\x95\x94", "a much longer caption than the fixed width", "b"},  // 外部
      std::vector<std::string_view>(40, "caption"),
  };
  const auto inControl = [](const TabStripControl& strip) {
    return SendMessageW(strip.Handle(), TCM_GETITEMCOUNT, 0, 0);
  };
  for (const auto& captions : cases) {
    SCOPED_TRACE(captions.size());
    CountingListener listener;
    PageControlWindows pages(look, listener);
    ASSERT_TRUE(pages.Create(parent.Handle(), 200, look, 96, {0, 0, 371, 416}));
    pages.SetActivePage(0);
    TabStripControl& plain = pages.Sheet(0).Strip();
    for (std::size_t i = 0; i < captions.size(); ++i) {
      std::wstring text = WideFromSjis(captions[i]);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text.data();
      SendMessageW(plain.Handle(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    TabStripControl& shown = pages.Sheet(1).Strip();
    TabStripControl& read = pages.Sheet(2).Strip();
    shown.SetTabs(captions);
    read.SetTabs(captions);
    EXPECT_EQ(inControl(shown), 0);
    EXPECT_EQ(inControl(read), 0);
    pages.SetActivePage(1);
    EXPECT_EQ(inControl(shown), static_cast<LRESULT>(captions.size()));
    EXPECT_EQ(SendMessageW(shown.Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(read.SelectedTab(), 0);
    EXPECT_EQ(inControl(read), static_cast<LRESULT>(captions.size()));
    for (std::size_t i = 0; i < captions.size(); ++i) {
      RECT want{}, got{};
      SendMessageW(plain.Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&want));
      SendMessageW(shown.Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&got));
      EXPECT_TRUE(EqualRect(&want, &got) != 0) << "tab " << i << ": " << got.left << ".."
                                               << got.right << " not " << want.left << ".."
                                               << want.right;
    }
    for (const std::size_t page : {1u, 2u}) {
      RECT grid{}, firstTab{};
      GetWindowRect(pages.Sheet(page).Grid().Handle(), &grid);
      MapWindowPoints(nullptr, pages.Sheet(page).Handle(), reinterpret_cast<POINT*>(&grid), 2);
      SendMessageW(pages.Sheet(page).Strip().Handle(), TCM_GETITEMRECT, 0,
                   reinterpret_cast<LPARAM>(&firstTab));
      EXPECT_GE(grid.top, firstTab.bottom) << "page " << page;
    }
  }
}

TEST_F(ControlsTest, ComboKeepsTextsAndSelectionWithoutNotifying) {
  ComboBoxControl combo;
  ASSERT_TRUE(combo.Create(parent.Handle(), 102, look.Font(96), 96, 300));
  RECT closed{};
  GetWindowRect(combo.Handle(), &closed);
  EXPECT_EQ(closed.bottom - closed.top, 21);
  EXPECT_EQ(closed.right - closed.left, 300);

  const std::string noTarget = "\x96\xB3\x8E\x77\x92\xE8";  // 無指定
  const std::string host = "a.jww - jw_win  \x81\x7C 1234";
  combo.AddItem(noTarget);
  combo.AddItem(host);
  combo.Select(1);
  combo.SetItem(1, host + "5");  // the selected item keeps its selection
  EXPECT_EQ(combo.Selected(), 1);
  EXPECT_EQ(combo.Item(1), host + "5");
  EXPECT_EQ(combo.Item(0), noTarget);
  combo.SetItem(0, "x");
  EXPECT_EQ(combo.Selected(), 1);
  EXPECT_EQ(combo.Item(2), "");
  combo.Select(2);  // out of range: no selection
  EXPECT_EQ(combo.Selected(), -1);
  combo.Clear();
  EXPECT_EQ(combo.Count(), 0);
  EXPECT_EQ(combo.Selected(), -1);
  Pump(50);
  EXPECT_EQ(parent.selectionChanges, 0);

  TextListControl list;
  ASSERT_TRUE(list.Create(parent.Handle(), 103, look.Font(96), 96));
  list.Add(noTarget);
  list.Add("");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(0), noTarget);
  EXPECT_EQ(list.Item(1), "");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ControlsTest, TimerWithoutIntervalStaysIdle) {
  WindowTimer timer;
  timer.Attach(parent.Handle());
  timer.Start(0);
  EXPECT_TRUE(timer.Running());
  Pump(150);
  EXPECT_EQ(parent.ticks, 0);
  timer.Start(-5);
  Pump(100);
  EXPECT_EQ(parent.ticks, 0);
  timer.Start(10);
  Pump(200);
  EXPECT_GT(parent.ticks, 0);
  timer.Stop();
  EXPECT_FALSE(timer.Running());
  Pump(30);  // a tick already queued may still arrive
  const int ticks = parent.ticks;
  Pump(150);
  EXPECT_EQ(parent.ticks, ticks);
}

RECT InParent(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Wine gives every monitor the system's DPI and so never sends WM_DPICHANGED. Sent here, it
// moves the main window to the suggested bounds and gives Panel1, Button1 and the page tabs
// the new DPI's places and fonts; and back again.
TEST_F(ControlsTest, MainWindowFollowsAChangeOfDpi) {
  MainForm form(look);
  ASSERT_TRUE(form.Create());
  const HWND main = form.Handle();
  const HWND panel = FindWindowExW(main, nullptr, L"TabvaneContainer", nullptr);
  const HWND button1 = FindWindowExW(panel, nullptr, WC_BUTTONW, nullptr);
  const HWND pages = FindWindowExW(main, nullptr, WC_TABCONTROLW, nullptr);
  ASSERT_NE(button1, nullptr);
  ASSERT_NE(pages, nullptr);
  RECT start{};
  GetWindowRect(main, &start);
  for (const int32_t dpi : {144, 120, 96}) {
    SCOPED_TRACE(dpi);
    RECT suggested{start.left + 10, start.top + 5, 0, 0};
    suggested.right = suggested.left + Scale(kMainDesignBounds.width, dpi);
    suggested.bottom = suggested.top + Scale(kMainDesignBounds.height, dpi);
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), dpi);
    RECT now{};
    GetWindowRect(main, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(InParent(panel).bottom, Scale(design::kPanelHeight, dpi));
    const Place place = ScalePlace(design::kButton1, dpi);
    const RECT button = InParent(button1);
    EXPECT_EQ((Place{button.left, button.top, button.right - button.left,
                     button.bottom - button.top}),
              place);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button1, WM_GETFONT, 0, 0)),
              look.Font(static_cast<UINT>(dpi)));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(pages, WM_GETFONT, 0, 0)),
              look.SidewaysFont(static_cast<UINT>(dpi)));
  }
}

class Frame : public Window {
 public:
  bool Create() {
    RegisterClassOnce(L"TabvaneTestFrame", 0, nullptr);
    return Window::Create({.className = L"TabvaneTestFrame",
                           .style = WS_OVERLAPPEDWINDOW,
                           .x = 100,
                           .y = 80,
                           .width = 300,
                           .height = 200});
  }
};

TEST(WindowBounds, RestoredWhileMinimizedAndShiftedOntoAMonitor) {
  Frame frame;
  ASSERT_TRUE(frame.Create());
  const HWND hwnd = frame.Handle();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  EXPECT_EQ(OuterBounds(hwnd), (Bounds{100, 80, 300, 200}));
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_EQ(OuterBounds(hwnd), (Bounds{100, 80, 300, 200}));
  ShowWindow(hwnd, SW_RESTORE);

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  struct Case {
    Bounds wanted, placed;
  };
  const std::vector<Case> cases = {
      // Its title bar within reach on a monitor, even partly or with negative coordinates: as
      // it is.
      {{-50, 0, 300, 200}, {-50, 0, 300, 200}},
      {{work.right - 150, 40, 300, 200}, {work.right - 150, 40, 300, 200}},
      // On no monitor, or only a sliver of its title bar: inside the nearest work area, its
      // size kept.
      {{work.right - 10, 40, 300, 200}, {work.right - 300, 40, 300, 200}},
      {{100, work.top - 190, 300, 200}, {100, work.top, 300, 200}},
      {{work.right + 500, 40, 300, 200}, {work.right - 300, 40, 300, 200}},
      {{-5000, -5000, 300, 200}, {work.left, work.top, 300, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wanted.left << "," << c.wanted.top);
    PlaceOnScreen(hwnd, c.wanted, true);
    EXPECT_EQ(OuterBounds(hwnd), c.placed);
  }
  // A dialog's place keeps its size.
  PlaceOnScreen(hwnd, {10, 20, 1, 1}, false);
  EXPECT_EQ(OuterBounds(hwnd), (Bounds{10, 20, 300, 200}));
}

}  // namespace
}  // namespace tabvane
