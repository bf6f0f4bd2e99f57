// Fuzz target: the line reader against a separately written reference of the line rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_common.h"
#include "text/lines.h"

using namespace tabvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t total = 0;
  LineCursor cursor(bytes);
  while (!cursor.AtEnd()) {
    lines.emplace_back(cursor.Next());
    FUZZ_CHECK(!fuzz::HasLineBreakByte(lines.back()));
    total += lines.back().size();
    FUZZ_CHECK(lines.size() <= size);  // every line uses at least one byte of the input
  }
  // Past the end the reader stays at the end and gives empty lines.
  FUZZ_CHECK(cursor.Next().empty());
  FUZZ_CHECK(cursor.AtEnd());
  FUZZ_CHECK(total <= size);
  FUZZ_CHECK(lines == fuzz::RefLines(bytes));
  return 0;
}
