// Fuzz target: TextToInt against a reference parser written from the integer rules, and the
// decimal and hexadecimal forms of every 32-bit value read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_common.h"
#include "text/func.h"

using namespace tabvane;

namespace {

bool IsDec(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDec(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) {
  if (IsDec(c)) return c - '0';
  return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : c - 'A' + 10;
}

// Digits as a value with leading zeros dropped first, so the digit count tells the range.
int32_t RefTextToInt(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  bool hex = false;
  if (!s.empty() && (s.front() == '$' || s.front() == 'x' || s.front() == 'X')) {
    hex = true;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    hex = true;
    s.remove_prefix(2);
  }
  if (s.empty()) return 0;
  for (const char c : s) {
    if (hex ? !IsHex(c) : !IsDec(c)) return 0;
  }
  while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
  if (hex) {
    if (s.size() > 8) return 0;
    int64_t value = 0;
    for (const char c : s) value = value * 16 + HexValue(c);
    if (value > INT32_MAX) value -= int64_t{1} << 32;  // the bit pattern read as signed
    if (negative) value = -value;
    if (value > INT32_MAX) value -= int64_t{1} << 32;  // -(-2^31) wraps to itself
    return static_cast<int32_t>(value);
  }
  if (s.size() > 10) return 0;
  int64_t value = 0;
  for (const char c : s) value = value * 10 + (c - '0');
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return 0;
  return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(TextToInt(text) == RefTextToInt(text));

  if (size >= 4) {
    int32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    FUZZ_CHECK(TextToInt(std::to_string(value)) == value);
    // Texts just past the 32-bit range, in decimal and hexadecimal, where a limit is easily
    // off by one: random digits alone would hardly ever land on them.
    for (const int64_t wide : {int64_t{value} + (int64_t{1} << 32), int64_t{value} - (int64_t{1} << 32),
                               -int64_t{value}}) {
      const std::string decimal = std::to_string(wide);
      FUZZ_CHECK(TextToInt(decimal) == RefTextToInt(decimal));
      char hex[32];
      std::snprintf(hex, sizeof hex, "%s$%llX", wide < 0 ? "-" : "",
                    static_cast<unsigned long long>(wide < 0 ? -wide : wide));
      FUZZ_CHECK(TextToInt(hex) == RefTextToInt(hex));
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<uint32_t>(value));
    FUZZ_CHECK(TextToInt(hex) == value);
    std::snprintf(hex, sizeof hex, " 0x%08x", static_cast<uint32_t>(value));
    FUZZ_CHECK(TextToInt(hex) == value);
  }
  return 0;
}
