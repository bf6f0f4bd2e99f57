// Func_: the wide lead-byte rule at the cut points, integer and flag syntax, the comma split
// and the wait across a tick-count wrap.
#include "text/func.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace tabvane {
namespace {

TEST(FuncRightBytes, NeverCutsACharacter) {
  const struct { std::string text; int32_t n; std::string expected; } cases[] = {
      {"abc", 2, "bc"}, {"abc", -2, "bc"}, {"abc", 0, ""}, {"abc", 9, "abc"}, {"abc", INT32_MIN, "abc"},
      {"a\x82\xA0", 1, ""}, {"a\x82\xA0", 2, "\x82\xA0"},  // a, あ: the cut on a second byte
      {"\x82", 1, ""}, {"a\x82", 2, "a"},                  // a lone lead byte counts two wide
      {"\x80\x41", 1, ""}, {"\xFD\x41", 1, ""},            // 0x80 and 0xFD lead here
      {"\xFE\x41", 1, "A"}, {"\xB1\xB2", 1, "\xB2"},       // single bytes
  };
  for (const auto& c : cases) EXPECT_EQ(RightBytes(c.text, c.n), c.expected) << c.text << " n=" << c.n;
}

TEST(FuncMidBytes, TakesWholeCharactersInsideTheRange) {
  const struct { std::string text; int32_t start, count; std::string expected; int32_t taken; } cases[] = {
      {"a\x82\xA0" "b", 2, 2, "\x82\xA0", 2}, {"a\x82\xA0" "b", 3, 2, "b", 1}, {"a\x82\xA0" "b", 1, 2, "a", 1},
      {"abc", 4, 1, "", 0}, {"abc", 2, 0, "", 0}, {"abc", 0, 2, "", 0}, {"abc", 2, 99, "bc", 2},
      {"abc", 1, INT32_MAX, "abc", 3},
      {"a\x82", 1, 5, "a\x82", 2},  // a lone last lead byte is returned as the one byte it is
      {"\x80\x22", 2, 1, "", 0},    // 0x22 is the second byte of the character at 1
  };
  for (const auto& c : cases) {
    int32_t taken = -1;
    EXPECT_EQ(MidBytes(c.text, c.start, c.count, taken), c.expected) << c.text << " " << c.start;
    EXPECT_EQ(taken, c.taken) << c.text << " " << c.start;
  }
}

TEST(FuncStripBlanks, RemovesBlanksAndControlsEverywhere) {
  EXPECT_EQ(StripBlanks("\x81\x40" "a b\tc"), "abc");
  EXPECT_EQ(StripBlanks("\x7F\xA0\xDF\xFE\xFF"), "\x7F\xA0\xDF\xFE\xFF");
  EXPECT_EQ(StripBlanks("\x82\x20\x80\x0A"), "\x82\x20\x80\x0A");  // a second byte is never a blank
}

TEST(FuncTextToInt, AcceptsOnlyTheWholeSyntax) {
  const std::pair<std::string, int32_t> cases[] = {
      {"42", 42}, {"  42", 42}, {"42 ", 0}, {"\t42", 0}, {"+7", 7}, {"-0", 0}, {"007", 7}, {"", 0},
      {"abc", 0}, {"- 1", 0}, {"--1", 0}, {"$1F", 31}, {"0x10", 16}, {"X10", 16}, {"-x10", -16},
      {"+$a", 10}, {"x", 0}, {"$", 0}, {"0x", 0}, {"$G", 0},
      {"2147483647", INT32_MAX}, {"2147483648", 0}, {"-2147483648", INT32_MIN}, {"-2147483649", 0},
      {"99999999999999999999", 0}, {"$FFFFFFFF", -1}, {"-$FFFFFFFF", 1}, {"$80000000", INT32_MIN},
      {"$100000000", 0}, {"$000000000001", 1},  // leading zeros are not significant digits
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(TextToInt(text), expected) << text;
}

TEST(FuncTextToFlag, AcceptsTheTenTextsAfterStrippingAndUpperCasing) {
  const std::pair<std::string, bool> cases[] = {
      {"t", true}, {"Tr", true}, {" t r u e ", true}, {"1 ", true}, {"On", true}, {"\x81\x40ON\t", true},
      {"\x82\x50", true}, {"\x81\x9B", true}, {"\x90\x5E", true}, {"\x90\xB3", true},  // １ ○ 真 正
      {"", false}, {"Yes", false}, {"2", false}, {"TRUE1", false}, {"0", false},
      {"\x82\x70", false},  // Ｑ: its second byte "p" must not become "P", which would read as １
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(TextToFlag(text), expected) << text;
}

TEST(FuncSplitCommaText, SplitsLikeTheKeywordLists) {
  using Items = std::vector<std::string>;
  const std::pair<std::string, Items> cases[] = {
      {"", {}}, {"   ", {}}, {"a,b", {"a", "b"}}, {"a,,b", {"a", "", "b"}}, {"a,", {"a", ""}},
      {",a", {"", "a"}}, {"a , b", {"a", "b"}}, {"a, ,b", {"a", "", "b"}}, {"a, ", {"a"}},
      {"ab cd", {"ab", "cd"}}, {"\t\x01" "a\r\n", {"a"}},
      {"\"x y\",z", {"x y", "z"}}, {"\"ab\"cd", {"ab", "cd"}}, {"\"a\"\"b\"", {"a\"b"}}, {"\"\"", {""}},
      {"a\"b", {"a\"b"}},                                   // a quote inside an item is a byte
      {"\"abc", {"ab"}}, {"\"a\"\"b", {"a\""}}, {"a,\"", {"a", ""}},  // unclosed: last byte dropped
      {"\x81\x2C" "a,b", {"\x81\x2C" "a", "b"}},             // second bytes never split or quote
      {"\x81\x20" "a", {"\x81\x20" "a"}}, {"\"\x81\x22\"", {"\x81\x22"}}, {"a\x81", {"a\x81"}},
      {"\x95\x5C,\x8E\xA6", {"\x95\x5C", "\x8E\xA6"}},
      {std::string("a\0b,c", 5), {"a"}},                     // the text ends at a zero byte
  };
  for (const auto& [text, expected] : cases) {
    Items items = {"stale"};
    EXPECT_EQ(SplitCommaText(text, items), static_cast<int32_t>(expected.size())) << text;
    EXPECT_EQ(items, expected) << text;
  }
  std::string many;
  for (int i = 0; i < 300; ++i) many += "k,";
  Items items;
  EXPECT_EQ(SplitCommaText(many, items), 301);  // no limit: the caller reads the count it gets
}

// A tick count that moves by step after every `every` pumps.
class SteppingTicks : public TickSource {
 public:
  SteppingTicks(uint32_t start, uint32_t step, int every) : now_(start), step_(step), every_(every) {}
  uint32_t TickCount() override { return now_; }
  void PumpMessages() override {
    if (++pumps % every_ == 0) now_ += step_;
  }
  int pumps = 0;

 private:
  uint32_t now_, step_;
  int every_;
};

TEST(FuncWaitMs, PumpsUntilTheTimeHasPassedEvenAcrossTheWrap) {
  const struct { uint32_t start, ms, step; int every, pumps; } cases[] = {
      {1000, 100, 10, 1, 11}, {1000, 105, 10, 1, 11},
      {0xFFFFFFF0u, 100, 10, 1, 11},  // start + ms wraps past 2^32
      {0xFFFFFFFFu, 0, 1, 1, 1},
      {5000, 0, 16, 3, 3},            // 0 ms still waits for the tick to move
  };
  for (const auto& c : cases) {
    SteppingTicks ticks(c.start, c.step, c.every);
    WaitMs(ticks, c.ms);
    EXPECT_EQ(ticks.pumps, c.pumps) << c.start << " " << c.ms;
  }
}

}  // namespace
}  // namespace tabvane
