// The one line reader shared by every file the program reads. No project includes beyond text/.
#include "text/lines.h"

#include <algorithm>

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
  // Usually the only CR is the last byte: the line is then copied in one piece.
  if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  std::string line;
  line.reserve(raw.size());
  for (std::size_t from = 0; from < raw.size();) {
    const std::size_t cr = std::min(raw.find('\r', from), raw.size());
    line.append(raw, from, cr - from);
    from = cr + 1;
  }
  return line;
}

}  // namespace tabvane
