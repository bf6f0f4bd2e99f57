// Command list: how lines become pages, tabs and menu numbers, and that tab positions and
// FindMenuNumber always agree.
#include "model/command_list.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/fakes/fake_controls.h"
#include "tests/model/forced_files.h"

namespace tabvane {
namespace {

struct Built {
  std::vector<TCommandEntry> entries;
  std::array<fakes::FakeTabStrip, kPageCount> strips;
  int32_t menuCount = 0;
};

// Loads the list and builds tabs on strips that still carry a tab from the window's design.
void Build(Files& files, const std::string& path, Built& b) {
  std::array<TabStrip*, kPageCount> strips{};
  for (std::size_t p = 0; p < strips.size(); ++p) {
    b.strips[p].SetTabs({"design"});
    strips[p] = &b.strips[p];
  }
  b.entries = LoadCommandList(files, path);
  b.menuCount = BuildTabs(b.entries, strips);
}

// "Page.TabIndex.MenuNumber.TabName=Keywords@Line" per entry, blank separated.
std::string Describe(const std::vector<TCommandEntry>& entries) {
  std::string text;
  for (const TCommandEntry& e : entries) {
    if (!text.empty()) text += ' ';
    text += std::to_string(e.Page) + '.' + std::to_string(e.TabIndex) + '.' +
            std::to_string(e.MenuNumber) + '.' + e.TabName + '=' + e.Keywords + '@' +
            std::to_string(e.Line);
  }
  return text;
}

// "[A][B]|[C]|||||": the captions of the six strips.
std::string Captions(const Built& b) {
  std::string text;
  for (const fakes::FakeTabStrip& strip : b.strips) {
    if (&strip != &b.strips[0]) text += '|';
    for (const std::string& tab : strip.tabs) text += '[' + tab + ']';
  }
  return text;
}

// What every build must give: menus numbered 1.. in file order; the k-th tab of a page opened
// by the k-th opening entry of that page, with its caption; FindMenuNumber(page, k) giving that
// tab's menu, and a tab for every (page, TabIndex) of pages 0..5.
void ExpectConsistent(const Built& b) {
  int32_t next = 1;
  std::array<int32_t, kPageCount> opened{};
  for (const TCommandEntry& e : b.entries) {
    if (e.Page < 0 || e.Page >= kPageCount) {
      EXPECT_EQ(e.MenuNumber, 0);
      continue;
    }
    EXPECT_GT(FindMenuNumber(b.entries, e.Page, e.TabIndex), 0) << Describe(b.entries);
    if (e.MenuNumber == 0) continue;
    const auto p = static_cast<std::size_t>(e.Page);
    ASSERT_EQ(e.MenuNumber, next++);
    ASSERT_LT(opened[p], b.strips[p].TabCount());
    EXPECT_EQ(b.strips[p].tabs[static_cast<std::size_t>(opened[p])], e.TabName);
    EXPECT_EQ(FindMenuNumber(b.entries, e.Page, opened[p]), e.MenuNumber);
    ++opened[p];
  }
  EXPECT_EQ(b.menuCount, next - 1);
  for (int32_t p = 0; p < kPageCount; ++p) {
    const int32_t count = b.strips[static_cast<std::size_t>(p)].TabCount();
    EXPECT_EQ(opened[static_cast<std::size_t>(p)], count);
    EXPECT_EQ(FindMenuNumber(b.entries, p, count), 0);
    EXPECT_EQ(FindMenuNumber(b.entries, p, -1), 0);
  }
}

TEST(CommandList, LinesBecomePagesTabsAndMenus) {
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: no file
    const char* entries;
    const char* captions;
  };
  const Case cases[] = {
      {"no file", std::nullopt, "", "|||||"},
      {"two pages", "p\r\nA\tx\r\nA\ty\r\nB\tz\r\np\r\nC\tw\r\n",
       "0.0.1.A=x@2 0.0.0.A=y@3 0.1.2.B=z@4 1.0.3.C=w@6", "[A][B]|[C]||||"},
      {"empty line is a page line", "p\r\nA\tx\r\n\r\np\r\nB\ty\r\n", "0.0.1.A=x@2 2.0.2.B=y@5", "[A]||[B]|||"},
      {"no page line", "A\tx\nB\ty\n", "-1.0.0.A=x@1 -1.1.0.B=y@2", "|||||"},
      {"before the first and after the sixth page", "Z\tk\np\nA\tx\np\np\np\np\np\nF\tf\np\nG\tg\n",
       "-1.0.0.Z=k@1 0.0.1.A=x@3 5.0.2.F=f@9 6.0.0.G=g@11", "[A]|||||[F]"},
      {"name coming back opens a tab", "p\nA\t1\nB\t2\nA\t3\n", "0.0.1.A=1@2 0.1.2.B=2@3 0.2.3.A=3@4",
       "[A][B][A]|||||"},
      {"same name across blocks", "p\nA\t1\np\nA\t2\n", "0.0.1.A=1@2 1.0.2.A=2@4", "[A]|[A]||||"},
      {"case and trailing blank differ", "p\nA\t1\na\t2\nA \t3\n", "0.0.1.A=1@2 0.1.2.a=2@3 0.2.3.A =3@4",
       "[A][a][A ]|||||"},
      {"single TAB line", "p\n\t\n", "0.0.1.=@2", "[]|||||"},
      {"empty names mid-block", "p\nA\t1\n\t2\nB\t3\n\t4\n\t5\n",
       "0.0.1.A=1@2 0.1.2.=2@3 0.2.3.B=3@4 0.3.4.=4@5 0.3.0.=5@6", "[A][][B][]|||||"},
      {"keywords keep later TABs, lone CR dropped", "p\r\nA\tx\ty\rz\r\n", "0.0.1.A=x\tyz@2", "[A]|||||"},
      {"0x1A ends its line, at a line start the file", "p\nA\tx\x1Ajunk\nB\ty\n\x1A\nC\tz\n",
       "0.0.1.A=x@2 0.1.2.B=y@3", "[A][B]|||||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScratchDir dir;
    if (c.bytes) fakes::WriteBytes(dir / "com_list.txt", *c.bytes);
    Built b;
    Build(fakes::PlatformFiles(), dir / "com_list.txt", b);
    EXPECT_EQ(Describe(b.entries), c.entries);
    EXPECT_EQ(Captions(b), c.captions);
    ExpectConsistent(b);
  }
}

TEST(CommandList, EveryShortListKeepsTabPositionsAndIndicesInStep) {
  // Every list of up to six lines drawn from a page line and three kinds of entry line.
  const std::string kinds[] = {"p\n", "A\tk\n", "B\tk\n", "\tk\n"};
  test::ForcedFiles files;
  for (int length = 0; length <= 6; ++length) {
    int combinations = 1;
    for (int i = 0; i < length; ++i) combinations *= 4;
    for (int code = 0; code < combinations; ++code) {
      std::string bytes;
      for (int i = 0, rest = code; i < length; ++i, rest /= 4) bytes += kinds[rest % 4];
      files.forced = ReadResult{true, true, bytes};
      Built b;
      Build(files, "com_list.txt", b);
      SCOPED_TRACE(bytes);
      ExpectConsistent(b);
      // Room for the entry lines alone: page lines, however many, reserve none.
      EXPECT_EQ(b.entries.capacity(), b.entries.size());
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tabvane
