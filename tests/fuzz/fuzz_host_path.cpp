// Fuzz target: the host path cut out of the registry's open command, against a reference of
// the cutting rule; the result is always a piece of the command.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_launch.h"
#include "tests/fuzz/fuzz_common.h"

using namespace tabvane;
using fuzz::Byte;

namespace {

std::string RefHostPath(std::string_view command) {
  std::size_t cut = fuzz::RefFind(command, " \"%");
  if (cut == std::string_view::npos) cut = fuzz::RefFind(command, " %");
  std::string_view path = command.substr(0, cut);
  if (path.empty() || path.front() != '"') return std::string(path);
  path.remove_prefix(1);
  // The closing quote goes when it is a character of its own by the helpers' lead-byte rule.
  std::size_t i = 0;
  std::size_t lastStart = std::string_view::npos;
  while (i < path.size()) {
    lastStart = i;
    i += fuzz::RefFuncLead(Byte(path, i)) ? 2 : 1;
  }
  if (lastStart != std::string_view::npos && lastStart == path.size() - 1 && path.back() == '"') {
    path.remove_suffix(1);
  }
  return std::string(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view command(reinterpret_cast<const char*>(data), size);
  const std::string path = HostExePathFromCommand(command);
  FUZZ_CHECK(path == RefHostPath(command));
  const std::size_t at = command.find(path);
  FUZZ_CHECK(at == 0 || at == 1);
  FUZZ_CHECK(fuzz::RefFind(path, " \"%") == std::string_view::npos);
  return 0;
}
