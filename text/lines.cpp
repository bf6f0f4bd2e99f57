// The one line reader shared by every file the program reads. No project includes beyond text/.
#include "text/lines.h"

#include <algorithm>

namespace tabvane {

namespace {

// The two scans of all the bytes are plain loops, which the compiler turns into vector
// instructions: faster than a search call per line for the short lines of our files.
const unsigned char* Bytes(std::string_view bytes) {
  return reinterpret_cast<const unsigned char*>(bytes.data());
}

bool HasStrayCr(std::string_view bytes) {
  if (bytes.empty()) return false;
  const unsigned char* b = Bytes(bytes);
  const std::size_t last = bytes.size() - 1;
  unsigned char stray = b[last] == '\r' ? 1 : 0;
  for (std::size_t i = 0; i < last; ++i) {
    stray |= static_cast<unsigned char>((b[i] == '\r') & (b[i + 1] != '\n'));
  }
  return stray != 0;
}

}  // namespace

std::size_t CountLinesWithTab(std::string_view bytes) {
  std::size_t count = 0;
  // From each TAB found, the rest of its line is skipped: a line counts once.
  for (std::size_t tab = bytes.find('\t'); tab != std::string_view::npos;) {
    ++count;
    const std::size_t lf = bytes.find('\n', tab);
    if (lf == std::string_view::npos) break;
    tab = bytes.find('\t', lf + 1);
  }
  return count;
}

LineCursor::LineCursor(std::string_view bytes)
    : bytes_(bytes), eof_(bytes.find(kEof)), strayCr_(HasStrayCr(bytes)) {}

std::string_view LineCursor::WithoutCrs(std::string_view line) {
  joined_.clear();
  for (const char c : line) {
    if (c != '\r') joined_ += c;
  }
  return joined_;
}

}  // namespace tabvane
