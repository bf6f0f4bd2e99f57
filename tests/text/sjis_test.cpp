// Character-boundary search, trimming and path splitting: the 0x5C second byte of 表 and
// friends must never be taken for a match or a separator.
#include "text/sjis.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace tabvane
