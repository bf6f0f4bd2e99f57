// Shift-JIS character-boundary search, trimming and path splitting with the code page's own
// lead bytes. No project includes beyond text/.
#include "text/sjis.h"

#include <algorithm>

namespace tabvane {

namespace {

// Advances a character boundary: two bytes after a lead byte, one otherwise.
std::size_t NextBoundary(std::string_view text, std::size_t i) {
  return IsCp932Lead(static_cast<unsigned char>(text[i])) ? i + 2 : i + 1;
}

}  // namespace

std::size_t FindText(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  // Byte-exact candidates come from the library's search. Whether a candidate begins a
  // character is read backwards: a byte that is no lead byte always ends a character, and
  // after it every lead byte begins one of two bytes, so the candidate is on a boundary when
  // an even number of lead bytes stand between. The look back never passes `known`, a
  // boundary at or after the previous candidate, so the whole search stays linear in the text
  // and allocates nothing.
  std::size_t known = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t hit = text.find(needle, from);
    if (hit == std::string_view::npos) return hit;
    std::size_t start = hit;
    while (start > known && IsCp932Lead(static_cast<unsigned char>(text[start - 1]))) --start;
    if ((hit - start) % 2 == 0) return hit;
    // The hit is the second byte of a character, which ends with it.
    known = hit + 1;
    from = hit + 1;
  }
}

std::string_view CutAtBoundary(std::string_view text, std::size_t maxBytes) {
  text = text.substr(0, text.find('\0'));
  std::size_t end = 0;
  for (std::size_t next = 0; end < text.size(); end = next) {
    next = NextBoundary(text, end);
    if (next > maxBytes) break;
  }
  return text.substr(0, std::min(end, text.size()));
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

std::size_t FolderPartLength(std::string_view path) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < path.size(); i = NextBoundary(path, i)) {
    if (path[i] == '\\' || path[i] == ':') length = i + 1;
  }
  return length;
}

bool IsInFolder(std::string_view path, std::string_view folder) {
  if (!folder.empty() && FolderPartLength(folder) == folder.size() && folder.back() == '\\') {
    folder.remove_suffix(1);
  }
  if (folder.empty() || path.size() < folder.size()) return false;
  const auto upper = [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  };
  for (std::size_t i = 0; i < folder.size(); i = NextBoundary(folder, i)) {
    if (IsCp932Lead(static_cast<unsigned char>(folder[i]))) {
      if (path.compare(i, 2, folder.substr(i, 2)) != 0) return false;
    } else if (upper(path[i]) != upper(folder[i])) {
      return false;
    }
  }
  return path.size() == folder.size() || path[folder.size()] == '\\';
}

}  // namespace tabvane
