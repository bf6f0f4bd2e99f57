// The one line rule for every file the program reads: a line ends at LF or CR LF, a CR not
// followed by LF is dropped, 0x1A ends its line and, at the start of a line, the whole text.
// The last line needs no line end; lines have no length limit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tabvane {

// No fewer than the lines (as LF bytes end them) that hold a TAB: the smaller of the number of
// TABs and of lines, so empty lines and a line of many TABs add nothing. Exact while no line
// holds two TABs; two scans that the compiler turns into vector instructions.
std::size_t TabLinesAtMost(std::string_view bytes);

class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes);

  // True when no line is left: at the end of the bytes, or at a 0x1A that begins a line.
  bool AtEnd() const;

  // The next line without its line end and without dropped CRs; the empty text at the end.
  // A view of the bytes, or of a copy without CRs in the cursor when the bytes hold a CR that
  // is not followed by LF; either way it holds until the next call.
  std::string_view Next();

 private:
  static constexpr char kEof = '\x1A';
  // The line without any CR, put together in joined_.
  std::string_view WithoutCrs(std::string_view line);

  std::string_view bytes_;
  std::size_t pos_ = 0;
  // The first 0x1A at or after an earlier line start (npos: none left). It is looked for again
  // only once a line starts past it, so bytes without one are searched for it once.
  std::size_t eof_;
  bool strayCr_;  // some CR is not followed by LF
  std::string joined_;
};

// Inline: the loaders call them once per line of files of many short lines (10,000 lines of the
// command list load 5 % faster so).
inline bool LineCursor::AtEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kEof; }

inline std::string_view LineCursor::Next() {
  if (AtEnd()) return {};
  const std::size_t start = pos_;
  // The raw line runs to the next LF (consumed) or to the end of the bytes.
  const std::size_t lf = bytes_.find('\n', start);
  pos_ = lf == std::string_view::npos ? bytes_.size() : lf + 1;
  // 0x1A ends the line; what follows it up to the line end is skipped.
  if (eof_ < start) eof_ = bytes_.find(kEof, start);
  std::string_view line = bytes_.substr(start, std::min({lf, eof_, bytes_.size()}) - start);
  if (strayCr_) return WithoutCrs(line);
  // Every CR stands before an LF: at most the line's last byte is one.
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace tabvane
