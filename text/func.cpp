// Func_: byte-position text helpers with their own wide lead-byte rule, the textual forms of
// flags and integers, the comma-text split and the responsive wait. No project includes
// beyond text/.
#include "text/func.h"

#include <new>

#include "text/sjis.h"
#include "text/texts.h"

namespace tabvane {

namespace {

// The helpers' own rule: one byte wider at each end than the code page's lead bytes.
constexpr bool IsFuncLead(unsigned char c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFD); }

unsigned char ByteAt(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// Width of the character that begins at i: 2 for a lead byte, even when it is the last byte.
std::size_t FuncWidth(std::string_view text, std::size_t i) { return IsFuncLead(ByteAt(text, i)) ? 2 : 1; }

bool IsBlankOrControl(unsigned char c) { return c >= 0x01 && c <= 0x20; }

}  // namespace

std::string RightBytes(std::string_view text, int32_t n) {
  const int64_t len = static_cast<int64_t>(text.size());
  int64_t want = n < 0 ? -static_cast<int64_t>(n) : n;
  if (want == 0 || len == 0) return {};
  if (want > len) want = len;
  const std::size_t first = static_cast<std::size_t>(len - want);  // 0-based first position allowed
  const std::size_t limit = static_cast<std::size_t>(want);
  std::string result;
  std::size_t widths = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = FuncWidth(text, i);
    if (i >= first && widths + width <= limit) {
      result.append(text.substr(i, width));  // a lone last lead byte yields one byte
      widths += width;
    }
    i += width;
  }
  return result;
}

std::string MidBytes(std::string_view text, int32_t start, int32_t count, int32_t& taken) {
  taken = 0;
  const int64_t len = static_cast<int64_t>(text.size());
  if (len == 0 || start < 1 || start > len || count <= 0) return {};
  const int64_t last = static_cast<int64_t>(start) + count - 1;  // 1-based, may pass the end
  std::string result;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = FuncWidth(text, i);
    const int64_t p = static_cast<int64_t>(i) + 1;
    if (p >= start && p + static_cast<int64_t>(width) - 1 <= last) result.append(text.substr(i, width));
    i += width;
  }
  taken = static_cast<int32_t>(result.size());
  return result;
}

std::string StripBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = ByteAt(text, i);
    if (IsFuncLead(c)) {
      const std::string_view ch = text.substr(i, 2);
      if (ch != texts::kFullWidthBlank) result.append(ch);
      i += 2;
    } else {
      if (c > 0x20) result.push_back(static_cast<char>(c));
      ++i;
    }
  }
  return result;
}

int32_t SplitCommaText(std::string_view text, std::vector<std::string>& items) {
  // Filled in place: a caller that splits many texts reuses the array's room.
  items.clear();
  // The text ends at a zero byte, as a C string would.
  text = text.substr(0, text.find('\0'));
  const std::size_t end = text.size();
  // Steps over one character: two bytes after a code page lead byte, clipped at the end.
  const auto step = [&](std::size_t i) { return IsCp932Lead(ByteAt(text, i)) && i + 1 < end ? i + 2 : i + 1; };
  const auto skipBlanks = [&](std::size_t i) {
    while (i < end && IsBlankOrControl(ByteAt(text, i))) ++i;
    return i;
  };
  try {
    std::size_t i = skipBlanks(0);
    while (i < end) {
      std::string item;
      if (text[i] == '"') {
        ++i;
        bool closed = false;
        while (i < end) {
          if (text[i] == '"') {
            if (i + 1 < end && text[i + 1] == '"') {
              item.push_back('"');
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          const std::size_t next = step(i);
          item.append(text.substr(i, next - i));
          i = next;
        }
        // Without a closing quote the item loses its last byte.
        if (!closed && !item.empty()) item.pop_back();
      } else {
        const std::size_t begin = i;
        while (i < end && ByteAt(text, i) > 0x20 && text[i] != ',') i = step(i);
        item.assign(text.substr(begin, i - begin));
      }
      items.push_back(std::move(item));
      i = skipBlanks(i);
      if (i < end && text[i] == ',') {
        if (i + 1 == end) items.emplace_back();
        i = skipBlanks(i + 1);
      }
    }
    if (items.size() > static_cast<std::size_t>(INT32_MAX)) {
      items.clear();
      return -1;
    }
    return static_cast<int32_t>(items.size());
  } catch (const std::bad_alloc&) {
    items.clear();
    return -1;
  }
}

bool TextToFlag(std::string_view text) {
  std::string s = StripBlanks(text);
  // Upper-cases ASCII letters only where a character begins, so trail bytes stay as they are.
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = ByteAt(s, i);
    if (IsCp932Lead(c)) {
      i += 2;
      continue;
    }
    if (c >= 'a' && c <= 'z') s[i] = static_cast<char>(c - 'a' + 'A');
    ++i;
  }
  static constexpr std::string_view kTrue[] = {
      "T", "TR", "TRU", "TRUE", "1", texts::kFullWidthOne, texts::kCircle,
      "ON", texts::kKanjiTrue, texts::kKanjiRight,
  };
  for (const std::string_view t : kTrue) {
    if (s == t) return true;
  }
  return false;
}

std::string FlagToText(bool flag) { return flag ? "1" : "0"; }

int32_t TextToInt(std::string_view text) {
  std::size_t i = 0;
  const std::size_t end = text.size();
  while (i < end && text[i] == ' ') ++i;
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  const auto isX = [&](std::size_t k) { return k < end && (text[k] == 'x' || text[k] == 'X'); };
  uint32_t value = 0;
  if (i < end && (text[i] == '$' || isX(i) || (text[i] == '0' && isX(i + 1)))) {
    i += text[i] == '0' ? std::size_t{2} : std::size_t{1};
    if (i == end) return 0;
    for (; i < end; ++i) {
      const char c = text[i];
      uint32_t digit = 0;
      if (c >= '0' && c <= '9') {
        digit = static_cast<uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return 0;
      }
      if (value > 0x0FFFFFFFu) return 0;  // a ninth significant digit
      value = (value << 4) | digit;
    }
    // The bit pattern is signed; a minus sign negates it (in 32 bits).
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
  }
  if (i == end) return 0;
  uint64_t magnitude = 0;
  const uint64_t limit = negative ? 2147483648u : 2147483647u;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return 0;
    magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    if (magnitude > limit) return 0;
  }
  value = static_cast<uint32_t>(magnitude);
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

void WaitMs(TickSource& source, uint32_t ms) {
  // Elapsed time in unsigned arithmetic stays right when the tick count wraps past 2^32.
  const uint32_t start = source.TickCount();
  do {
    source.PumpMessages();
  } while (source.TickCount() - start <= ms);
}

}  // namespace tabvane
