// The one line rule: LF and CR LF, dropped lone CRs, 0x1A inside a line and at a line start.
#include "text/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabvane {
namespace {

std::vector<std::string> AllLines(std::string_view bytes) {
  std::vector<std::string> lines;
  LineCursor cursor(bytes);
  while (!cursor.AtEnd()) lines.emplace_back(cursor.Next());
  EXPECT_EQ(cursor.Next(), "");
  EXPECT_TRUE(cursor.AtEnd());
  return lines;
}

TEST(LineCursor, SplitsByTheSharedRule) {
  using Lines = std::vector<std::string>;
  const std::pair<std::string, Lines> cases[] = {
      {"", {}}, {"a", {"a"}}, {"a\r\n", {"a"}}, {"a\r\nb", {"a", "b"}}, {"a\nb\n", {"a", "b"}},
      {"\n", {""}}, {"\r\n\r\n", {"", ""}}, {"a\rb\r\n", {"ab"}}, {"a\r", {"a"}},
      {"\ra\r\r\nb\r", {"a", "b"}},
      {"ab\x1A" "cd\r\nef", {"ab", "ef"}},
      {"ab\x1A\n", {"ab"}}, {"a\r\n\x1A" "b\r\nc", {"a"}}, {"\x1A", {}},
      {"\r\x1A" "x\nb", {"", "b"}},  // not at a line start: ends only its line
      // CRs and 0x1A bytes line after line: each line sees its own and no earlier one.
      {"a\r\nb\rc\r\nd\n\re\r\n", {"a", "bc", "d", "e"}},
      {"x\x1Ay\r\nz\x1A\rw\nv", {"x", "z", "v"}},
      {"\x95\x5C\r\n\x82\x0A", {"\x95\x5C", "\x82"}},  // no character rule: LF is LF
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(AllLines(bytes), expected) << bytes;
}

}  // namespace
}  // namespace tabvane
