// The one line reader shared by every file the program reads. No project includes beyond text/.
#include "text/lines.h"

#include <algorithm>

namespace tabvane {

namespace {
constexpr char kEof = '\x1A';
}

std::size_t CountLineFeeds(std::string_view bytes) {
  std::size_t count = 0;
  for (std::size_t lf = bytes.find('\n'); lf != std::string_view::npos; lf = bytes.find('\n', lf + 1)) {
    ++count;
  }
  return count;
}

LineCursor::LineCursor(std::string_view bytes)
    : bytes_(bytes), cr_(bytes.find('\r')), eof_(bytes.find(kEof)) {}

bool LineCursor::AtEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kEof; }

std::string_view LineCursor::Next() {
  if (AtEnd()) return {};
  const std::size_t start = pos_;
  // The raw line runs to the next LF (consumed) or to the end of the bytes.
  const std::size_t lf = bytes_.find('\n', start);
  pos_ = lf == std::string_view::npos ? bytes_.size() : lf + 1;
  // 0x1A ends the line; what follows it up to the line end is skipped.
  if (eof_ < start) eof_ = bytes_.find(kEof, start);
  const std::size_t end = std::min({lf, eof_, bytes_.size()});
  if (cr_ < start) cr_ = bytes_.find('\r', start);
  // Usually there is no CR in the line or only its last byte is one: a view without it.
  if (cr_ >= end) return bytes_.substr(start, end - start);
  if (cr_ == end - 1) return bytes_.substr(start, end - 1 - start);
  joined_.clear();
  for (std::size_t from = start; from < end;) {
    const std::size_t cr = std::min(bytes_.find('\r', from), end);
    joined_.append(bytes_, from, cr - from);
    from = cr + 1;
  }
  return joined_;
}

}  // namespace tabvane
