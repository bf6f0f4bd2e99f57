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

// How often byte c stands in bytes: counted in runs of 255 bytes into one byte, which the vector
// instructions add up in parallel.
std::size_t CountByte(std::string_view bytes, unsigned char c) {
  const unsigned char* b = Bytes(bytes);
  std::size_t count = 0;
  for (std::size_t run = 0; run < bytes.size(); run += 255) {
    const std::size_t end = std::min(bytes.size(), run + 255);
    unsigned char inRun = 0;
    for (std::size_t i = run; i < end; ++i) {
      inRun = static_cast<unsigned char>(inRun + (b[i] == c ? 1 : 0));
    }
    count += inRun;
  }
  return count;
}

}  // namespace

std::size_t TabLinesAtMost(std::string_view bytes) {
  return std::min(CountByte(bytes, '\t'), CountByte(bytes, '\n') + 1);
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
