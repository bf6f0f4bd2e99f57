// Command list: how lines become pages, tabs and menu numbers, and that tab positions and
// FindMenuNumber always agree.
#include "model/command_list.h"

#include <random>

#include <gtest/gtest.h>

#include <optional>

#include "model/command_list_edit.h"
#include "tests/fakes/fake_controls.h"
#include "text/func.h"
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

// "Page.TabIndex.MenuNumber" of every entry after BuildTabs, the taught line left out.
std::vector<std::string> Tabs(std::vector<TCommandEntry> entries, int32_t skipLine) {
  BuildTabs(entries, {});
  std::vector<std::string> tabs;
  for (const TCommandEntry& e : entries) {
    if (e.Line == skipLine) continue;
    tabs.push_back(std::to_string(e.Page) + '.' + std::to_string(e.TabIndex) + '.' +
                   std::to_string(e.MenuNumber));
  }
  return tabs;
}

// The taught line joins its tab after the run that opened it: tabs, indices and menu numbers
// stay, and every other byte of the file (line ends, final line, 0x1A tail) is kept.
TEST(CommandListTeach, EntryLineJoinsItsTabAndKeepsEveryOtherByte) {
  const struct {
    const char* name;
    std::string bytes;
    int32_t page, tab;
    std::string line;
    std::optional<std::string> result;
  } cases[] = {
      {"first tab, CR LF", "p\r\nA\tx\r\nA\ty\r\nB\tz\r\n", 0, 0, "A\tn",
       "p\r\nA\tx\r\nA\ty\r\nA\tn\r\nB\tz\r\n"},
      {"middle tab, LF", "p\nA\tx\nB\ty\nC\tz\np\nD\tw\n", 0, 1, "B\tn",
       "p\nA\tx\nB\ty\nB\tn\nC\tz\np\nD\tw\n"},
      {"last tab, no final line end", "p\r\nA\tx\r\nB\ty", 0, 1, "B\tn", "p\r\nA\tx\r\nB\ty\r\nB\tn"},
      {"only line, no line end at all", "A\tx", -1, 0, "A\tn", "A\tx\r\nA\tn"},
      {"second page", "p\nA\tx\np\nB\ty\n", 1, 0, "B\tn", "p\nA\tx\np\nB\ty\nB\tn\n"},
      {"0x1A tail after the line end", "p\r\nA\tx\r\n\x1A junk", 0, 0, "A\tn",
       "p\r\nA\tx\r\nA\tn\r\n\x1A junk"},
      {"0x1A cutting the last line", "p\nA\tx\x1A junk", 0, 0, "A\tn", "p\nA\tx\nA\tn\x1A junk"},
      {"a tab opened twice, the first", "p\nA\t1\nB\t2\nA\t3\n", 0, 0, "A\tn",
       "p\nA\t1\nA\tn\nB\t2\nA\t3\n"},
      {"a tab opened twice, the second", "p\nA\t1\nB\t2\nA\t3\n", 0, 2, "A\tn",
       "p\nA\t1\nB\t2\nA\t3\nA\tn\n"},
      {"no such tab", "p\nA\t1\n", 0, 1, "A\tn", std::nullopt},
      {"UTF-8 file gets UTF-8", "p\r\n\xE7\xB7\x9A\tx\r\n", 0, 0, "\x90\xFC\t\x90\xFC",
       "p\r\n\xE7\xB7\x9A\tx\r\n\xE7\xB7\x9A\t\xE7\xB7\x9A\r\n"},
      {"UTF-8 with BOM", "\xEF\xBB\xBFp\n\xE7\xB7\x9A\tx\n", 0, 0, "\x90\xFC\tn",
       "\xEF\xBB\xBFp\n\xE7\xB7\x9A\tx\n\xE7\xB7\x9A\tn\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> result =
        TeachEntryLine({true, true, c.bytes}, fakes::PlatformCodec(), c.page, c.tab, c.line);
    EXPECT_EQ(result, c.result);
    if (!result || !c.result) continue;
    CommandListFile before;
    CommandListFile after;
    const auto oldEntries = ParseCommandList(CommandListText(fakes::PlatformCodec(), c.bytes, before));
    const auto newEntries = ParseCommandList(CommandListText(fakes::PlatformCodec(), *result, after));
    int32_t taught = 0;
    for (const TCommandEntry& e : newEntries) {
      if (e.Keywords.back() == 'n' || e.Keywords == "\x90\xFC") taught = e.Line;
    }
    const auto oldTabs = Tabs(oldEntries, -1);
    EXPECT_EQ(Tabs(newEntries, taught), oldTabs);
  }
  // A file read in part is never written.
  EXPECT_EQ(TeachEntryLine({true, false, "p\nA\tx\n"}, fakes::PlatformCodec(), 0, 0, "A\tn"),
            std::nullopt);
}

// Whatever the captions hold, the comma-text split gives back exactly the keywords joined.
TEST(CommandListTeach, KeywordsSurviveTheCommaTextSplit) {
  const std::vector<std::string> pieces = {"a", "Z", " ", ",", "\"", "\t", "\x81\x40", "\x95\x5C",
                                           "\xB1", "\xCF\xBD", "\x90\xFC", "x\"y", "\x83\x5C"};
  std::mt19937 random(21);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> keywords(1 + random() % 4);
    for (std::string& keyword : keywords) {
      const std::size_t length = 1 + random() % 5;
      for (std::size_t i = 0; i < length; ++i) keyword += pieces[random() % pieces.size()];
    }
    std::vector<std::string> back;
    SplitCommaText(JoinKeywords(keywords), back);
    ASSERT_EQ(back, keywords) << JoinKeywords(keywords);
  }
}

// A list saved as UTF-8 is told from Shift-JIS; a Shift-JIS list never reads as UTF-8, even one
// of ASCII and half-width katakana pairs that happen to be valid two-byte sequences.
TEST(CommandListTeach, EncodingOfTheList) {
  const struct {
    const char* name;
    std::string bytes;
    ListEncoding encoding;
  } cases[] = {
      {"ASCII", "p\r\nA\tline\r\n", ListEncoding::ShiftJis},
      {"Shift-JIS kanji and kana", "\x8D\xEC\x90\x7D\r\n\x90\xFC\t\x90\xFC,\x90\x85\x95\xBD\r\n",
       ListEncoding::ShiftJis},
      {"Shift-JIS katakana", "\x83\x74\x83\x8A\x81\x5B\r\n\x83\x8C\x83\x43\x83\x84\tx\r\n",
       ListEncoding::ShiftJis},
      {"half-width pairs valid as UTF-8", "\xCC\xA7\xB2\xD9\r\n\xCF\xBD\t\xCF\xBD,\xD7\xB2\r\n",
       ListEncoding::ShiftJis},
      {"UTF-8 kanji", "p\r\n\xE7\xB7\x9A\tx\r\n", ListEncoding::Utf8},
      {"UTF-8 with BOM, ASCII only", "\xEF\xBB\xBFp\r\n", ListEncoding::Utf8Bom},
      {"overlong form", "\xC0\x80\xE7\xB7\x9A", ListEncoding::ShiftJis},
      {"surrogate", "\xED\xA0\x80", ListEncoding::ShiftJis},
      {"cut sequence", "\xE7\xB7\x9A\xE7\xB7", ListEncoding::ShiftJis},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectEncoding(c.bytes), c.encoding);
  }
  // UTF-8 reads as its Shift-JIS twin; a character code page 932 lacks matches nothing.
  CommandListFile file;
  EXPECT_EQ(CommandListText(fakes::PlatformCodec(), "\xEF\xBB\xBFp\r\n\xE7\xB7\x9A\t\xE3\x82\xA2\xC3\xA9\xF0\x9F\x99\x82\r\n", file),
            "p\r\n\x90\xFC\t\x83\x41" + std::string(kUnmappable) + std::string(kUnmappable) + "\r\n");
  EXPECT_EQ(file.encoding, ListEncoding::Utf8Bom);
  EXPECT_EQ(file.unmappable, 2U);
}

}  // namespace
}  // namespace tabvane
