// Command captions of the target, keyword matching, and what a whole scan reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_scan.h"
#include "tests/fakes/fake_desktop.h"

namespace tabvane {
namespace {

using fakes::FakeDesktop;

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

// A target (handle 50) whose children carry the captions.
void SetUpHost(FakeDesktop& desk) {
  desk.AddWindow(50, "a - jw_win");
  desk.AddChild(50, 51, " alpha ");
  desk.AddChild(51, 52, "beta");              // grandchild
  desk.AddChild(50, 53, "\x90\xDD\x92\xE8");  // 設定
  desk.AddChild(50, 54, "owned").owner = 9;
  desk.AddChild(50, 55, "hidden").visible = false;
  desk.AddChild(55, 56, "under hidden");
  desk.AddChild(50, 57, "");
}

TEST(ReadChildCaptions, VisibleUnownedCaptionsOfTheTargetAndTheCommandsAmongThem) {
  FakeDesktop desk;
  SetUpHost(desk);
  const ChildCaptions read = ReadChildCaptions(desk, 50);
  EXPECT_EQ(read.all, (std::vector<std::string>{" alpha ", "beta", "\x90\xDD\x92\xE8", ""}));
  EXPECT_EQ(read.commands, (std::vector<std::string>{" alpha ", "beta"}));
  EXPECT_EQ(CaptionText(read.commands), " alpha ,beta");

  desk.AddWindow(0x80000032u, "b - jw_win");  // negative as a signed handle: not enumerated
  desk.AddChild(0x80000032u, 60, "gamma");
  EXPECT_TRUE(ReadChildCaptions(desk, 0x80000032u).all.empty());
  EXPECT_TRUE(ReadChildCaptions(desk, 0).all.empty());
}

TEST(ScanHost, ListsHostsAndDetectsOnlyWhenAsked) {
  for (const bool detect : {true, false}) {
    SCOPED_TRACE(detect ? "detecting" : "not detecting");
    FakeDesktop desk;
    SetUpHost(desk);
    const std::vector<TCommandEntry> entries = {Keyed("gamma"), Keyed("alpha", 3, 2),
                                                Keyed("alpha,beta", 1, 0)};
    WindowHandle target = 0;
    const ScanResult scan = ScanHost(desk, entries, target, detect);
    EXPECT_EQ(target, 50u);
    EXPECT_EQ(scan.hosts.selected, 1);
    EXPECT_EQ(scan.captions.has_value(), detect);
    const std::vector<std::size_t> switches = {1, 2};
    EXPECT_EQ(scan.switches, detect ? switches : std::vector<std::size_t>());
  }
}

}  // namespace
}  // namespace tabvane
