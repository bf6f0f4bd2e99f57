// Command captions of the target, keyword matching and the automatic switch, and the timer
// discipline of a whole scan.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_link.h"
#include "tests/host/rig.h"

namespace tabvane {
namespace {

using fakes::Rig;

TEST(IsCommandCaption, DropsEmptyAndPanelNames) {
  const struct {
    std::string caption;
    bool command;
  } cases[] = {
      {"", false},
      {" \t\r\n", false},
      {" \x90\xDD\x92\xE8", false},                                         // " 設定"
      {"\x90\xDD\x92\xE8 ", false},                                         // "設定 "
      {"\x83\x86\x81\x5B\x83\x55\x81\x5B(2)", false},                       // ユーザー(2)
      {"\x82\xBB\x82\xCC\x91\xBC(22)", false},                              // その他(22)
      {"\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76", false},  // レイヤグループ
      {"><", false},
      {"F", false},
      {"\x90\xDD\x92\xE8" "1", true},            // 設定1
      {"\x82\xBB\x82\xCC\x91\xBC(3)", true},  // その他(3)
      {"all", true},
      {"G", true},
      {"10", true},
      {"\x81\x40" "A", true},  // a full-width blank is not trimmed
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCommandCaption(c.caption), c.command) << c.caption;
  }
}

TCommandEntry Keyed(std::string keywords, int32_t page = 0, int32_t tab = 0) {
  return TCommandEntry{page, tab, 0, "tab", std::move(keywords)};
}

TEST(DetectSwitches, MostKeywordsWinInListOrder) {
  const struct {
    const char* name;
    std::string captions;
    std::vector<std::string> keywords;
    std::vector<std::size_t> switches;
  } cases[] = {
      {"keyword inside a caption", "alpha,beta", {"alpha,gamma", "alpha,bet"}, {1}},
      {"one keyword, then two; an equal count never takes over", "p,q,r", {"p", "p,q", "q,r"},
       {0, 1}},
      {"fewer keywords after a match never switch", "p,q", {"p,q", "p"}, {0}},
      {"empty keywords and empty items never match", "a,b", {"", "a,,b", "a,", ",a", "  "}, {}},
      {"a repeated keyword counts twice", "x", {"y", "x", "x,x"}, {1, 2}},
      {"quoted keyword across the comma", "xa,by", {"\"a,b\""}, {0}},
      {"case-sensitive", "Alpha", {"alpha"}, {}},
      {"no match on a second byte", "\x83\x41", {"A"}, {}},  // ア ends in 0x41
      {"nothing read", "", {"a"}, {}},
      {"every byte pair present, never in one run", "ab,bc", {"abc", "b,c"}, {1}},
      {"one-byte keywords", "x,ab", {"c", "b"}, {1}},
      {"a missing first keyword settles the entry", "x,y", {"z,x,y", "y,x"}, {1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TCommandEntry> entries;
    for (const std::string& k : c.keywords) entries.push_back(Keyed(k));
    EXPECT_EQ(DetectSwitches(entries, c.captions), c.switches);
  }
}

// A target (handle 50) whose children carry the captions; menus with a marker name in slot 0.
void SetUpHost(Rig& rig, const std::vector<TCommandEntry>& entries) {
  rig.desk.AddWindow(50, "a - jw_win");
  rig.desk.AddChild(50, 51, " alpha ");
  rig.desk.AddChild(51, 52, "beta");              // grandchild
  rig.desk.AddChild(50, 53, "\x90\xDD\x92\xE8");  // 設定
  rig.desk.AddChild(50, 54, "owned").owner = 9;
  rig.desk.AddChild(50, 55, "hidden").visible = false;
  rig.desk.AddChild(55, 56, "under hidden");
  rig.desk.AddChild(50, 57, "");
  rig.state.FTargetWnd = 50;
  rig.state.FEntries = entries;
  for (int32_t m = 0; m < 4; ++m) {
    rig.state.menus.FMenus.emplace_back();
    rig.state.menus.FMenus.back().Names[0] = "menu" + std::to_string(m + 1);
  }
  for (auto& tabs : rig.fc.tabs) tabs.tabs = {"t0", "t1", "t2"};
  for (auto& tabs : rig.fc.tabs) tabs.selected = 0;
  for (auto& grid : rig.fc.grids) grid.cells[1][1] = "before";
}

TEST(DetectAndSwitch, ReadsCommandCaptionsOfTheTarget) {
  Rig rig;
  SetUpHost(rig, {});
  rig.fc.list.items = {"old"};
  DetectAndSwitch(rig.state, rig.controls, rig.desk);
  EXPECT_EQ(rig.fc.list.items, (std::vector<std::string>{" alpha ", "beta"}));

  rig.state.FTargetWnd = 0x80000032u;  // negative as a signed handle: not enumerated
  rig.desk.AddWindow(0x80000032u, "b - jw_win");
  rig.desk.AddChild(0x80000032u, 60, "gamma");
  DetectAndSwitch(rig.state, rig.controls, rig.desk);
  EXPECT_TRUE(rig.fc.list.items.empty());
}

TEST(DetectAndSwitch, TurnsPageTabAndGrid) {
  const struct {
    const char* name;
    TCommandEntry entry;
    int32_t page;   // active page afterwards
    int32_t strip;  // strip that must show the tab, -1 for none
    std::size_t grid;
    std::string slot0;  // name cell of slot 0 in that grid
  } cases[] = {
      {"page 2 tab 1", {2, 1, 3, "x", "alpha,beta"}, 2, 2, 2, "menu3"},
      {"free page", {5, 2, 4, "x", "beta"}, 5, 5, 5, "menu4"},
      {"page -1", {-1, 1, 0, "x", "alpha"}, -1, -1, 5, ""},
      {"page 6", {6, 1, 0, "x", "alpha"}, -1, -1, 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    SetUpHost(rig, {Keyed("no such"), c.entry});
    rig.fc.pages.active = 1;
    DetectAndSwitch(rig.state, rig.controls, rig.desk);
    EXPECT_EQ(rig.fc.pages.active, c.page);
    for (int32_t s = 0; s < 6; ++s) {
      EXPECT_EQ(rig.fc.tabs[static_cast<std::size_t>(s)].selected,
                s == c.strip ? c.entry.TabIndex : 0);
    }
    EXPECT_EQ(rig.fc.grids[c.grid].cells[1][1], c.slot0);
  }
}

TEST(ScanHost, SkipsDetectionOnFreePageAndInEditModeAndAlwaysArmsTimer) {
  const struct {
    const char* name;
    int32_t page;
    bool editMode;
    bool detects;
  } cases[] = {
      {"normal", 0, false, true},
      {"free page", 5, false, false},
      {"edit mode", 0, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    SetUpHost(rig, {Keyed("alpha", 3, 2)});
    rig.fc.pages.active = c.page;
    rig.fc.list.items = {"old"};
    rig.state.settings.FInterval = 700;
    rig.state.settings.FEditMode = c.editMode;
    rig.fc.timer.Start(3000);
    ScanHost(rig.state, rig.controls, rig.desk);
    EXPECT_EQ(rig.fc.pages.active, c.detects ? 3 : c.page);
    EXPECT_EQ(rig.fc.list.items.size(), c.detects ? 2u : 1u);
    EXPECT_EQ(rig.fc.combo.selected, 1);
    EXPECT_EQ(rig.fc.timer.log, (std::vector<std::string>{"start 3000", "stop", "start 700"}));
  }
}

}  // namespace
}  // namespace tabvane
