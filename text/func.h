// Func_: the Shift-JIS text and value helpers every other part builds on.
// Texts are Shift-JIS bytes in std::string; positions count bytes from 1. No project includes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabvane {

// Last |n| bytes of text, never cutting a two-byte character (lead bytes 0x80-0x9F, 0xE0-0xFD).
std::string RightBytes(std::string_view text, int32_t n);

// The characters lying wholly inside bytes start .. start+count-1 (start 1-based);
// taken receives the number of bytes returned.
std::string MidBytes(std::string_view text, int32_t start, int32_t count, int32_t& taken);

// Removes blanks (0x20), control bytes below 0x20 and the full-width blank everywhere.
std::string StripBlanks(std::string_view text);

// Splits a comma text into items (quotes, blanks and commas as separators); items is replaced.
// Returns the number of items, or -1 when splitting fails (items is then empty). No item limit.
int32_t SplitCommaText(std::string_view text, std::vector<std::string>& items);

bool TextToFlag(std::string_view text);
std::string FlagToText(bool flag);

// Decimal or hexadecimal ($, x, X, 0x) 32-bit integer; 0 for anything not accepted.
int32_t TextToInt(std::string_view text);

// The two things a wait needs from the platform: a millisecond tick count that wraps at 2^32,
// and dispatching every window message pending for the thread.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual uint32_t TickCount() = 0;
  virtual void PumpMessages() = 0;
};

// Keeps dispatching messages until ms milliseconds have passed; dispatches at least once.
void WaitMs(TickSource& source, uint32_t ms);

}  // namespace tabvane
