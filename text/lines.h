// The one line rule for every file the program reads: a line ends at LF or CR LF, a CR not
// followed by LF is dropped, 0x1A ends its line and, at the start of a line, the whole text.
// The last line needs no line end; lines have no length limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabvane {

class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

  // True when no line is left: at the end of the bytes, or at a 0x1A that begins a line.
  bool AtEnd() const;

  // The next line without its line end and without dropped CRs; the empty text at the end.
  std::string Next();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace tabvane
