// PosixCodec: iconv between UTF-8 and CP932, a character it cannot convert replaced.
// No Windows headers.
#include "host/posix/posix_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace tabvane {
namespace {

// Converts text from one encoding to another; each input character iconv refuses becomes
// replacement (counted in refused), and a byte that starts no character is skipped with it.
std::string Convert(const char* to, const char* from, std::string_view text,
                    std::string_view replacement, std::size_t& refused) {
  iconv_t cd = iconv_open(to, from);
  if (reinterpret_cast<std::intptr_t>(cd) == -1) return {};  // iconv_open's (iconv_t)-1
  std::string out;
  std::string buffer(4096, '\0');
  // iconv's interface takes char*, though it never writes through the input pointer.
  char* in = const_cast<char*>(text.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast): see above
  std::size_t inLeft = text.size();
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: one character (or a lone byte) that has no form; skip it whole.
    std::size_t skip = 1;
    const auto lead = static_cast<unsigned char>(*in);
    if (std::string_view(from) == "UTF-8") {
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    } else if ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0) {
      skip = 2;
    }
    skip = std::min(skip, inLeft);
    in += skip;
    inLeft -= skip;
    out += replacement;
    ++refused;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string PosixCodec::SjisFromUtf8(std::string_view utf8, std::size_t& unmappable) {
  return Convert("CP932", "UTF-8", utf8, kUnmappable, unmappable);
}

std::string PosixCodec::Utf8FromSjis(std::string_view sjis) {
  std::size_t refused = 0;
  return Convert("UTF-8", "CP932", sjis, "?", refused);
}

}  // namespace tabvane
