// The main window's logic against fake controls, views and desktop: start-up and shutdown
// files, the timer discipline of every handler, the scan's switch of page, tab and grid, slot
// keys, row keys and both dialogs.
#include "ui/form1.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/host_scan.h"
#include "model/command_list_edit.h"
#include "model/menus.h"
#include "model/settings.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_forms.h"
#include "tests/fakes/fake_views.h"
#include "tests/fakes/platform_files.h"
#include "text/sjis.h"
#include "ui/find_box.h"
#include "ui/form4.h"

namespace tabvane {
namespace {

using namespace fakes;

constexpr std::string_view kEditModeLabel =
    "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68";  // メニュー編集モード
constexpr std::string_view kLaunchCaption = "Tabvane \x81\xA8 ";  // "Tabvane → "
constexpr std::string_view kNoTarget = "\x96\xB3\x8E\x77\x92\xE8";  // 無指定

// Page 0 has tabs A (menu 1) and B (menu 2), page 1 tab C (menu 3), the others none.
const std::string kCommandList = "\r\nA\tkw\r\nB\tkw2\r\n\r\nC\tcmdC\r\n";

std::string SlotName(int menu, int slot) {
  return "m" + std::to_string(menu) + "s" + std::to_string(slot);
}

// Menu 1 has every slot filled, menu 3 slot 0; each slot's batch file is "<slot>.bat" in folder.
MenuStore SampleMenus(const std::string& folder) {
  MenuStore store;
  store.FMenus.resize(3);
  for (int s = 0; s < kSlotCount; ++s) {
    store.FMenus[0].Names[static_cast<size_t>(s)] = SlotName(1, s);
    store.FMenus[0].BatchFiles[static_cast<size_t>(s)] = folder + std::to_string(s) + ".bat";
  }
  store.FMenus[2].Names[0] = SlotName(3, 0);
  store.FMenus[2].BatchFiles[0] = folder + "0.bat";
  return store;
}

struct MainFormTest : ::testing::Test, FakeForms {
  WindowHandle nextHost = 200;

  void SetUp() override {
    desk.files.folders = {"C:\\App\\", "C:\\Bat\\", "C:\\Jww\\"};
    desk.files.files["C:\\App\\com_list.txt"] = kCommandList;
    desk.files.files["C:\\App\\ga_list.txt"] = MenuFileBytes(SampleMenus("C:\\Bat\\"));
    for (int s = 0; s < kSlotCount; ++s) {
      desk.files.files["C:\\Bat\\" + std::to_string(s) + ".bat"] = "REM x\r\n";
    }
    desk.registry["Jwwin.Document\\shell\\open\\command"] = "\"C:\\Jww\\Jw_win.exe\" \"%1\"";
    desk.AddWindow(100, "a.jww - jw_win");
  }

  // Starts with a settings file in normal mode (or edit mode) and the given interval.
  void Start(bool editMode, int32_t interval = 3000) {
    TSettings settings;
    settings.FEditMode = editMode;
    settings.FInterval = interval;
    desk.files.files["C:\\App\\Tabvane.dat"] = SettingsFileBytes(settings);
    form.FormShow();
  }

  // Adds a host window that only a scan run after this call can list.
  WindowHandle NewHost() {
    const WindowHandle handle = nextHost++;
    desk.AddWindow(handle, "new" + std::to_string(handle) + ".jww - jw_win");
    return handle;
  }
  bool Listed(WindowHandle handle) const {
    for (const std::string& item : c.combo.items) {
      if (EntryHandle(item) == handle) return true;
    }
    return false;
  }
};

TEST_F(MainFormTest, FirstStartWithoutSettingsFileIsEditMode) {
  desk.foreground = 100;
  desk.AddChild(100, 101, "cmdC");  // would switch to page 1 outside edit mode
  form.FormShow();
  EXPECT_TRUE(form.state.settings.FEditMode);
  EXPECT_FALSE(c.timer.running);
  ASSERT_GE(c.combo.Count(), 2);
  EXPECT_EQ(c.combo.items[0], kEditModeLabel);
  EXPECT_EQ(c.combo.selected, 0);
  EXPECT_EQ(form.state.FTargetWnd, 100u);
  EXPECT_EQ(c.pages.active, 0);
  EXPECT_EQ(form.state.FExeDir, "C:\\App\\");
  EXPECT_EQ(form.state.settings.FLastDir, "C:\\App\\");
  EXPECT_EQ(view.bounds, (Bounds{192, 107, 387, 483}));
  EXPECT_EQ(c.grids[0].Cell(1, 36), SlotName(1, 35));
}

TEST_F(MainFormTest, StartWithSettingsFileAppliesItInNormalMode) {
  TSettings settings;
  settings.main = {-10, 20, 300, 400};
  settings.slotEditor = {1, 2};
  settings.settingsDialog = {3, 4};
  settings.FInterval = 2500;
  settings.FEditMode = false;
  settings.FLastDir = "C:\\Bat\\";
  desk.files.files["C:\\App\\Tabvane.dat"] = SettingsFileBytes(settings);
  desk.foreground = 100;
  desk.AddChild(100, 101, "cmdC");
  form.FormShow();
  EXPECT_EQ(view.bounds, settings.main);
  EXPECT_EQ(editorView.position, settings.slotEditor);
  EXPECT_EQ(settingsView.position, settings.settingsDialog);
  EXPECT_EQ(form.state.settings.FLastDir, "C:\\Bat\\");
  EXPECT_TRUE(c.timer.Armed());
  EXPECT_EQ(c.timer.interval, 2500);
  EXPECT_EQ(c.combo.items[0], kNoTarget);
  EXPECT_EQ(c.pages.active, 1);  // the first scan switched to the host's command
}

// At 120 and 144 dpi the combo's left edge, its gap, the column's gap and the minimum scale:
// 65, 5, 25, 125 and 78, 6, 30, 150 pixels.
TEST_F(MainFormTest, WidthsOfComboAndNameColumn) {
  const struct {
    int32_t dpi, panel, tabControl, combo, column;
  } cases[] = {
      {96, 371, 119, 315, 100},  {96, 150, 120, 100, 100},  {96, 160, 121, 104, 101},
      {96, 0, -5, 100, 100},     {120, 464, 454, 394, 429}, {144, 557, 545, 473, 515},
      {144, 233, 180, 150, 150}, {144, 235, 181, 151, 151},
  };
  for (const auto& w : cases) {
    SCOPED_TRACE(w.dpi);
    view.dpi = w.dpi;
    view.panel1Width = w.panel;
    view.tabControl1Width = w.tabControl;
    view.nameColumnWidth = -1;
    form.FormShow();
    EXPECT_EQ(view.nameColumnWidth, w.column) << w.tabControl;
    view.nameColumnWidth = -1;
    form.Panel1Resize();
    EXPECT_EQ(view.comboWidth, w.combo) << w.panel;
    EXPECT_EQ(view.nameColumnWidth, w.column) << w.tabControl;
  }
}

// Which handlers stop the timer first, which end with a scan, and where the timer ends up,
// in normal mode and in edit mode.
TEST_F(MainFormTest, RefreshRuleOfEveryHandler) {
  enum Effect { kUntouched, kStopScanRestart, kStopRestartNoScan, kScanOnly };
  struct Row {
    const char* name;
    std::function<void(MainFormTest&)> action;
    Effect effect;
  };
  const std::vector<Row> rows = {
      {"Button1Click", [](MainFormTest& t) { t.form.Button1Click(); }, kStopScanRestart},
      {"PageControl1Change",
       [](MainFormTest& t) { t.c.pages.active = 2; t.form.PageControl1Change(); },
       kStopScanRestart},
      {"StringGrid1ContextPopup", [](MainFormTest& t) { t.form.StringGrid1ContextPopup(); },
       kStopScanRestart},
      {"StringGrid1DblClick", [](MainFormTest& t) { t.form.StringGrid1DblClick(); },
       kStopScanRestart},
      {"FormKeyPress 5", [](MainFormTest& t) { t.form.FormKeyPress('5'); }, kStopScanRestart},
      {"FormKeyPress @", [](MainFormTest& t) { t.form.FormKeyPress('@'); }, kUntouched},
      {"Ctrl+X", [](MainFormTest& t) { t.form.FormKeyDown(kVkX, true); }, kStopScanRestart},
      {"Ctrl+C", [](MainFormTest& t) { t.form.FormKeyDown(kVkC, true); }, kStopScanRestart},
      {"Ctrl+V", [](MainFormTest& t) { t.form.FormKeyDown(kVkV, true); }, kStopScanRestart},
      {"Delete", [](MainFormTest& t) { t.form.FormKeyDown(kVkDelete, false); }, kStopScanRestart},
      {"plain C", [](MainFormTest& t) { t.form.FormKeyDown(kVkC, false); }, kUntouched},
      {"Ctrl+F", [](MainFormTest& t) { t.form.FormKeyDown(kVkF, true); }, kUntouched},
      {"ComboBox1Select",
       [](MainFormTest& t) { t.c.combo.selected = 1; t.form.ComboBox1Select(); },
       kStopRestartNoScan},
      {"TabControlChange",
       [](MainFormTest& t) { t.c.tabs[0].selected = 1; t.form.TabControlChange(0); },
       kUntouched},
      {"Panel1Resize", [](MainFormTest& t) { t.form.Panel1Resize(); }, kUntouched},
      {"Timer1Timer", [](MainFormTest& t) { t.form.Timer1Timer(); }, kScanOnly},
  };
  for (const bool editMode : {false, true}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.name) + (editMode ? " in edit mode" : " in normal mode"));
      // A fresh window for each row.
      if (editMode && row.effect == kScanOnly) continue;  // no tick arrives in edit mode
      c = FakeMainControls{};
      Start(editMode, 4000);
      // No scan may run while a dialog is open.
      bool timerOffInDialog = true;
      editorView.onShow = [&] { timerOffInDialog = timerOffInDialog && !c.timer.running; };
      settingsView.onShow = editorView.onShow;
      const bool runningBefore = c.timer.running;
      const WindowHandle fresh = NewHost();
      c.timer.log.clear();

      row.action(*this);

      EXPECT_TRUE(timerOffInDialog);
      const bool scanned = Listed(fresh);
      switch (row.effect) {
        case kUntouched:
          EXPECT_TRUE(c.timer.log.empty());
          EXPECT_EQ(c.timer.running, runningBefore);
          EXPECT_FALSE(scanned);
          break;
        case kStopScanRestart:
        case kStopRestartNoScan:
        case kScanOnly:
          ASSERT_FALSE(c.timer.log.empty());
          EXPECT_EQ(c.timer.log.front(), "stop");
          EXPECT_EQ(scanned, row.effect != kStopRestartNoScan);
          EXPECT_EQ(c.timer.running, !editMode);
          if (!editMode) {
            EXPECT_EQ(c.timer.interval, 4000);
          }
          break;
      }
      if (row.effect != kUntouched && row.effect != kStopRestartNoScan) {
        EXPECT_EQ(c.combo.items[0], editMode ? kEditModeLabel : kNoTarget);
      }
    }
  }
}

// The scan turns page, tab and grid to the winning entry, except on the free page and in edit
// mode, and always ends with the timer armed. An entry beaten in the same scan still turns its
// own page's tab and grid; the winner's page is the one shown.
TEST(MainFormScan, TurnsPageTabAndGrid) {
  const struct {
    const char* name;
    TCommandEntry entry;
    int32_t pageBefore;
    bool editMode;
    int32_t page;   // active page afterwards
    int32_t strip;  // strip that must show the tab, -1 for none
    std::size_t grid;
    std::string slot0;  // name cell of slot 0 in that grid
    TCommandEntry earlier = {0, 0, 0, "x", "no such"};  // listed before the entry
    int32_t earlierStrip = -1;  // its page when it switched too (menu 1 in its grid)
  } cases[] = {
      {"page 2 tab 1", {2, 1, 3, "x", "alpha,beta"}, 1, false, 2, 2, 2, "menu3"},
      {"beaten on page 1", {2, 1, 3, "x", "alpha,beta"}, 2, false, 2, 2, 2, "menu3",
       {1, 2, 1, "x", "beta"}, 1},
      {"free page", {5, 2, 4, "x", "beta"}, 1, false, 5, 5, 5, "menu4"},
      {"page -1", {-1, 1, 0, "x", "alpha"}, 1, false, -1, -1, 5, ""},
      {"page 6", {6, 1, 0, "x", "alpha"}, 1, false, -1, -1, 5, ""},
      {"on the free page", {2, 1, 3, "x", "alpha"}, 5, false, 5, -1, 5, "before"},
      {"in edit mode", {2, 1, 3, "x", "alpha"}, 1, true, 1, -1, 1, "before"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeForms f;
    f.desk.AddWindow(50, "a - jw_win");
    f.desk.AddChild(50, 51, " alpha ");
    f.desk.AddChild(51, 52, "beta");
    f.form.state.FTargetWnd = 50;
    f.form.state.FEntries = {c.earlier, c.entry};
    for (int32_t m = 0; m < 4; ++m) {
      f.form.state.menus.FMenus.emplace_back();
      f.form.state.menus.FMenus.back().Names[0] = "menu" + std::to_string(m + 1);
    }
    for (auto& tabs : f.c.tabs) tabs.tabs = {"t0", "t1", "t2"};
    for (auto& tabs : f.c.tabs) tabs.selected = 0;
    for (auto& grid : f.c.grids) grid.cells[1][1] = "before";
    f.c.list.items = {"old"};
    f.c.pages.active = c.pageBefore;
    f.form.state.settings.FEditMode = c.editMode;
    f.form.state.settings.FInterval = 700;

    f.form.Timer1Timer();

    EXPECT_EQ(f.c.pages.active, c.page);
    for (std::size_t s = 0; s < f.c.tabs.size(); ++s) {
      const int32_t strip = static_cast<int32_t>(s);
      EXPECT_EQ(f.c.tabs[s].selected, strip == c.strip          ? c.entry.TabIndex
                                      : strip == c.earlierStrip ? c.earlier.TabIndex
                                                                : 0);
    }
    EXPECT_EQ(f.c.grids[c.grid].cells[1][1], c.slot0);
    if (c.earlierStrip >= 0) {
      EXPECT_EQ(f.c.grids[static_cast<std::size_t>(c.earlierStrip)].cells[1][1], "menu1");
    }
    const bool detected = c.pageBefore != 5 && !c.editMode;
    const std::vector<std::string> read = {" alpha ", "beta"};
    EXPECT_EQ(f.c.list.items, detected ? read : std::vector<std::string>{"old"});
    EXPECT_EQ(f.c.combo.items, (std::vector<std::string>{std::string(kNoTarget),
                                                         "a - jw_win  \x81\x7C 50"}));
    EXPECT_EQ(f.c.combo.selected, 1);
    EXPECT_EQ(f.c.timer.log, (std::vector<std::string>{"stop", "start 700"}));
  }
}

// The detection view shows what the last scan read and decided, and why nothing switched;
// opening it changes neither the target nor the timer.
TEST(MainFormDetectionView, ShowsCaptionsWinnerRunnersUpAndWhyNot) {
  const std::string switchedTo = "\x90\xD8\x82\xE8\x91\xD6\x82\xA6\x90\xE6: ";  // 切り替え先:
  const std::string noSwitch = "\x90\xD8\x82\xE8\x91\xD6\x82\xA6\x82\xC8\x82\xB5: ";  // 切り替えなし:
  const std::string line = " \x8D\x73\x96\xDA";  // 行目
  const std::string found = " \x81\x9B";          // ○
  const struct {
    const char* name;
    int32_t page;
    bool editMode;
    bool target;
    std::string keywords;  // of the entry on line 7
    std::vector<std::string> shows;
    bool virtualized = false;  // the target's process runs from Program Files, virtualised
  } cases[] = {
      {"a winner", 1, false, true, "alpha,beta",
       {switchedTo + "com_list.txt 7" + line, "alpha" + found + "  beta" + found,
        "\x90\xDD\x92\xE8\x81\x69\x8C\xC5\x92\xE8\x81\x6A",  // 設定（固定）
        "\x81\x69\x8B\xF3\x94\x92\x81\x6A",                      // （空白）
        "com_list.txt 3" + line + "  \x83\x79\x81\x5B\x83\x57\x81\x75\xCC\xA7\xB2\xD9\x81\x76"}},
      {"no entry with all keywords", 1, false, true, "alpha,zeta",
       {noSwitch + "\x82\xB7\x82\xD7\x82\xC4"}},                   // すべて…
      {"free page", 5, false, true, "alpha", {noSwitch + "\x83\x74\x83\x8A\x81\x5B"}},  // フリー…
      {"edit mode", 1, true, true, "alpha", {noSwitch + "\x83\x81\x83\x6A"}},            // メニュー…
      {"no target", 1, false, false, "alpha",
       {noSwitch + "\x83\x5E\x81\x5B\x83\x51\x83\x62\x83\x67\x82\xC8\x82\xB5"}},  // ターゲットなし
      {"a virtualised host: the bridge folder in its store", 1, false, true, "alpha",
       // "...\\VirtualStore\\Program Files\\Jw\\（Jw_cad ..."
       {"C:\\Users\\u\\AppData\\Local\\VirtualStore\\Program Files\\Jw\\\x81\x69Jw_cad "},
       true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    FakeForms f;
    f.desk.AddWindow(50, "a - jw_win");
    for (const char* caption : {" alpha ", "\x90\xDD\x92\xE8", " ", "beta"}) {
      f.desk.AddChild(50, f.desk.order.back() + 1, caption);
    }
    f.form.state.FTargetWnd = k.target ? 50 : 0;
    if (!k.target) f.desk.Close(50);
    if (k.virtualized) {
      f.desk.windows[50].exePath = "C:\\Program Files\\Jw\\jw.exe";
      f.desk.windows[50].virtualized = true;
    }
    f.form.state.FEntries = {{0, 0, 1, "x", "alpha,gamma", 3}, {2, 1, 2, "y", k.keywords, 7},
                             {3, 0, 3, "z", "beta,omega", 9}};
    f.form.state.menus.FMenus.resize(3);
    f.c.pages.active = k.page;
    f.form.state.settings.FEditMode = k.editMode;
    f.form.Timer1Timer();
    const std::vector<std::string> timerLog = f.c.timer.log;
    const WindowHandle target = f.form.state.FTargetWnd;
    f.form.ShowDetectionView();
    ASSERT_TRUE(f.view.detectionShown);
    for (const std::string& text : k.shows) {
      EXPECT_NE(f.view.detectionText.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(f.c.timer.log, timerLog);
    EXPECT_EQ(f.form.state.FTargetWnd, target);
  }
}

TEST_F(MainFormTest, IntervalZeroLeavesTimerIdleButActionsStillRescan) {
  Start(false, 0);
  EXPECT_FALSE(c.timer.Armed());
  const WindowHandle fresh = NewHost();
  form.FormKeyDown(kVkC, true);
  EXPECT_FALSE(c.timer.Armed());
  EXPECT_TRUE(Listed(fresh));
}

TEST_F(MainFormTest, SlotKeysRunTheirSlotOnTheActivePage) {
  const struct {
    uint32_t ch;
    int32_t page;
    std::string ran;  // name of the slot run; empty for none
  } cases[] = {
      {'0', 0, SlotName(1, 0)},   {'9', 0, SlotName(1, 9)},   {'A', 0, SlotName(1, 10)},
      {'a', 0, SlotName(1, 10)},  {'Z', 0, SlotName(1, 35)},  {'z', 0, SlotName(1, 35)},
      {'0', 1, SlotName(3, 0)},   {'@', 0, ""},               {'[', 0, ""},
      {'`', 0, ""},               {'{', 0, ""},               {'/', 0, ""},
      {':', 0, ""},               {0xFF21, 0, ""},  // full-width A is no slot key
  };
  Start(false);
  for (const auto& k : cases) {
    c.pages.active = k.page;
    view.caption.clear();
    desk.keys.clear();
    EXPECT_TRUE(form.FormKeyPress(k.ch)) << k.ch;
    EXPECT_EQ(view.caption, k.ran.empty() ? "" : std::string(kLaunchCaption) + k.ran) << k.ch;
    EXPECT_EQ(desk.keys.empty(), k.ran.empty()) << k.ch;
  }
}

// The find box's window: a field, a list of rows with a selection, shown or hidden.
struct FakeFindBoxView : FindBoxView {
  bool shown = false;
  std::string text;
  std::string openedWith;
  int32_t rows = 0;
  int32_t selected = -1;
  void Open(std::string_view t) override {
    shown = true;
    openedWith = std::string(t);
    text = openedWith;
  }
  void Close() override { shown = false; }
  std::string Text() const override { return text; }
  void SetRowCount(int32_t count) override { rows = count; }
  int32_t SelectedRow() const override { return selected; }
  void SelectRow(int32_t row) override { selected = row; }
  int32_t RowsPerPage() const override { return 4; }
};

// Keys in the find box: what Enter, Shift+Enter, Esc and the moving keys do in both modes. The
// slot found lives on page 1, which is never shown before.
TEST_F(MainFormTest, FindBoxKeysRunShowOrClose) {
  constexpr uint16_t kShift = 0x100;  // added to a key: held with Shift
  const struct {
    const char* name;
    bool editMode;
    std::string query;
    std::vector<uint16_t> keys;
    std::string ran;  // the slot run, empty for none
    int32_t page;     // the page on show afterwards
    int32_t row;      // the row selected in the list before the last key
  } cases[] = {
      {"Enter runs", false, "M3S", {kVkReturn}, SlotName(3, 0), 0, 0},
      {"Shift+Enter shows", false, "m3s", {kVkReturn + kShift}, "", 1, 0},
      {"Enter in edit mode shows", true, "m3s", {kVkReturn}, "", 1, 0},
      {"Esc closes", false, "m3s", {kVkEscape}, "", 0, 0},
      {"Down moves", false, "m1s1", {kVkDown, kVkDown, kVkReturn}, SlotName(1, 11), 0, 2},
      {"Up stops at the top", false, "m1s1", {kVkUp, kVkReturn}, SlotName(1, 1), 0, 0},
      {"pages of 3 rows", false, "m1s", {kVkPageDown, kVkPageDown, kVkPageUp, kVkReturn},
       SlotName(1, 3), 0, 3},
      {"PageDown stops at the end", false, "m1s2",
       {kVkPageDown, kVkPageDown, kVkPageDown, kVkPageDown, kVkReturn}, SlotName(1, 29), 0, 10},
      {"Enter without a row", false, "nothing", {kVkReturn}, "", 0, -1},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    c = FakeMainControls{};
    Start(k.editMode);
    FakeFindBoxView boxView;
    FindBox box(form, boxView);
    box.Open();
    ASSERT_TRUE(boxView.shown);
    boxView.text = k.query;
    box.EditChange();
    view.caption.clear();
    for (const uint16_t key : k.keys) {
      if (&key == &k.keys.back()) {
        EXPECT_EQ(boxView.selected, k.row);
      }
      EXPECT_TRUE(box.KeyDown(key & 0xFF, (key & kShift) != 0));
    }
    EXPECT_EQ(view.caption, k.ran.empty() ? "" : std::string(kLaunchCaption) + k.ran);
    EXPECT_EQ(c.pages.active, k.page);
    EXPECT_EQ(boxView.shown, k.row < 0);
    if (k.page == 1) {
      EXPECT_EQ(c.grids[1].Cell(1, c.grids[1].CurrentRow()), SlotName(3, 0));
    }
    // Opened again, the box has the last text, to be typed over.
    box.Open();
    EXPECT_EQ(boxView.openedWith, k.query);
  }
}

TEST_F(MainFormTest, DoubleClickRunsTheCurrentRow) {
  Start(false);
  c.grids[0].current = 5;
  form.StringGrid1DblClick();
  EXPECT_EQ(view.caption, std::string(kLaunchCaption) + SlotName(1, 4));
}

TEST_F(MainFormTest, RowKeysCutCopyPasteAndClear) {
  const struct {
    const char* name;
    uint16_t vk;
    bool ctrl;
    bool consumed;
    size_t clipRows;      // FClip afterwards (one row is there before)
    std::string row2;     // name in grid row 2 and slot 1 of menu 1 afterwards
    bool saved;           // the menu file written at once, the start-up one kept as ga_list.bak
  } cases[] = {
      {"Ctrl+X", kVkX, true, true, 3, "", true},
      {"Ctrl+C", kVkC, true, true, 3, SlotName(1, 1), false},
      {"Ctrl+V", kVkV, true, true, 1, "clip", true},
      {"Delete", kVkDelete, false, true, 1, "", true},
      {"Ctrl+Delete", kVkDelete, true, true, 1, "", true},
      {"X", kVkX, false, false, 1, SlotName(1, 1), false},
      {"V", kVkV, false, false, 1, SlotName(1, 1), false},
      {"Ctrl+A", 'A', true, false, 1, SlotName(1, 1), false},
  };
  const std::string startMenus = MenuFileBytes(SampleMenus("C:\\Bat\\"));
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    c = FakeMainControls{};
    desk.files.files["C:\\App\\ga_list.txt"] = startMenus;
    desk.files.files.erase("C:\\App\\ga_list.bak");
    form.FormShow();
    form.state.FClip = {{"clip", "C:\\Bat\\clip.bat"}};
    c.grids[0].Select(2, 4);
    EXPECT_EQ(form.FormKeyDown(k.vk, k.ctrl), k.consumed);
    EXPECT_EQ(form.state.FClip.size(), k.clipRows);
    EXPECT_EQ(c.grids[0].Cell(1, 2), k.row2);
    EXPECT_EQ(form.state.menus.FMenus[0].Names[1], k.row2);
    EXPECT_EQ(desk.files.files["C:\\App\\ga_list.txt"],
              k.saved ? MenuFileBytes(form.state.menus) : startMenus);
    EXPECT_EQ(desk.files.files.count("C:\\App\\ga_list.bak"), k.saved ? 1u : 0u);
    if (k.saved) {
      EXPECT_EQ(desk.files.files["C:\\App\\ga_list.bak"], startMenus);
    }
  }
}

TEST_F(MainFormTest, SlotEditorEditsTheCurrentRowNotThePointedOne) {
  for (const bool accept : {true, false}) {
    SCOPED_TRACE(accept ? "accepted" : "cancelled");
    c = FakeMainControls{};
    desk.files.files["C:\\App\\ga_list.txt"] = MenuFileBytes(SampleMenus("C:\\Bat\\"));
    desk.files.files.erase("C:\\App\\Tabvane.dat");
    form.FormShow();
    form.state.settings.FLastDir = "C:\\App\\";
    c.grids[0].selection = {7, 7};
    c.grids[0].current = 3;
    editorView.chosenFile = "C:\\Bat\\new.bat";
    editorView.answerYes = false;
    editorView.onShow = [&] {
      form2.FormShow();
      EXPECT_EQ(editorView.caption, "\x93\xFC\x97\xCD\x81\x40\x81\x79" "2" "\x81\x7A");  // 入力　【2】
      EXPECT_EQ(editorView.edit1, SlotName(1, 2));
      EXPECT_EQ(editorView.edit2, "C:\\Bat\\2.bat");
      EXPECT_EQ(form2.FLastDir, "C:\\App\\");
      form2.Button1Click();
      editorView.edit1 = "edited";
      if (accept) {
        form2.Button2Click();
      } else {
        form2.Button3Click();
      }
    };
    form.StringGrid1ContextPopup();
    const std::string name = accept ? "edited" : SlotName(1, 2);
    const std::string batch = accept ? "C:\\Bat\\new.bat" : "C:\\Bat\\2.bat";
    EXPECT_EQ(c.grids[0].Cell(1, 3), name);
    EXPECT_EQ(c.grids[0].Cell(2, 3), batch);
    EXPECT_EQ(form.state.menus.FMenus[0].Names[2], name);
    EXPECT_EQ(form.state.menus.FMenus[0].BatchFiles[2], batch);
    EXPECT_EQ(form.state.settings.FLastDir, accept ? "C:\\Bat\\" : "C:\\App\\");
    EXPECT_EQ(c.grids[0].Cell(1, 7), SlotName(1, 6));
    // An accepted edit is saved at once, the folder just chosen with it.
    EXPECT_EQ(desk.files.files["C:\\App\\ga_list.txt"],
              accept ? MenuFileBytes(form.state.menus) : MenuFileBytes(SampleMenus("C:\\Bat\\")));
    EXPECT_EQ(desk.files.files.count("C:\\App\\Tabvane.dat"), accept ? 1u : 0u);
    if (accept) {
      EXPECT_EQ(desk.files.files["C:\\App\\Tabvane.dat"], SettingsFileBytes(form.state.settings));
    }
  }
}

// Batch files dropped on a grid: one opens the slot editor for the slot under the pointer with
// a proposed name, several fill the empty slots from there down and are saved once; anything
// else changes nothing.
TEST_F(MainFormTest, DroppedBatchFilesFillSlots) {
  const std::string registered = "Tabvane \x81\xA8 ";  // then "n 件を登録しました"
  const std::string n = " \x8C\x8F\x82\xF0\x93\x6F\x98\x5E\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
  const std::string noRoom =  // （m 件は空きがありません）
      " \x8C\x8F\x82\xCD\x8B\xF3\x82\xAB\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x6A";
  struct Case {
    const char* name;
    int32_t page, tab, row;
    std::vector<std::string> files;
    std::string editorName;              // proposed in the slot editor; empty: no editor
    std::vector<std::pair<int32_t, std::string>> filled;  // row, name in the menu afterwards
    std::string caption;
  };
  const std::string d = "C:\\Drop\\";
  const std::vector<Case> cases = {
      {"one file: its REM title", 0, 1, 5, {d + "title.bat"}, "Area", {{5, "Area"}}, ""},
      {"one .CMD starting with @echo: its name", 0, 1, 5, {d + "Echo.CMD"}, "Echo", {{5, "Echo"}}, ""},
      {"a directive is no title", 0, 1, 5, {d + "jww.bat", d + "notes.txt"}, "jww", {{5, "jww"}}, ""},
      {"several into the empty slots below", 1, 0, 1,
       {d + "title.bat", d + "notes.txt", d + "jww.bat", d + "Echo.CMD"}, "",
       {{2, "Area"}, {3, "jww"}, {4, "Echo"}}, registered + "3" + n},
      {"some find no room", 1, 0, 35, {d + "title.bat", d + "jww.bat", d + "Echo.CMD"}, "",
       {{35, "Area"}, {36, "jww"}}, registered + "2" + n + "\x81\x69" "1" + noRoom},
      {"the heading row", 0, 1, 0, {d + "title.bat"}, "", {}, ""},
      {"a tab without a menu", 2, 0, 3, {d + "title.bat"}, "", {}, ""},
      {"no batch file", 0, 1, 5, {d + "notes.txt"}, "", {}, ""},
      {"a TAB in a title becomes a blank", 1, 0, 1, {d + "tab.bat", d + "jww.bat"}, "",
       {{2, "Area calc"}, {3, "jww"}}, registered + "2" + n},
      {"from a zip folder: the temporary folder", 1, 0, 1,
       {d + "jww.bat", desk.tempFolder + "Temp1_x.zip\\title.bat"}, "", {},
       // 一時フォルダーのファイルは登録できません
       std::string(kLaunchCaption) + "\x88\xEA\x8E\x9E\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B"
       "\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x93\x6F\x98\x5E\x82\xC5\x82\xAB"
       "\x82\xDC\x82\xB9\x82\xF1"},
  };
  desk.files.folders.insert(d);
  desk.files.files[d + "title.bat"] = "  rem Area\r\n";
  desk.files.files[d + "Echo.CMD"] = "@echo off\r\n";
  desk.files.files[d + "jww.bat"] = "REM #jww\r\n";
  desk.files.files[d + "notes.txt"] = "REM notes\r\n";
  desk.files.files[d + "tab.bat"] = "REM Area\tcalc\r\n";
  const std::string startMenus = MenuFileBytes(SampleMenus("C:\\Bat\\"));
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    c = FakeMainControls{};
    view.caption.clear();
    desk.files.files["C:\\App\\ga_list.txt"] = startMenus;
    Start(true);
    c.pages.active = k.page;
    c.tabs[static_cast<std::size_t>(k.page)].SelectTab(k.tab);
    std::string proposed;
    editorView.onShow = [&] {
      form2.FormShow();
      proposed = editorView.edit1;
      form2.Button2Click();
    };
    c.timer.log.clear();
    form.StringGridDropFiles(k.row, k.files);
    EXPECT_EQ(proposed, k.editorName);
    const int32_t menu = FindMenuNumber(form.state.FEntries, k.page, k.tab);
    for (const auto& [row, name] : k.filled) {
      EXPECT_EQ(form.state.menus.FMenus[static_cast<std::size_t>(menu - 1)]
                    .Names[static_cast<std::size_t>(row - 1)], name) << row;
    }
    EXPECT_EQ(view.caption, k.caption);
    // A drop that changed something is saved at once; one that did not touches nothing.
    const bool changed = !k.filled.empty();
    EXPECT_EQ(desk.files.files["C:\\App\\ga_list.txt"] != startMenus, changed);
    EXPECT_EQ(c.timer.log.empty(), !changed);
  }
}

TEST_F(MainFormTest, HintNamesTheBatchFileOfANamedSlot) {
  Start(true);
  desk.files.files.erase("C:\\Bat\\2.bat");
  c.grids[0].SetCell(1, 4, "");  // slot 3 without a name
  const std::string missing = "\x81\x69\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x82\xA0\x82\xE8"
                              "\x82\xDC\x82\xB9\x82\xF1\x81\x6A";  // （ファイルがありません）
  EXPECT_EQ(form.StringGridHint(1), "C:\\Bat\\0.bat");
  EXPECT_EQ(form.StringGridHint(3), missing + "C:\\Bat\\2.bat");
  EXPECT_EQ(form.StringGridHint(4), std::nullopt);
  EXPECT_EQ(form.StringGridHint(0), std::nullopt);

  // Files on other machines are never asked about on the window's thread: the path shows
  // without the claim until the answer of a check off that thread says the file is missing.
  desk.networkDrives = {'N'};
  desk.files.files["N:\\Bat\\n.bat"] = "";
  const struct {
    const char* path;
    std::optional<bool> answer;  // the check's answer, nullopt while none came
    std::string hint;
  } cases[] = {
      {"\\\\server\\bat\\u.bat", std::nullopt, "\\\\server\\bat\\u.bat"},
      {"//server/bat/u.bat", false, missing + "//server/bat/u.bat"},
      {"\\\\?\\UNC\\server\\u.bat", true, "\\\\?\\UNC\\server\\u.bat"},
      {"N:\\Bat\\gone.bat", std::nullopt, "N:\\Bat\\gone.bat"},
      {"N:\\Bat\\n.bat", false, missing + "N:\\Bat\\n.bat"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.path);
    c.grids[0].SetCell(2, 1, k.path);
    desk.files.existsAsked.clear();
    view.checksAsked.clear();
    EXPECT_EQ(form.StringGridHint(1), k.path);
    EXPECT_EQ(form.StringGridHint(1), k.path);
    EXPECT_EQ(view.checksAsked, std::vector<std::string>{k.path}) << "one check at a time";
    if (k.answer) form.FileChecked(k.path, *k.answer);
    EXPECT_EQ(form.StringGridHint(1), k.hint);
    EXPECT_TRUE(desk.files.existsAsked.empty());
    // An answer serves the next hints for a while, then the file is asked about again.
    EXPECT_EQ(view.checksAsked.size(), 1u);
    desk.tick += 20000;
    form.StringGridHint(1);
    EXPECT_EQ(view.checksAsked.size(), k.answer ? 2u : 1u);
  }
}

TEST_F(MainFormTest, SettingsDialogHandshake) {
  const struct {
    const char* name;
    bool editModeBefore;
    std::function<void(MainFormTest&)> user;
    int32_t interval;
    bool editMode;
  } cases[] = {
      {"OK turns edit mode off", true,
       [](MainFormTest& t) { t.settingsView.edit1 = "5000"; t.settingsView.check3 = false;
                             t.form3.Button2Click(); },
       5000, false},
      {"OK turns edit mode on", false,
       [](MainFormTest& t) { t.settingsView.check3 = true; t.form3.Button2Click(); }, 3000, true},
      {"Cancel keeps values", false,
       [](MainFormTest& t) { t.settingsView.edit1 = "99"; t.settingsView.check3 = true;
                             t.form3.Button3Click(); },
       3000, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    c = FakeMainControls{};
    Start(k.editModeBefore);
    settingsView.onShow = [&] { form3.FormShow(); k.user(*this); };
    form.Button1Click();
    EXPECT_EQ(form.state.settings.FInterval, k.interval);
    EXPECT_EQ(form.state.settings.FEditMode, k.editMode);
    EXPECT_EQ(c.timer.running, !k.editMode);
    if (!k.editMode) {
      EXPECT_EQ(c.timer.interval, k.interval);
    }
    EXPECT_EQ(c.combo.items[0], k.editMode ? kEditModeLabel : kNoTarget);
  }
}

TEST_F(MainFormTest, CloseAndEndOfSessionWriteMenusAndCurrentBounds) {
  for (const bool endOfSession : {false, true}) {
    SCOPED_TRACE(endOfSession ? "end of session" : "close");
    c = FakeMainControls{};
    desk.files.files["C:\\App\\ga_list.txt"] = MenuFileBytes(SampleMenus("C:\\Bat\\"));
    Start(false);
    c.grids[0].Select(1, 1);
    form.state.menus.FMenus[0].Names[0].clear();  // an edit not saved yet
    view.bounds = {-1920, 5, 640, 480};
    editorView.position = {7, 8};
    settingsView.position = {9, 10};
    endOfSession ? form.FormEndSession() : form.FormClose();
    EXPECT_FALSE(c.timer.running);

    MenuStore expectedMenus = SampleMenus("C:\\Bat\\");
    expectedMenus.FMenus[0].Names[0].clear();
    EXPECT_EQ(desk.files.files["C:\\App\\ga_list.txt"], MenuFileBytes(expectedMenus));

    TSettings expected = form.state.settings;
    expected.main = view.bounds;
    expected.slotEditor = editorView.position;
    expected.settingsDialog = settingsView.position;
    EXPECT_EQ(desk.files.files["C:\\App\\Tabvane.dat"], SettingsFileBytes(expected));
  }
}

// A save that fails says so: in the caption after an edit, in a Yes/No question at the close
// (Yes tries again), not at all at the end of the session; and a start-up that did not finish
// never overwrites the files it did not read.
TEST_F(MainFormTest, FailedSavesAreSaidAndUnreadFilesNeverWritten) {
  const std::string cantSave =
      "Tabvane \x81\xA8 \x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1: ";  // 保存できません:
  const std::string menusNotSaved =  // メニューを保存できませんでした。
      "\x83\x81\x83\x6A\x83\x85\x81\x5B\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
      "\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";
  const std::string saveAgain =  // もう一度保存しますか？
      "\x82\xE0\x82\xA4\x88\xEA\x93\x78\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";
  enum Step { kDelete, kClose, kEndSession };
  const struct {
    const char* name;
    bool startFails;    // reading the command list runs out of memory
    Step step;
    int failures;       // saves that fail before the disk takes them again
    bool answerYes;
    std::string caption;
    std::size_t questions;
    bool menusWritten;
  } cases[] = {
      {"edit, save fails", false, kDelete, 9, false, cantSave + "ga_list.txt", 0, false},
      {"close, save fails, No", false, kClose, 9, false, "", 2, false},
      {"close, save fails once, Yes", false, kClose, 1, true, "", 1, true},
      {"end of session, save fails", false, kEndSession, 9, true, "", 0, false},
      {"start-up failed, edit", true, kDelete, 0, false, cantSave + "ga_list.txt", 0, false},
      {"start-up failed, close", true, kClose, 0, false, "", 0, false},
  };
  const std::string startMenus = MenuFileBytes(SampleMenus("C:\\Bat\\"));
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    c = FakeMainControls{};
    view = FakeMainFormView{};
    desk.files.files["C:\\App\\ga_list.txt"] = startMenus;
    desk.files.failCreate = false;
    desk.files.throwOnRead = k.startFails ? "C:\\App\\com_list.txt" : "";
    if (k.startFails) {
      EXPECT_THROW(form.FormShow(), std::bad_alloc);
    } else {
      form.FormShow();
    }
    int failures = k.failures;
    desk.files.failCreate = failures > 0;
    view.answerRetry = [&] {
      desk.files.failCreate = --failures > 0;
      return k.answerYes;
    };
    c.grids[0].Select(1, 1);
    // An edit that only the step itself can save.
    if (!form.state.menus.FMenus.empty()) form.state.menus.FMenus[0].Names[5] = "edited";
    switch (k.step) {
      case kDelete: form.FormKeyDown(kVkDelete, false); break;
      case kClose: form.FormClose(); break;
      case kEndSession: form.FormEndSession(); break;
    }
    EXPECT_EQ(view.caption, k.caption);
    ASSERT_EQ(view.questions.size(), k.questions);
    if (k.questions > 0) {
      EXPECT_EQ(view.questions[0], menusNotSaved + "\r\nC:\\App\\ga_list.txt\r\nno room\r\n" + saveAgain);
    }
    EXPECT_EQ(desk.files.files["C:\\App\\ga_list.txt"] != startMenus, k.menusWritten);
  }
}

// A session that changes nothing writes nothing: a read-only place closes without a question,
// and ga_list.bak keeps the menus of the last session that changed them.
TEST_F(MainFormTest, NothingChangedNothingWritten) {
  Start(false);
  TSettings unchanged = form.state.settings;
  unchanged.main = view.bounds;
  unchanged.slotEditor = editorView.position;
  unchanged.settingsDialog = settingsView.position;
  desk.files.files["C:\\App\\Tabvane.dat"] = SettingsFileBytes(unchanged);
  desk.files.files["C:\\App\\ga_list.bak"] = "older";
  desk.files.failCreate = true;  // nothing may be created in the folder
  c.grids[0].Select(20, 20);
  form.FormKeyDown(kVkC, true);  // a copy changes no menu
  form.FormClose();
  EXPECT_TRUE(view.questions.empty());
  EXPECT_EQ(view.caption, "");
  EXPECT_EQ(desk.files.files["C:\\App\\ga_list.bak"], "older");

  // The next session that changes the menus keeps the file it started from.
  const std::string startMenus = desk.files.files["C:\\App\\ga_list.txt"];
  desk.files.failCreate = false;
  form.FormShow();
  c.grids[0].Select(3, 3);
  form.FormKeyDown(kVkDelete, false);
  EXPECT_EQ(desk.files.files["C:\\App\\ga_list.bak"], startMenus);
}

// An exe whose folder code page 932 cannot name comes without a path: the caption says so and
// no file is read or written, the settings' neither.
TEST(MainFormFolder, AFolderWithoutAShiftJisNameReadsAndWritesNothing) {
  FakeMainControls c;
  FakeMainFormView view;
  FakeSlotEditorView editorView;
  FakeSettingsDialogView settingsView;
  FakeDesktop desk;
  desk.files.folders = {""};
  desk.files.files["com_list.txt"] = kCommandList;  // where a wrong path would look
  TForm2 form2{editorView, desk.files};
  TForm3 form3{settingsView};
  TForm1 form{c.View(), view, desk, form2, form3, ""};
  form.FormShow();
  // このフォルダーでは使えません:
  const std::string unusable = std::string(kLaunchCaption) +
                               "\x82\xB1\x82\xCC\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xC5"
                               "\x82\xCD\x8E\x67\x82\xA6\x82\xDC\x82\xB9\x82\xF1: ";
  EXPECT_EQ(view.caption.substr(0, unusable.size()), unusable);
  EXPECT_TRUE(form.state.FEntries.empty());
  settingsView.onShow = [&] { form3.FormShow(); form3.Button2Click(); };
  form.Button1Click();  // an OK of the settings dialog: said again, not saved
  EXPECT_EQ(view.caption.substr(0, unusable.size()), unusable);
  form.FormClose();
  EXPECT_EQ(desk.files.files.size(), 1u);
  EXPECT_TRUE(view.questions.empty());
}

// The same start and close on the platform's real files (a Windows file system under Wine;
// natively the scratch path has no Windows separator and the test does not apply).
TEST(MainFormFiles, StartAndCloseOnRealFiles) {
  ScratchDir dir;
  if (FolderPart(dir.path()).empty()) GTEST_SKIP() << "needs a Windows path";
  WriteBytes(dir / "com_list.txt", kCommandList);
  const std::string menus = MenuFileBytes(SampleMenus(dir.path()));
  WriteBytes(dir / "ga_list.txt", menus);

  FakeMainControls c;
  FakeMainFormView view;
  FakeSlotEditorView editorView;
  FakeSettingsDialogView settingsView;
  FakeDesktop desk;
  desk.fileSystem = &PlatformFiles();
  TForm2 form2{editorView, PlatformFiles()};
  TForm3 form3{settingsView};
  TForm1 form{c.View(), view, desk, form2, form3, dir / "Tabvane.exe"};
  form.FormShow();
  EXPECT_EQ(c.grids[0].Cell(1, 36), SlotName(1, 35));
  view.bounds = {1, 2, 300, 400};
  form.FormClose();

  EXPECT_EQ(ReadBytes(dir / "ga_list.txt"), menus);
  TSettings expected = form.state.settings;
  expected.main = view.bounds;
  EXPECT_EQ(ReadBytes(dir / "Tabvane.dat"), SettingsFileBytes(expected));
}

// The register dialog's view: the user's actions run from onShow.
class FakeTeachDialogView : public TeachDialogView {
 public:
  std::vector<std::string> tabs, keywords;
  TeachFields fields;
  std::string result;
  bool okEnabled = false;
  std::function<void()> onShow;
  void SetPages(const std::vector<std::string>&) override {}
  void SetTabs(const std::vector<std::string>& captions) override { tabs = captions; }
  void SetKeywords(const std::vector<std::string>& captions) override { keywords = captions; }
  TeachFields Fields() const override { return fields; }
  void SetFields(const TeachFields& f) override { fields = f; }
  void SetResult(std::string_view text) override { result = std::string(text); }
  void EnableOk(bool enabled) override { okEnabled = enabled; }
  void Close() override {}
  void ShowModal() override {
    if (onShow) onShow();
  }
};

// The preview is the detection's own verdict on the list with the new line in it.
TEST(TeachPreview, SwitchesBeatenOrNothingToWrite) {
  const std::vector<TCommandEntry> entries =
      ParseCommandList("p\nA\tkw\nB\tother\nB\tsame,more\np\nC\tsame\n");
  using Kind = TeachOutcome::Kind;
  const struct {
    const char* name;
    int32_t page, tab;
    std::vector<std::string> keywords;
    std::string captions;
    TeachOutcome outcome;
  } cases[] = {
      {"no keyword", 0, 1, {}, "same", {Kind::NoKeywords}},
      {"no such tab", 2, 0, {"same"}, "same", {Kind::NoTab}},
      {"the new line wins", 0, 0, {"same", "new"}, "same,new", {Kind::Switches}},
      {"an earlier line with more keywords wins", 1, 0, {"same"}, "same,more", {Kind::Beaten, 4}},
      {"a later line is counted in the new list", 0, 0, {"x"}, "x,same,more", {Kind::Beaten, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PreviewTeach(entries, c.page, c.tab, c.keywords, c.captions), c.outcome);
  }
}

// Register: the captions that came with the command are offered checked, OK joins the line to
// the chosen tab (com_list.bak keeps the list as it was) and the next scan switches there; a
// failed write says so and changes nothing.
TEST_F(MainFormTest, TeachWritesTheLineAndTheNextScanSwitches) {
  const std::string list = desk.files.files["C:\\App\\com_list.txt"];
  desk.AddChild(100, 101, "cmdX");
  desk.foreground = 100;
  Start(false);
  desk.AddChild(100, 102, " new1 ");
  form.Timer1Timer();
  FakeTeachDialogView teachView;
  TForm4 form4(teachView);
  teachView.onShow = [&] {
    form4.FormShow();
    EXPECT_EQ(teachView.keywords, (std::vector<std::string>{"cmdX", "new1"}));
    EXPECT_EQ(teachView.fields, (TeachFields{0, 0, {false, true}}));
    teachView.fields.tab = 1;
    form4.FieldsChange();
    EXPECT_NE(teachView.result.find("B new1\r\n"), std::string::npos) << teachView.result;
    form4.Button1Click();
  };

  desk.files.failCreate = true;
  form.TeachCommand(form4);
  EXPECT_EQ(view.caption, std::string(kLaunchCaption) +
                              "\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1: com_list.txt");
  EXPECT_EQ(desk.files.files["C:\\App\\com_list.txt"], list);

  desk.files.failCreate = false;
  form.TeachCommand(form4);
  EXPECT_EQ(desk.files.files["C:\\App\\com_list.txt"], "\r\nA\tkw\r\nB\tkw2\r\nB\tnew1\r\n\r\nC\tcmdC\r\n");
  EXPECT_EQ(desk.files.files["C:\\App\\com_list.bak"], list);
  EXPECT_EQ(c.pages.active, 0);
  EXPECT_EQ(c.tabs[0].selected, 1);
  EXPECT_EQ(c.timer.log.back(), "start 3000");
}

// An outside edit of com_list.txt is read at the next tick: menus mapped by number as a
// restart would, those beyond the new count kept, page and tab kept while they exist.
TEST_F(MainFormTest, ChangedListIsReadAgainKeepingMenus) {
  const std::string list = desk.files.files["C:\\App\\com_list.txt"];
  Start(false);
  const std::string menus = MenuFileBytes(form.state.menus);
  c.pages.active = 0;
  c.tabs[0].selected = 1;
  view.caption.clear();
  form.Timer1Timer();
  EXPECT_EQ(view.caption, "");  // unchanged: nothing read

  desk.files.files["C:\\App\\com_list.txt"] = "\r\nA\tkw\r\nB\tkw2\r\nD\tkwD\r\n";
  form.Timer1Timer();
  EXPECT_EQ(view.caption, std::string(kLaunchCaption) +
                              "com_list.txt \x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xDC\x82\xB5\x82\xBD");
  EXPECT_EQ(c.tabs[0].tabs, (std::vector<std::string>{"A", "B", "D"}));
  EXPECT_EQ(c.pages.active, 0);
  EXPECT_EQ(c.tabs[0].selected, 1);

  desk.files.files["C:\\App\\com_list.txt"] = "\r\nA\tkw\r\n";  // a page line lost
  form.Timer1Timer();
  EXPECT_EQ(form.state.menus.FMenus.size(), 1U);
  desk.files.files["C:\\App\\com_list.txt"] = list;  // and put back
  form.Timer1Timer();
  EXPECT_EQ(MenuFileBytes(form.state.menus), menus);
}

}  // namespace
}  // namespace tabvane
