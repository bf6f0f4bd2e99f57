// Fuzz target: the slot editor's proposed name from a batch file's first line, read from
// memory, against a reference of the rule; it is trimmed and holds no line break.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_common.h"
#include "ui/form2.h"

using namespace tabvane;

namespace {

std::string RefTitle(std::string_view bytes) {
  const std::vector<std::string> lines = fuzz::RefLines(bytes);
  if (lines.empty()) return {};
  std::string_view s = fuzz::RefTrim(lines[0]);
  std::string head(s.substr(0, 4));
  for (char& c : head) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  s = s.substr(std::min<std::size_t>(head == "@REM" ? 4 : 3, s.size()));
  return std::string(fuzz::RefTrim(s));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string path = "C:\\jw\\tool.bat";
  fuzz::FuzzFiles files;
  files.files[path] = bytes;
  files.unopenable = mode % 4 == 1;
  if (mode % 4 == 2) files.files.clear();
  files.incomplete = mode % 4 == 3;  // what was read so far still counts
  files.readLimit = mode / 4;

  const std::string title = ReadBatchTitle(files, path);
  std::string expected;
  if (mode % 4 == 0) expected = RefTitle(bytes);
  if (mode % 4 == 3) expected = RefTitle(std::string_view(bytes).substr(0, files.readLimit));
  FUZZ_CHECK(title == expected);
  FUZZ_CHECK(!fuzz::HasLineBreakByte(title));
  FUZZ_CHECK(fuzz::RefTrim(title) == title);
  return 0;
}
