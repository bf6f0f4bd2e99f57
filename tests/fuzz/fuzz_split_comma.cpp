// Fuzz target: SplitCommaText against a reference split written from the comma-text rules,
// plus the count it returns and the absence of separators in items of unquoted texts.
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

bool Separator(unsigned char c) { return (c >= 0x01 && c <= 0x20) || c == ','; }

std::vector<std::string> RefSplit(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  const std::size_t n = text.size();
  std::vector<std::string> items;
  std::size_t i = 0;
  auto blanks = [&] {
    while (i < n && Byte(text, i) >= 0x01 && Byte(text, i) <= 0x20) ++i;
  };
  // Length of the character at i: a code page lead byte takes the byte after it, if any.
  auto charLength = [&](std::size_t at) -> std::size_t {
    return (fuzz::RefCp932Lead(Byte(text, at)) && at + 1 < n) ? 2 : 1;
  };
  blanks();
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      bool closed = false;
      ++i;
      while (i < n && !closed) {
        if (text[i] != '"') {
          const std::size_t len = charLength(i);
          item.append(text.substr(i, len));
          i += len;
        } else if (i + 1 < n && text[i + 1] == '"') {
          item += '"';
          i += 2;
        } else {
          ++i;
          closed = true;
        }
      }
      if (!closed && !item.empty()) item.erase(item.size() - 1);
    } else {
      while (i < n && !Separator(Byte(text, i))) {
        const std::size_t len = charLength(i);
        item.append(text.substr(i, len));
        i += len;
      }
    }
    items.push_back(item);
    blanks();
    if (i < n && text[i] == ',') {
      if (i + 1 == n) items.emplace_back();
      ++i;
      blanks();
    }
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> items{"stale", "items"};
  const int32_t n = SplitCommaText(text, items);
  FUZZ_CHECK(n >= 0);
  FUZZ_CHECK(static_cast<std::size_t>(n) == items.size());
  FUZZ_CHECK(items == RefSplit(text));

  // Without quotes, no item holds a blank, control byte or comma where a character begins.
  const std::string_view cString = text.substr(0, text.find('\0'));
  if (cString.find('"') == std::string_view::npos) {
    for (const std::string& item : items) {
      const std::vector<bool> boundary = fuzz::Cp932Boundaries(item);
      for (std::size_t k = 0; k < item.size(); ++k) FUZZ_CHECK(!boundary[k] || !Separator(Byte(item, k)));
    }
  }
  return 0;
}
