// Character-boundary search, trimming and path splitting: the 0x5C second byte of 表 and
// friends must never be taken for a match or a separator. The table of texts against the
// system's own code page 932.
#include "text/sjis.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "text/fold.h"
#include "text/texts.h"

namespace tabvane {
namespace {

constexpr std::size_t npos = std::string_view::npos;

TEST(SjisFindText, MatchesOnlyOnCharacterBoundaries) {
  struct Case {
    std::string text, needle;
    std::size_t expected;
  };
  const Case cases[] = {
      {"abc", "c", 2},
      {"abc", "", npos},
      {"", "a", npos},
      {"ab", "abc", npos},
      {"\x95\x5C", "\x5C", npos},               // 表
      {"\x95\x5C\x5C", "\x5C", 2},
      {"\x95\x5C" "a\x95\x5C", "\x5C", npos},
      {"\x82\xA0\x82\xA0", "\xA0\x82", npos},   // across two characters
      {"\x82\x82\xA0", "\x82\xA0", npos},       // the first 0x82 takes the second as its trail
      {"\x82\x41\x41", "\x41", 2},
      {"\xB1\x5C", "\x5C", 1},                  // half-width katakana is one byte
      {"\x80\x5C", "\x5C", 1},                  // 0x80 leads nothing in the code page
      {"\x83\x7B\x83\x5E\x83\x93", "\x83\x5E", 2},
      {"x\x8E\x77\x92\xE8,\x8E\x77\x92\xE8", "\x8E\x77\x92\xE8", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(FindText(c.text, c.needle), c.expected) << c.text;
}

// The find box's match: case, widths and voiced marks folded, every word somewhere, and still
// never a match that starts on a second byte.
TEST(SjisFoldedSearch, EveryWordMatchesFoldedOnCharacterBoundaries) {
  struct Case {
    std::string text, query;
    bool found;
  };
  const Case cases[] = {
      {"OffsetLine", "offSET", true},
      {"\x82\x6B\x82\x68\x82\x6D\x82\x64", "line", true},         // ＬＩＮＥ
      {"line", "\x82\x6B\x82\x89\x82\x8E\x82\x85", true},         // Ｌｉｎｅ
      {"\x82\x50\x82\x51\x82\x52", "23", true},                     // １２３
      {"\x83\x74\x83\x40\x83\x43\x83\x8B\x8F\x91", "\xCC\xA7\xB2\xD9", true},  // ファイル書 / ﾌｧｲﾙ
      {"\xCC\xA7\xB2\xD9", "\x83\x74\x83\x40\x83\x43\x83\x8B", true},            // ﾌｧｲﾙ / ファイル
      {"\x83\x4B\x83\x43\x83\x68", "\xB6\xDE\xB2\xC4\xDE", true},  // ガイド / ｶﾞｲﾄﾞ
      {"\xB6\xDE\xB2\xC4\xDE", "\x83\x4B\x83\x43\x83\x68", true},  // ｶﾞｲﾄﾞ / ガイド
      {"\x83\x4A\x83\x43\x83\x67", "\xB6\xDE", false},              // カイト / ｶﾞ
      {"\x83\x70\x83\x58", "\xCA\xDF\xBD", true},                    // パス / ﾊﾟｽ
      {"\x83\x6F\x83\x58", "\xCA\xDF\xBD", false},                   // バス / ﾊﾟｽ
      {"\x83\x94", "\xB3\xDE", true},                                   // ヴ / ｳﾞ
      {"\xDE\xB6", "\x81\x4A\x83\x4A", true},                         // a lone mark: ゛カ
      {"\x90\xA1\x96\x40 \x89\x7E\x8C\xCA", "\x89\x7E\x8C\xCA \x90\xA1", true},  // 寸法 円弧 / 円弧 寸
      {"\x90\xA1\x96\x40 \x89\x7E\x8C\xCA", "\x89\x7E\x81\x40\x96\x40", true},  // full-width blank
      {"\x90\xA1\x96\x40 \x89\x7E\x8C\xCA", "\x89\x7E x", false},  // one word missing
      {"anything", " \x81\x40 ", false},                                 // blanks only
      {"\x95\x5C\x8E\xA6", "\\", false},                              // 表示: 0x5C second byte
      {"\x83\x61", "a", false},                                          // ヂ: 0x61 second byte
      {"\x83\x41", "\x83\x61", false},  // ア is not ヂ: second bytes are never lower-cased
      {"C:\\Tools\\\x95\x5C\x8E\xA6.BAT", "tools\\\x95\x5C .bat", true},  // a path
      {"C:\\\x95\x5C\\x.bat", "\\x", true},  // the separator after 表's 0x5C
      {"ab\x82", "\x82", true},                                          // a lone lead byte at the end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContainsAllWords(Folded(c.text), FoldedWords(c.query)), c.found)
        << c.text << " / " << c.query;
  }
}

// The first match found by stepping from character to character from the start of the text.
std::size_t FindByWalking(std::string_view text, std::string_view needle) {
  if (needle.empty()) return npos;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, needle.size()) == needle) return i;
    i += IsCp932Lead(static_cast<unsigned char>(text[i])) ? 2u : 1u;
  }
  return npos;
}

// Every text of up to 7 bytes made of two lead bytes, a byte that is both a trail byte and a
// character of its own, and one that is never a lead byte: runs of lead bytes of either
// parity before, between and after repeated candidates.
TEST(SjisFindText, AgreesWithAWalkFromTheStartOnEveryShortText) {
  const char alphabet[] = {'\x82', '\x81', '\x41', '\xA0'};
  const std::string needles[] = {"\x82",     "\x41",     "\x82\x41",
                                 "\x41\x82", "\x82\x82", "\x41\x41\x82"};
  std::string text;
  for (std::size_t length = 0; length <= 7; ++length) {
    std::size_t combinations = 1;
    for (std::size_t i = 0; i < length; ++i) combinations *= 4;
    for (std::size_t n = 0; n < combinations; ++n) {
      text.clear();
      for (std::size_t i = 0, rest = n; i < length; ++i, rest /= 4) {
        text.push_back(alphabet[rest % 4]);
      }
      for (const std::string& needle : needles) {
        ASSERT_EQ(FindText(text, needle), FindByWalking(text, needle))
            << testing::PrintToString(text) << " / " << testing::PrintToString(needle);
      }
    }
  }
}

TEST(SjisCutAtBoundary, NeverSplitsACharacter) {
  const struct {
    std::string text;
    std::size_t max;
    std::string expected;
  } cases[] = {
      {"abc", 2, "ab"},
      {"a\x82\xA0", 2, "a"},            // あ would not fit whole
      {"a\x82\xA0", 3, "a\x82\xA0"},
      {std::string("ab\0cd", 5), 9, "ab"},  // the text ends at a zero byte
      {"a\x82", 9, "a\x82"},             // a lead byte at the end is kept when it fits
      {"\xB1\x5C", 1, "\xB1"},          // half-width katakana is one byte
  };
  for (const auto& c : cases) EXPECT_EQ(CutAtBoundary(c.text, c.max), c.expected) << c.text;
}

TEST(SjisTrim, RemovesLowBytesAtBothEndsOnly) {
  const std::pair<std::string, std::string> cases[] = {
      {" \t a b \r\n", "a b"},
      {"\x01\x20", ""},
      {"", ""},
      {"\x81\x40" "a\x81\x40", "\x81\x40" "a\x81\x40"},  // full-width blanks stay
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Trim(text), expected) << text;
}

TEST(SjisFolderPart, SplitsAtTheLastRealSeparator) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\jww\\Jw_win.exe", "C:\\jww\\"},
      {"\x95\x5C.bat", ""},                            // 表.bat
      {"D:\\\x95\x5C\\x.bat", "D:\\\x95\x5C\\"},
      {"D:\\\x95\x5C", "D:\\"},
      {"C:x.bat", "C:"},
      {"name", ""},
      {"\\\\srv\\share\\", "\\\\srv\\share\\"},
  };
  for (const auto& [path, folder] : cases) {
    EXPECT_EQ(FolderPart(path), folder) << path;
    EXPECT_EQ(std::string(FolderPart(path)) + std::string(FileNamePart(path)), path);
  }
}

TEST(SjisIsInFolder, ComparesNamesAsWindowsDoes) {
  const struct { std::string path, folder; bool inside; } cases[] = {
      {"C:\\Users\\u\\Temp\\x.zip\\a.bat", "C:\\Users\\u\\Temp\\", true},
      {"c:\\program files\\Jw\\", "C:\\Program Files", true},   // letters in any case
      {"C:\\Program Files (x86)\\Jw\\", "C:\\Program Files\\", false},  // another folder
      {"C:\\Temp", "C:\\Temp\\", true},
      {"C:\\Tempo\\a.bat", "C:\\Temp", false},
      {"C:\\a.bat", "", false},
      {"D:\\\x83\x41\\a.bat", "D:\\\x83\x61", false},  // ア is not ャ: no case in a second byte
      {"D:\\\x95\x5C\\a.bat", "D:\\\x95\x5C", true},   // 表 ends in 0x5C, no separator
      {"D:\\\x95\x5C", "D:\\\x95", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsInFolder(c.path, c.folder), c.inside) << c.path << " in " << c.folder;
  }
}

// bytes decoded by the system's code page 932 (Windows' own tables, glibc's CP932), as UTF-8;
// "(invalid)" when the system rejects them.
std::string Utf8FromCp932(std::string_view bytes) {
#ifdef _WIN32
  const int size = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (units == 0) return "(invalid)";
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), units);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), length, nullptr, nullptr);
  return utf8;
#else
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (reinterpret_cast<std::intptr_t>(cd) == -1) return "(no CP932)";
  std::string in(bytes);
  std::string out(3 * bytes.size(), '\0');  // no character of the code page takes more
  char* from = in.data();
  std::size_t fromLeft = in.size();
  char* to = out.data();
  std::size_t toLeft = out.size();
  const std::size_t done = iconv(cd, &from, &fromLeft, &to, &toLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return "(invalid)";
  out.resize(out.size() - toLeft);
  return out;
#endif
}

// A wrong byte in the table shows as another spelling; a text in it twice, as a spelling seen
// before.
TEST(Texts, EachDecodesToItsSpellingOnce) {
  std::set<std::string_view> spellings;
  for (const texts::Entry& entry : texts::kAll) {
    EXPECT_FALSE(entry.bytes.empty()) << entry.name;
    EXPECT_EQ(Utf8FromCp932(entry.bytes), entry.spelling) << entry.name;
    EXPECT_TRUE(spellings.insert(entry.spelling).second) << entry.name << " is there twice";
  }
}

}  // namespace
}  // namespace tabvane
