// Fuzz target: RightBytes, MidBytes and StripBlanks. Their results are whole characters of the
// text by the helpers' own lead-byte rule (0x80-0x9F, 0xE0-0xFD), as long as the byte range
// allows and no longer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_common.h"
#include "text/func.h"

using namespace tabvane;
using fuzz::Byte;

namespace {

// Where the helpers' characters begin, walking from the first byte; the end counts too.
std::vector<bool> FuncBoundaries(std::string_view text) {
  std::vector<bool> boundary(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size(); i += fuzz::RefFuncLead(Byte(text, i)) ? 2 : 1) boundary[i] = true;
  boundary[text.size()] = true;
  return boundary;
}

// A lead byte in the last position: a character of one byte that counts two wide.
bool LoneLastLead(std::string_view text) {
  if (text.empty()) return false;
  const std::vector<bool> boundary = FuncBoundaries(text);
  return boundary[text.size() - 1] && fuzz::RefFuncLead(Byte(text, text.size() - 1));
}

void CheckRightBytes(std::string_view text, int32_t n) {
  const std::string result = RightBytes(text, n);
  const int64_t len = static_cast<int64_t>(text.size());
  const int64_t a = std::min<int64_t>(n < 0 ? -static_cast<int64_t>(n) : n, len);
  if (a == 0) {
    FUZZ_CHECK(result.empty());
    return;
  }
  // It starts at the first character boundary at or after position len - a ...
  const std::vector<bool> boundary = FuncBoundaries(text);
  std::size_t begin = static_cast<std::size_t>(len - a);
  while (!boundary[begin]) ++begin;
  // ... and runs to the end, less a lone last lead byte that no longer fits in a bytes.
  std::size_t end = text.size();
  if (LoneLastLead(text) && static_cast<int64_t>(end - begin) + 1 > a) --end;
  FUZZ_CHECK(result == text.substr(begin, end - begin));
  FUZZ_CHECK(static_cast<int64_t>(result.size()) <= a);
}

void CheckMidBytes(std::string_view text, int32_t start, int32_t count) {
  int32_t taken = -1;
  const std::string result = MidBytes(text, start, count, taken);
  FUZZ_CHECK(taken == static_cast<int32_t>(result.size()));
  const int64_t len = static_cast<int64_t>(text.size());
  if (len == 0 || start < 1 || start > len || count <= 0) {
    FUZZ_CHECK(result.empty());
    return;
  }
  FUZZ_CHECK(result.size() <= static_cast<std::size_t>(count));
  // Whole characters: the first one at or after start, then each one that still ends within
  // start + count - 1, a lone last lead byte counting two wide.
  const std::vector<bool> boundary = FuncBoundaries(text);
  std::size_t begin = static_cast<std::size_t>(start - 1);
  while (!boundary[begin]) ++begin;
  const int64_t last = static_cast<int64_t>(start) + count - 1;  // 1-based
  std::size_t end = begin;
  while (end < text.size()) {
    const std::size_t width = fuzz::RefFuncLead(Byte(text, end)) ? 2 : 1;
    if (static_cast<int64_t>(end + width) > last) break;
    end = std::min(end + width, text.size());
  }
  FUZZ_CHECK(result == text.substr(begin, end - begin));
  // Never half a character: walking the result, a lead byte always has its second byte,
  // unless the text itself ended there.
  for (std::size_t i = 0; i < result.size(); i += fuzz::RefFuncLead(Byte(result, i)) ? 2 : 1) {
    if (fuzz::RefFuncLead(Byte(result, i)) && i + 1 == result.size()) FUZZ_CHECK(end == text.size());
  }
}

void CheckStripBlanks(std::string_view text) {
  const std::string result = StripBlanks(text);
  std::string expected;
  std::size_t removed = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = fuzz::RefFuncLead(Byte(text, i)) ? 2 : 1;
    const std::string_view ch = text.substr(i, width);
    const bool blank = ch == "\x81\x40" || (width == 1 && Byte(ch, 0) <= 0x20);
    if (blank) {
      removed += ch.size();
    } else {
      expected.append(ch);
    }
    i += width;
  }
  FUZZ_CHECK(result == expected);
  FUZZ_CHECK(result.size() + removed == text.size());
  FUZZ_CHECK(StripBlanks(result) == result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // Small numbers most of the time, so that they fall inside the text.
  const auto number = [&input] {
    return input.ConsumeBool() ? input.ConsumeIntegral<int32_t>() : input.ConsumeIntegralInRange<int32_t>(-3, 40);
  };
  const int32_t n = number();
  const int32_t start = number();
  const int32_t count = number();
  const std::string text = input.ConsumeRemainingBytesAsString();
  CheckRightBytes(text, n);
  CheckMidBytes(text, start, count);
  CheckStripBlanks(text);
  return 0;
}
