// No slot text can add a line to Tabvane.bat or a field to ga_list.txt: random texts typed
// into the slot editor go through the menus, a launch and the saved menu file read back; and
// no menu file, whatever its bytes, gives a slot text holding a line break.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_launch.h"
#include "model/menus.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_forms.h"
#include "tests/fakes/fake_views.h"
#include "text/lines.h"
#include "ui/form1.h"
#include "ui/form2.h"

namespace tabvane {
namespace {

using namespace fakes;

// Texts made mostly of the bytes that matter here: line ends, TAB, 0x1A, zero, quotes, blanks,
// path characters, lead bytes (with whatever follows them) and now and then any byte.
std::string RandomText(std::mt19937& rng, std::size_t maxLength) {
  static constexpr char kBytes[] = "\t\r\n\x1A\0 \"%\\:.aZ\x81\x95\xE0\xFC\x5C\x40";
  static constexpr std::string_view kPool(kBytes, sizeof kBytes - 1);  // the zero byte included
  std::string text;
  const std::size_t length = rng() % (maxLength + 1);
  while (text.size() < length) {
    const unsigned pick = rng() % 8;
    text.push_back(pick == 0 ? static_cast<char>(rng() % 256) : kPool[rng() % kPool.size()]);
  }
  return text;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\x1A", 3)) != std::string_view::npos;
}

// The bridge batch has its 11 lines, each ending in CR LF, no other line end and no 0x1A, and
// line 7 names the batch file.
void ExpectElevenLines(const std::string& bytes, const std::string& batch) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", begin)) {
    lines.push_back(bytes.substr(begin, end - begin));
    begin = end + 2;
  }
  EXPECT_EQ(begin, bytes.size());
  ASSERT_EQ(lines.size(), 11u);
  for (const std::string& line : lines) EXPECT_FALSE(HasLineBreak(line));
  EXPECT_EQ(lines[6], "REM  #h/" + batch);
}

struct SlotTextInjection : ::testing::Test, FakeForms {

  void SetUp() override {
    desk.files.folders = {"C:\\App\\", "C:\\Host\\"};
    desk.files.files["C:\\App\\com_list.txt"] = "\r\nA\tkw\r\nB\tkw2\r\n";  // page 0: menus 1 and 2
    desk.registry["Jwwin.Document\\shell\\open\\command"] = "C:\\Host\\host.exe %1";
    desk.AddWindow(100, "a.jww - jw_win");
  }
};

TEST_F(SlotTextInjection, EditedSlotsKeepTheBridgeBatchAndTheMenuFileInShape) {
  std::mt19937 rng(20240611);
  form.FormShow();
  for (int round = 0; round < 400; ++round) {
    const int32_t tab = static_cast<int32_t>(rng() % 2);
    const int32_t row = static_cast<int32_t>(rng() % kSlotCount) + 1;
    c.tabs[0].SelectTab(tab);
    form.TabControlChange(0);
    c.grids[0].current = row;
    const std::string typedName = RandomText(rng, 24);
    const std::string typedPath = RandomText(rng, 24);
    editorView.onShow = [&] {
      form2.FormShow();
      editorView.edit1 = typedName;
      editorView.edit2 = typedPath;
      form2.Button2Click();
    };
    form.StringGrid1ContextPopup();

    const TMenu& menu = form.state.menus.FMenus[static_cast<std::size_t>(tab)];
    const std::string& name = menu.Names[static_cast<std::size_t>(row - 1)];
    const std::string& batch = menu.BatchFiles[static_cast<std::size_t>(row - 1)];
    ASSERT_EQ(name.size(), typedName.size());  // nothing dropped, only turned into blanks
    EXPECT_FALSE(HasLineBreak(name) || name.find('\t') != std::string::npos) << round;
    EXPECT_FALSE(HasLineBreak(batch) || batch.find('\t') != std::string::npos) << round;

    if (batch.empty()) continue;
    desk.files.files[batch] = "";  // the slot's batch file exists, so the launch goes ahead
    desk.files.files.erase("C:\\Host\\Tabvane.bat");
    form.RunSlot(0, tab, row - 1);
    SCOPED_TRACE(round);
    ExpectElevenLines(desk.files.files["C:\\Host\\Tabvane.bat"], batch);
  }

  // The saved menu file: per menu 36 lines with exactly one TAB and one empty line.
  form.FormClose();
  const std::string written = desk.files.files["C:\\App\\ga_list.txt"];
  std::vector<std::string> lines;
  LineCursor cursor(written);
  while (!cursor.AtEnd()) lines.emplace_back(cursor.Next());
  ASSERT_EQ(lines.size(), 2u * (kSlotCount + 1));
  std::size_t crlf = 0;
  for (std::size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2)) ++crlf;
  EXPECT_EQ(crlf, lines.size());  // no other line ends
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool separator = i % (kSlotCount + 1) == kSlotCount;
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), separator ? 0 : 1) << i;
  }
  const MenuStore reread = LoadMenus(desk.files, "C:\\App\\ga_list.txt", 2);
  for (std::size_t m = 0; m < 2; ++m) {
    EXPECT_EQ(reread.FMenus[m].Names, form.state.menus.FMenus[m].Names);
    EXPECT_EQ(reread.FMenus[m].BatchFiles, form.state.menus.FMenus[m].BatchFiles);
  }
}

TEST(MenuFileInjection, NoMenuFileGivesSlotTextsWithLineBreaks) {
  std::mt19937 rng(7);
  MemoryFiles files;
  for (int round = 0; round < 300; ++round) {
    files.files["ga_list.txt"] = RandomText(rng, 600);
    const MenuStore store = LoadMenus(files, "ga_list.txt", 2);
    for (const TMenu& menu : store.FMenus) {
      for (std::size_t s = 0; s < kSlotCount; ++s) {
        ASSERT_FALSE(HasLineBreak(menu.Names[s]) || menu.Names[s].find('\t') != std::string::npos) << round;
        ASSERT_FALSE(HasLineBreak(menu.BatchFiles[s])) << round;
        if (menu.BatchFiles[s].empty()) continue;
        SCOPED_TRACE(round);
        ExpectElevenLines(BridgeBatchBytes(menu.BatchFiles[s]), menu.BatchFiles[s]);
      }
    }
  }
}

}  // namespace
}  // namespace tabvane
