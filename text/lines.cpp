// The one line reader shared by every file the program reads. No project includes beyond text/.
#include "text/lines.h"

namespace tabvane {

namespace {
constexpr char kEof = '\x1A';
}

bool LineCursor::AtEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kEof; }

std::string LineCursor::Next() {
  if (AtEnd()) return {};
  // The raw line runs to the next LF (consumed) or to the end of the bytes.
  const std::size_t lf = bytes_.find('\n', pos_);
  const std::size_t stop = lf == std::string_view::npos ? bytes_.size() : lf;
  std::string_view raw = bytes_.substr(pos_, stop - pos_);
  pos_ = lf == std::string_view::npos ? bytes_.size() : lf + 1;
  // 0x1A ends the line; what follows it up to the line end is skipped.
  raw = raw.substr(0, raw.find(kEof));
  std::string line;
  line.reserve(raw.size());
  for (const char c : raw) {
    if (c != '\r') line.push_back(c);
  }
  return line;
}

}  // namespace tabvane
