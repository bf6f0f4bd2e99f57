// UTF-8 <-> Shift-JIS for native builds, with glibc's iconv and its code page 932.
// No Windows headers; used by native tests and tools.
#pragma once

#include "model/command_list_edit.h"

namespace tabvane {

class PosixCodec : public TextCodec {
 public:
  std::string SjisFromUtf8(std::string_view utf8, std::size_t& unmappable) override;
  std::string Utf8FromSjis(std::string_view sjis) override;
};

}  // namespace tabvane
