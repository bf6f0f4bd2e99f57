// Host window list, choice of the target and the user's choice in the host selector.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/host_scan.h"
#include "tests/fakes/fake_desktop.h"

namespace tabvane {
namespace {

using fakes::FakeDesktop;

constexpr const char* kSep = "  \x81\x7C ";  // "  － "

const std::string kBlock =
    "\x81\x9F\x81\x9F\x81\x9F\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x81\x79";  // ◆◆◆ブロック図形【

std::string Entry(const std::string& title, WindowHandle handle) {
  return title + kSep + std::to_string(handle);
}

struct ListCase {
  const char* name;
  WindowHandle targetBefore;
  int32_t selected;
  WindowHandle targetAfter;
  std::vector<std::string> hostEntries;  // the selector's items after its item 0
  std::function<void(FakeDesktop&)> setup;
};

TEST(ListHostWindows, ChoosesTargetAndSelection) {
  const std::string fits(246, 'x');     // + "- jw_win" = 254 bytes: still seen
  const std::string tooLong(247, 'x');  // the marker's last byte lies beyond 254
  const std::string sepTitle = std::string("x") + kSep + "5 - jw_win";
  const ListCase cases[] = {
      {"no host keeps no target", 0, 0, 0, {}, [](FakeDesktop& d) { d.AddWindow(5, "Notes"); }},
      {"no host keeps a dead target", 77, 0, 77, {}, [](FakeDesktop&) {}},
      {"foreground host wins over the chosen one", 10, 2, 20,
       {Entry("a - jw_win", 10), Entry("b - jw_win", 20)},
       [](FakeDesktop& d) {
         d.AddWindow(10, "a - jw_win");
         d.AddWindow(20, "b - jw_win");
         d.foreground = 20;
       }},
      {"first host when there is no target", 0, 1, 10,
       {Entry("a - jw_win", 10), Entry(kBlock + "1", 20)},
       [](FakeDesktop& d) {
         d.AddWindow(3, "editor");
         d.AddWindow(10, "a - jw_win");
         d.AddWindow(20, kBlock + "1");
         d.foreground = 3;
       }},
      {"dead target stays, no fallback", 99, 0, 99, {Entry("a - jw_win", 10)},
       [](FakeDesktop& d) { d.AddWindow(10, "a - jw_win"); }},
      {"owned, invisible, ghost and near-miss titles are not hosts", 0, 0, 0, {},
       [](FakeDesktop& d) {
         d.AddWindow(10, "owned - jw_win").owner = 4;
         d.AddWindow(11, "hidden - jw_win").visible = false;
         d.AddWindow(12, "caps - JW_WIN");
         d.AddWindow(13, "dash-jw_win");
         d.AddWindow(14, "hung - jw_win").className = "Ghost";  // the system's stand-in
         d.foreground = 14;
       }},
      {"title cut to 254 bytes before the test and in the entry", 0, 1, 11,
       {Entry(fits + "- jw_win", 11)},
       [&](FakeDesktop& d) {
         d.AddWindow(10, tooLong + "- jw_win");
         d.AddWindow(11, fits + "- jw_win" + "tail beyond the cut");
       }},
      {"separator inside a title reads as handle 0", 0, 2, 20,
       {Entry(sepTitle, 10), Entry("b - jw_win", 20)},
       [&](FakeDesktop& d) {
         d.AddWindow(10, sepTitle);
         d.AddWindow(20, "b - jw_win");
       }},
      {"handle above 2^31 is listed unsigned but reads as 0", 0, 0, 0x80000010u,
       {Entry("a - jw_win", 0x80000010u)},
       [](FakeDesktop& d) {
         d.AddWindow(0x80000010u, "a - jw_win");
         d.foreground = 0x80000010u;
       }},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesktop desk;
    c.setup(desk);
    WindowHandle target = c.targetBefore;
    const HostList list = ListHostWindows(desk, target);
    EXPECT_EQ(list.entries, c.hostEntries);
    EXPECT_EQ(list.selected, c.selected);
    EXPECT_EQ(target, c.targetAfter);
  }
}

TEST(ComboBox1Select, SetsTargetAndActivatesALiveOne) {
  const struct {
    const char* name;
    std::string entry;
    bool maximize;
    WindowHandle targetAfter;
    std::vector<std::string> calls;
  } cases[] = {
      {"live window, maximized", Entry("a - jw_win", 10), true, 10,
       {"show 10 max", "foreground 10"}},
      {"live window, normal", Entry("a - jw_win", 10), false, 10,
       {"show 10 normal", "foreground 10"}},
      {"window closed since the scan", Entry("gone - jw_win", 20), false, 20, {}},
      {"no separator keeps the target", "\x96\xB3\x8E\x77\x92\xE8", false, 7, {}},  // 無指定
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesktop desk;
    desk.AddWindow(10, "a - jw_win");
    WindowHandle target = 7;
    ComboBox1Select(desk, c.entry, c.maximize, target);
    EXPECT_EQ(target, c.targetAfter);
    EXPECT_EQ(desk.calls, c.calls);
  }
}

}  // namespace
}  // namespace tabvane
