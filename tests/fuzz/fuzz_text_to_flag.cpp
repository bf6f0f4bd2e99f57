// Fuzz target: TextToFlag against a reference (blanks stripped by the helpers' lead-byte rule,
// ASCII letters upper-cased where a code page character begins, ten accepted texts), and the
// written flag texts read back.
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

bool RefTextToFlag(std::string_view text) {
  std::string s;
  for (std::size_t i = 0; i < text.size();) {
    if (fuzz::RefFuncLead(Byte(text, i))) {
      const std::string_view ch = text.substr(i, 2);
      if (ch != "\x81\x40") s.append(ch);
      i += 2;
    } else {
      if (Byte(text, i) > 0x20) s += text[i];
      ++i;
    }
  }
  const std::vector<bool> boundary = fuzz::Cp932Boundaries(s);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (boundary[i] && s[i] >= 'a' && s[i] <= 'z') s[i] = static_cast<char>(s[i] - 32);
  }
  for (const char* accepted : {"T", "TR", "TRU", "TRUE", "1", "\x82\x50", "\x81\x9B", "ON", "\x90\x5E", "\x90\xB3"}) {
    if (s == accepted) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(TextToFlag(text) == RefTextToFlag(text));
  FUZZ_CHECK(TextToFlag(FlagToText(true)) && !TextToFlag(FlagToText(false)));
  return 0;
}
