// Menu store: reading and writing ga_list.txt without losing stored menus, the grid view of a
// menu and the row operations with their write-back.
#include "model/menus.h"

#include <gtest/gtest.h>

#include <array>

#include "model/find.h"
#include "tests/fakes/fake_controls.h"
#include "tests/model/forced_files.h"

namespace tabvane {
namespace {

// count slot lines "<prefix><i>\t<prefix>.bat<i>" from i = first on.
std::string SlotLines(const std::string& prefix, int first, int count, const char* eol = "\r\n") {
  std::string bytes;
  for (int i = first; i < first + count; ++i) {
    bytes += prefix + std::to_string(i) + '\t' + prefix + ".bat" + std::to_string(i) + eol;
  }
  return bytes;
}

// Tabs 0..n-1 of page 0 with menus 1..n.
std::vector<TCommandEntry> TabsOnPage0(int32_t n) {
  std::vector<TCommandEntry> entries;
  for (int32_t k = 0; k < n; ++k) entries.push_back({0, k, k + 1, "T" + std::to_string(k), ""});
  return entries;
}

TEST(Menus, SlotLinesAreCountedAcrossBlocks) {
  struct Slot {
    std::size_t menu, slot;
    const char* name;
    const char* path;
  };
  struct Case {
    const char* name;
    std::string bytes;
    int32_t menuCount;
    std::vector<Slot> slots;
    std::size_t surplus;
  };
  const Case cases[] = {
      {"a 35-line block moves later slots up",
       SlotLines("a", 0, 35) + "\r\n" + SlotLines("b", 0, 36) + "\r\n", 2,
       {{0, 34, "a34", "a.bat34"}, {0, 35, "b0", "b.bat0"}, {1, 0, "b1", "b.bat1"}, {1, 34, "b35", "b.bat35"},
        {1, 35, "", ""}}, 0},
      {"lines without TAB do not count", SlotLines("a", 0, 2) + "junk\r\n\r\n" + SlotLines("a", 2, 1), 1,
       {{0, 2, "a2", "a.bat2"}, {0, 3, "", ""}}, 0},
      {"LF only", SlotLines("a", 0, 2, "\n") + "junk\n\n" + SlotLines("a", 2, 1, "\n"), 1,
       {{0, 2, "a2", "a.bat2"}, {0, 3, "", ""}}, 0},
      {"first TAB splits, 0x1A ends", "n\tC:\\x\ty\r\n\x1A\r\nm\tz\r\n", 1,
       {{0, 0, "n", "C:\\x\ty"}, {0, 1, "", ""}}, 0},
      {"lines beyond the menus are kept", SlotLines("a", 0, 36) + "\r\n" + SlotLines("b", 0, 3), 1,
       {{0, 35, "a35", "a.bat35"}}, 3},
      {"no menus", SlotLines("a", 0, 2), 0, {}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScratchDir dir;
    fakes::WriteBytes(dir / "ga_list.txt", c.bytes);
    const MenuStore store = LoadMenus(fakes::PlatformFiles(), dir / "ga_list.txt", c.menuCount);
    ASSERT_EQ(store.FMenus.size(), static_cast<std::size_t>(c.menuCount));
    EXPECT_FALSE(store.unreadable);
    EXPECT_EQ(store.surplusLines.size(), c.surplus);
    for (const Slot& s : c.slots) {
      EXPECT_EQ(store.FMenus[s.menu].Names[s.slot], s.name) << s.menu << '/' << s.slot;
      EXPECT_EQ(store.FMenus[s.menu].BatchFiles[s.slot], s.path) << s.menu << '/' << s.slot;
    }
  }
}

TEST(Menus, SavingKeepsBlocksTheCommandListHasNoTabFor) {
  const std::string a = SlotLines("a", 0, 36) + "\r\n";
  const std::string b = SlotLines("b", 0, 36) + "\r\n";
  const std::string c = SlotLines("c", 0, 36) + "\r\n";
  struct Case {
    const char* name;
    std::string stored;
    int32_t menuCount;
    std::string saved;
  };
  const Case cases[] = {
      {"as many menus as blocks", a + b, 2, a + b},
      {"fewer menus: whole blocks kept", a + b + c, 1, a + b + c},
      {"fewer menus: a partial block too", a + b + SlotLines("c", 0, 4), 1,
       a + b + SlotLines("c", 0, 4) + "\r\n"},
      {"no menus at all", a, 0, a},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    fakes::ScratchDir dir;
    const std::string path = dir / "ga_list.txt";
    fakes::WriteBytes(path, k.stored);
    const MenuStore store = LoadMenus(fakes::PlatformFiles(), path, k.menuCount);
    ASSERT_TRUE(SaveMenus(fakes::PlatformFiles(), path, store));
    // The same slot lines in the same order: a longer command list finds every menu in place.
    EXPECT_EQ(fakes::ReadBytes(path), k.saved);
  }
}

TEST(Menus, AnUnreadableFileIsNeverOverwritten) {
  const std::string stored = SlotLines("a", 0, 36) + "\r\n" + SlotLines("b", 0, 36) + "\r\n";
  struct Case {
    const char* name;
    ReadResult read;
    const char* slot0;  // of menu 1 after loading
  };
  const Case cases[] = {
      {"cannot be opened", {false, false, ""}, ""},
      {"read error part-way", {true, false, stored.substr(0, 40)}, "a0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScratchDir dir;
    const std::string path = dir / "ga_list.txt";
    fakes::WriteBytes(path, stored);
    test::ForcedFiles files;
    files.forced = c.read;
    const MenuStore store = LoadMenus(files, path, 2);
    EXPECT_TRUE(store.unreadable);
    EXPECT_EQ(store.FMenus[0].Names[0], c.slot0);
    EXPECT_FALSE(SaveMenus(files, path, store));
    EXPECT_EQ(fakes::ReadBytes(path), stored);
  }
}

TEST(Menus, ShowMenuFillsThePagesGridWithItsMenuOrEmptiness) {
  std::vector<TCommandEntry> entries = TabsOnPage0(2);
  entries.insert(entries.begin(), {-1, 0, 0, "before", ""});
  entries.push_back({6, 0, 0, "after", ""});
  std::vector<TMenu> menus(2);
  menus[1].Names[0] = "x";
  menus[1].BatchFiles[35] = "z.bat";
  struct Case {
    int32_t page, tab;
    std::size_t grid;   // where the caller shows the page
    const char* slots;  // name of row 1 | path of row 1 | path of row 36
  };
  const Case cases[] = {
      {0, 1, 0, "x||z.bat"}, {0, 0, 0, "||"}, {0, 2, 0, "||"}, {1, -1, 1, "||"},
      {5, -1, 5, "||"},      {6, 0, 5, "||"}, {-1, 0, 5, "||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page << " tab " << c.tab);
    EXPECT_EQ(static_cast<std::size_t>(PageSlotIndex(c.page)), c.grid);
    fakes::FakeGrid grid;
    for (auto& column : grid.cells) column.fill("stale");
    grid.Select(3, 5);
    ShowMenu(entries, menus, grid, c.page, c.tab);
    std::string keys;
    for (int32_t r = 0; r <= kSlotCount; ++r) keys += grid.Cell(0, r);
    EXPECT_EQ(keys, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(grid.Cell(1, 0), "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x96\xBC");  // 外部変形名
    EXPECT_EQ(grid.Cell(2, 0),
              "\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B");  // バッチファイル
    EXPECT_EQ(grid.Cell(1, 1) + '|' + grid.Cell(2, 1) + '|' + grid.Cell(2, 36), std::string(c.slots));
    EXPECT_EQ((std::array{grid.selection.top, grid.selection.bottom, grid.current}), (std::array{3, 5, 3}));
  }
}

// Page 0 with two tabs and menus; page 1 without tabs.
struct RowOps : testing::Test {
  std::vector<TCommandEntry> entries = TabsOnPage0(2);
  std::vector<TMenu> menus = std::vector<TMenu>(2);
  std::vector<TClipRow> clip;
  fakes::FakeGrid grid;

  void SetUp() override {
    for (std::size_t s = 0; s < kSlotCount; ++s) {
      menus[0].Names[s] = std::string("a") + std::to_string(s);
      menus[0].BatchFiles[s] = std::string("a.bat") + std::to_string(s);
    }
  }
};

TEST_F(RowOps, PasteBelowTheLastRowDropsTheRest) {
  ShowMenu(entries, menus, grid, 0, 0);
  grid.Select(3, 5);
  CopyRows(grid, clip);
  ASSERT_EQ(clip.size(), 3u);

  ShowMenu(entries, menus, grid, 0, 1);
  grid.Select(35, 35);
  PasteRows(entries, menus, grid, 0, 1, clip);
  EXPECT_EQ(menus[1].Names[34], "a2");
  EXPECT_EQ(menus[1].BatchFiles[35], "a.bat3");
  EXPECT_EQ(grid.Cell(1, 36), "a3");
  EXPECT_EQ(menus[1].Names[33], "");
  EXPECT_EQ(clip.size(), 3u);  // can be pasted again

  const std::vector<TMenu> before = menus;
  PasteRows(entries, menus, grid, 0, 1, {});
  EXPECT_EQ(menus[1].Names, before[1].Names);
}

TEST_F(RowOps, CutOnATabWithoutMenuChangesNoMenu) {
  const std::vector<TMenu> before = menus;
  ShowMenu(entries, menus, grid, 1, -1);
  grid.SetCell(1, 2, "typed");
  grid.SetCell(2, 2, "typed.bat");
  grid.Select(2, 3);
  CopyRows(grid, clip);
  ClearRows(entries, menus, grid, 1, -1);
  ASSERT_EQ(clip.size(), 2u);
  EXPECT_EQ(clip[0].Name, "typed");
  EXPECT_EQ(clip[0].BatchFile, "typed.bat");
  EXPECT_EQ(grid.Cell(1, 2), "");
  EXPECT_EQ(grid.Cell(0, 2), "1");
  for (std::size_t m = 0; m < menus.size(); ++m) EXPECT_EQ(menus[m].Names, before[m].Names);
}

TEST_F(RowOps, ClearingEveryRowEmptiesTheMenu) {
  ShowMenu(entries, menus, grid, 0, 0);
  grid.Select(1, 36);
  ClearRows(entries, menus, grid, 0, 0);
  EXPECT_EQ(menus[0].Names, TMenu{}.Names);
  EXPECT_EQ(menus[0].BatchFiles, TMenu{}.BatchFiles);
  EXPECT_EQ(grid.Cell(0, 36), "Z");
}

// The find box's list: named slots only, names before paths, each in page, tab and slot order,
// nothing from entries outside the six pages; the row names page, tab, key and name.
TEST(Menus, FindListsNameMatchesThenPathMatchesInMenuOrder) {
  std::vector<TCommandEntry> entries = {{-1, 0, 0, "before", ""}, {0, 0, 0, "A", ""},
                                        {0, 0, 0, "A", "kw"},     {0, 1, 0, "B", ""},
                                        {2, 0, 0, "C", ""},       {6, 0, 0, "after", ""}};
  BuildTabs(entries, {});
  std::vector<TMenu> menus(3);
  const auto put = [&](std::size_t menu, std::size_t slot, const char* name, const char* path) {
    menus[menu].Names[slot] = name;
    menus[menu].BatchFiles[slot] = path;
  };
  put(2, 0, "Line C", "c.bat");
  put(1, 35, "line B", "b.bat");
  put(0, 10, "Arc", "C:\\line\\arc.bat");
  put(0, 3, "Line A", "a.bat");
  put(1, 4, "", "line.bat");  // no name: never listed
  put(0, 4, "x", "C:\\LINE\\x.bat");
  const FindIndex index(entries, menus);
  EXPECT_EQ(index.Size(), 5u);

  std::string order;
  for (const FindHit& hit : index.Filter("LINE")) {
    order += FindRowText(entries, menus, hit) + "|";
  }
  // ﾌｧｲﾙ ＞ A ＞ 3  Line A | ﾌｧｲﾙ ＞ B ＞ Z  line B | 作図 ＞ C ＞ 0  Line C | then the paths
  const std::string file = "\xCC\xA7\xB2\xD9 \x81\x84 ";
  EXPECT_EQ(order, file + "A \x81\x84 3  Line A|" + file + "B \x81\x84 Z  line B|" +
                       "\x8D\xEC\x90\x7D \x81\x84 C \x81\x84 0  Line C|" + file +
                       "A \x81\x84 4  x|" + file + "A \x81\x84 A  Arc|");
  EXPECT_EQ(index.Filter("c line").front(), (FindHit{2, 0, 0, 4}));
  EXPECT_TRUE(index.Filter("  ").empty());
  EXPECT_TRUE(FindRowText(entries, std::vector<TMenu>(1), {2, 0, 0, 4}).empty());
}

}  // namespace
}  // namespace tabvane
