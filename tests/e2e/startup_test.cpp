// Tabvane.exe started beside the stand-in host: caption, stay-on-top, bounds and host list with
// and without a settings file, the bounds kept at close, edits kept through a kill and the end
// of the session, one copy per folder, the taskbar entry, and the window's colours on screen.
#include <gtest/gtest.h>

#include "host/win32/wide.h"
#include "tests/e2e/rig.h"

namespace tabvane::e2e {
namespace {

// Main window bounds as "left top width height": of the settings, of a window's outer
// rectangle, and of lines 1 to 4 of a settings file.
std::string BoundsText(const Settings& s) {
  return std::to_string(s.left) + " " + std::to_string(s.top) + " " + std::to_string(s.width) +
         " " + std::to_string(s.height);
}

std::string BoundsText(const RECT& r) {
  return BoundsText(Settings{r.left, r.top, r.right - r.left, r.bottom - r.top});
}

std::string SavedBoundsText(const std::string& dat) {
  return Line(dat, 1).value_or("?") + " " + Line(dat, 2).value_or("?") + " " +
         Line(dat, 3).value_or("?") + " " + Line(dat, 4).value_or("?");
}

TEST(E2eStartup, CaptionBoundsAndHostListFollowTheSettingsFile) {
  struct Case {
    const char* name;
    std::optional<Settings> settings;
    Settings expectedBounds;
    std::string_view firstItem;
    int selected;  // edit mode selects item 0 even with a host listed
  };
  const Case cases[] = {
      {"no settings file", std::nullopt, Settings{}, kEditModeItem, 0},
      {"file, edit mode off", Settings{150, 90, 420, 520, 3000, false}, Settings{150, 90, 420, 520},
       kNoneItem, 1},
      {"file, edit mode on", Settings{230, 60, 400, 470, 3000, true}, Settings{230, 60, 400, 470},
       kEditModeItem, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig(c.settings);
    rig.StartHost();
    rig.StartTabvane();
    const HWND main = rig.Main();
    EXPECT_EQ(drv::WindowText(main), kStartCaption);
    EXPECT_NE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not stay-on-top";
    EXPECT_EQ(BoundsText(drv::WindowRect(main)), BoundsText(c.expectedBounds));
    EXPECT_EQ(rig.ComboItems(),
              (std::vector<std::string>{std::string(c.firstItem), rig.HostEntry()}));
    EXPECT_EQ(drv::ComboSelection(rig.Combo()), c.selected);
    EXPECT_EQ(rig.ActivePage(), 0);
    EXPECT_EQ(rig.ActiveTab(), 0);

    ASSERT_TRUE(rig.CloseTabvane());
    EXPECT_EQ(SavedBoundsText(rig.AppFile("Tabvane.dat")), BoundsText(c.expectedBounds))
        << "a close without a move must store the bounds it started with";
  }
}

// Closed from the taskbar while minimized, Tabvane saves as at any close, with the bounds the
// main window had before: its restored bounds, or its maximized bounds while maximized.
TEST(E2eStartup, CloseFromTheTaskbarWhileMinimizedStoresTheBoundsBeforeTheMinimize) {
  const Settings start{210, 95, 410, 500, 3000, true};
  for (const bool maximized : {false, true}) {
    SCOPED_TRACE(maximized ? "maximized" : "normal");
    Rig rig(start);
    rig.StartHost();
    rig.StartTabvane();
    const HWND main = rig.Main();
    if (maximized) {
      PostMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      // Wine sets the maximized style before it moves the window: wait for the new bounds too.
      ASSERT_TRUE(drv::WaitUntil(
          [&] {
            return IsZoomed(main) != 0 && BoundsText(drv::WindowRect(main)) != BoundsText(start);
          },
          kWait));
    }
    const std::string before = BoundsText(drv::WindowRect(main));
    if (!maximized) {
      EXPECT_EQ(before, BoundsText(start));
    }
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(drv::WaitUntil([&] { return rig.Minimized(); }, kWait));
    ASSERT_TRUE(rig.CloseTabvane(true));
    EXPECT_EQ(SavedBoundsText(rig.AppFile("Tabvane.dat")), before);
  }
}

// Nothing of a session is lost when it ends otherwise than by the close: an edit is on disk at
// once (a kill keeps it, and ga_list.bak keeps the file as it was at start-up), and the end of
// the Windows session saves what only the close saved before, the window's bounds.
TEST(E2eStartup, EditsSurviveAKillAndTheEndOfTheSession) {
  Rig rig(Settings{});
  rig.StartHost();
  rig.StartTabvane();
  const std::string startMenus = rig.AppFile("ga_list.txt");
  ASSERT_TRUE(rig.Focus());
  rig.ClickRow(1);
  drv::PressKey(VK_DELETE);
  Menus edited = rig.SampleMenus();
  edited[0].names[0].clear();
  edited[0].files[0].clear();
  EXPECT_TRUE(drv::WaitUntil([&] { return rig.AppFile("ga_list.txt") == MenuFileBytes(edited); },
                             kWait));
  rig.KillTabvane();
  EXPECT_EQ(rig.AppFile("ga_list.txt"), MenuFileBytes(edited));
  EXPECT_EQ(rig.AppFile("ga_list.bak"), startMenus);

  rig.StartTabvane();
  const HWND main = rig.Main();
  ASSERT_NE(SetWindowPos(main, nullptr, 140, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER), 0);
  const std::string moved = BoundsText(drv::WindowRect(main));
  DWORD_PTR allowed = 0;
  ASSERT_NE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                static_cast<UINT>(kWait.count()), &allowed), 0);
  EXPECT_EQ(allowed, TRUE) << "the session end was refused";
  DWORD_PTR ignored = 0;
  ASSERT_NE(SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                static_cast<UINT>(kWait.count()), &ignored), 0);
  EXPECT_EQ(SavedBoundsText(rig.AppFile("Tabvane.dat")), moved);
  EXPECT_EQ(rig.AppFile("ga_list.txt"), MenuFileBytes(edited));
  EXPECT_TRUE(rig.CloseTabvane());
}

// One Tabvane per folder: a second start from the same folder, by whatever spelling of it,
// brings the first one back and ends at once; a start from another folder runs beside it.
TEST(E2eStartup, OneCopyPerFolder) {
  struct Case {
    const char* name;
    bool sameFolder;
  };
  const Case cases[] = {{"same folder", true}, {"same folder in capitals", true},
                        {"another folder", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.StartHost();
    rig.StartTabvane();
    PostMessageW(rig.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(drv::WaitUntil([&] { return rig.Minimized(); }, kWait));

    std::string exe = rig.AppPath("Tabvane.exe");
    if (std::string_view(c.name).ends_with("capitals")) {
      exe = rig.Root() + "APP\\TABVANE.EXE";
    } else if (!c.sameFolder) {
      const std::string other = rig.Root() + "other\\";
      ASSERT_NE(CreateDirectoryW(WideFromSjis(other).c_str(), nullptr), 0);
      ASSERT_NE(CopyFileW(WideFromSjis(exe).c_str(), WideFromSjis(other + "Tabvane.exe").c_str(),
                          FALSE), 0);
      exe = other + "Tabvane.exe";
    }
    drv::Process second = drv::Process::Start(WideFromSjis(exe), {}, WideFromSjis(rig.Root()));
    ASSERT_TRUE(second.Started());
    if (c.sameFolder) {
      EXPECT_EQ(second.WaitExit(kWait), std::optional<DWORD>(0));
      EXPECT_TRUE(drv::WaitUntil([&] { return !rig.Minimized() && drv::IsForeground(rig.Main()); },
                                 kWait))
          << "the first copy did not come back";
    } else {
      drv::WindowMatch match;
      match.processId = second.Id();
      match.className = L"TabvaneMain";
      EXPECT_NE(drv::FindTopWindow(match, kWait), nullptr) << "no second window";
      EXPECT_TRUE(second.Running());
    }
    EXPECT_TRUE(rig.CloseTabvane());
  }
}

// The windows a taskbar lists for a process: visible, unowned and not tool windows.
std::vector<HWND> TaskbarWindows(DWORD processId) {
  drv::WindowMatch match;
  match.processId = processId;
  match.unownedOnly = true;
  std::vector<HWND> windows = drv::TopWindows(match);
  std::erase_if(windows, [](HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  });
  return windows;
}

// Tabvane has one taskbar entry, titled "Tabvane" whatever the main window's caption; it owns
// the main window, which it hides when minimized and brings back, unchanged, when restored.
TEST(E2eStartup, TaskbarEntryKeepsItsTitleAndRestoresTheMainWindow) {
  Rig rig;
  rig.StartHost();
  rig.StartTabvane();
  const HWND main = rig.Main();
  const std::vector<HWND> entries = TaskbarWindows(rig.TabvaneProcessId());
  ASSERT_EQ(entries.size(), 1U);
  const HWND entry = entries.front();
  EXPECT_EQ(drv::WindowText(entry), kAppTitle);
  const RECT entryRect = drv::WindowRect(entry);
  EXPECT_NE(IsRectEmpty(&entryRect), 0) << "the entry shows on the desktop";
  EXPECT_EQ(drv::OwnerOf(main), entry);
  EXPECT_NE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not stay-on-top";
  // The key preview takes the keys of the windows whose root is the main window.
  EXPECT_EQ(GetAncestor(rig.ActiveGrid(), GA_ROOT), main);

  ASSERT_TRUE(rig.Focus());
  drv::TypeText(L"0");
  EXPECT_EQ(rig.WaitHostLog(1), "run " + rig.BatchPath(kSampleSlots[0].file));
  EXPECT_EQ(drv::WindowText(main),
            std::string(kRunCaptionPrefix) + std::string(kSampleSlots[0].name));
  EXPECT_EQ(TaskbarWindows(rig.TabvaneProcessId()), entries);
  EXPECT_EQ(drv::WindowText(entry), kAppTitle);

  // The focus goes to the settings button (Tab after the grid), is kept while minimized and
  // is given back with the activation at the restore.
  ASSERT_TRUE(rig.Focus());
  drv::PressKey(VK_TAB);
  const HWND button1 = drv::FindChildByText(main, L"Button", std::string(kSettingsTitle));
  ASSERT_TRUE(drv::WaitUntil([&] { return FocusOf(main) == button1; }, kWait));
  const RECT bounds = drv::WindowRect(main);
  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(drv::WaitUntil([&] { return rig.Minimized(); }, kWait));
  EXPECT_EQ(TaskbarWindows(rig.TabvaneProcessId()), entries);
  PostMessageW(entry, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(drv::WaitUntil(
      [&] { return IsIconic(entry) == 0 && drv::IsForeground(main); }, kWait));
  EXPECT_NE(IsWindowVisible(main), 0);
  EXPECT_EQ(BoundsText(drv::WindowRect(main)), BoundsText(bounds));
  // The activation that gives the focus back may come a moment after the foreground.
  EXPECT_TRUE(drv::WaitUntil([&] { return FocusOf(main) == button1; }, kWait));
  EXPECT_TRUE(rig.CloseTabvane());
}

// Share of the pixels of an image region that have the colour.
double Share(const drv::Image& image, const RECT& region, COLORREF colour) {
  const drv::Image part = image.Crop(region);
  if (part.Empty()) return 0.0;
  int hits = 0;
  for (int y = 0; y < part.height; ++y) {
    for (int x = 0; x < part.width; ++x) hits += part.At(x, y) == colour ? 1 : 0;
  }
  return static_cast<double>(hits) / (part.width * part.height);
}

RECT Offset(RECT rect, POINT by) {
  OffsetRect(&rect, by.x, by.y);
  return rect;
}

TEST(E2eStartup, ScreenShowsPanelCellsKeyColumnAndPageTabsLeftOfTheGrid) {
  constexpr COLORREF kPanel = RGB(0xB8, 0x03, 0xB4);
  constexpr COLORREF kCell = RGB(0xFF, 0xD0, 0xFF);
  constexpr COLORREF kKeyColumn = RGB(0xD2, 0x81, 0xFE);
  Rig rig;
  rig.StartHost();
  rig.StartTabvane();
  const HWND main = rig.Main();
  const HWND grid = rig.ActiveGrid();
  ASSERT_NE(grid, nullptr);

  // Regions in the window image: the image starts at the window's outer top-left corner.
  const RECT window = drv::WindowRect(main);
  const RECT client = drv::ClientRectOnScreen(main);
  const RECT gridClient = drv::ClientRectOnScreen(grid);
  const POINT clientOrigin{client.left - window.left, client.top - window.top};
  const POINT gridOrigin{gridClient.left - window.left, gridClient.top - window.top};
  const int clientWidth = client.right - client.left;
  // Panel1: left of the settings button, between it and the selector, right of the selector.
  const RECT panelParts[] = {{0, 0, 3, 29}, {50, 2, 51, 27}, {clientWidth - 3, 2, clientWidth, 27}};
  // Row 5 (slot 4, empty and not selected): the key cell and the left part of the name cell.
  const RECT keyCell = Offset(RECT{0, 102, 16, 126}, gridOrigin);
  const RECT nameCell = Offset(RECT{18, 102, 90, 126}, gridOrigin);

  drv::Image image;
  const bool painted = drv::WaitUntil(
      [&] {
        image = drv::CaptureWindow(main);
        return Share(image, Offset(panelParts[1], clientOrigin), kPanel) == 1.0 &&
               Share(image, nameCell, kCell) == 1.0;
      },
      kWait);
  drv::SaveBmp(image, L"e2e_main_window.bmp");
  EXPECT_TRUE(painted) << "the window was not painted in its colours (e2e_main_window.bmp)";
  for (const RECT& part : panelParts) {
    EXPECT_EQ(Share(image, Offset(part, clientOrigin), kPanel), 1.0)
        << "panel at " << part.left << "," << part.top;
  }
  EXPECT_EQ(Share(image, nameCell, kCell), 1.0);
  // The key "4" is drawn on it, so most but not all of the key cell has the fixed colour.
  EXPECT_GT(Share(image, keyCell, kKeyColumn), 0.6);

  // The page tabs stand in a column on the left: the grid begins well right of the page
  // control's left edge, and its tab strip's tabs lie above it.
  const RECT pages = drv::WindowRect(rig.PageControl());
  const RECT strip = drv::WindowRect(rig.ActiveStrip());
  EXPECT_GE(gridClient.left - pages.left, 16) << "no room for page tabs left of the grid";
  EXPECT_GE(gridClient.top - strip.top, 16) << "no room for the tab strip above the grid";
  EXPECT_EQ(drv::TabCount(rig.PageControl()), kPageCount);
  EXPECT_EQ(drv::TabCount(rig.ActiveStrip()), 2);
  EXPECT_TRUE(rig.CloseTabvane());
}

}  // namespace
}  // namespace tabvane::e2e
