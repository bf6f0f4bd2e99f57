// The one line rule for every file the program reads: a line ends at LF or CR LF, a CR not
// followed by LF is dropped, 0x1A ends its line and, at the start of a line, the whole text.
// The last line needs no line end; lines have no length limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabvane {

// The number of LF bytes in bytes: LineCursor gives at most one line more.
std::size_t CountLineFeeds(std::string_view bytes);

class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes);

  // True when no line is left: at the end of the bytes, or at a 0x1A that begins a line.
  bool AtEnd() const;

  // The next line without its line end and without dropped CRs; the empty text at the end.
  // Usually a view of the bytes; a line with a CR inside is put together in the cursor. Either
  // way the view holds until the next call.
  std::string_view Next();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  // The first CR and the first 0x1A at or after some earlier line start (npos: none left).
  // Each is looked for again only once a line starts past it, so a text without them is
  // searched for them once, and a CR LF text once per line.
  std::size_t cr_;
  std::size_t eof_;
  std::string joined_;
};

}  // namespace tabvane
