// Shift-JIS rules shared by searching, trimming and path splitting. These use the code page's
// own lead bytes (0x81-0x9F, 0xE0-0xFC), unlike Func_ which has a wider rule of its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabvane {

constexpr bool IsCp932Lead(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// 0-based offset of the first byte-exact occurrence of needle in text that begins on a
// character boundary, or std::string_view::npos. The empty needle occurs nowhere.
std::size_t FindText(std::string_view text, std::string_view needle);

inline bool ContainsText(std::string_view text, std::string_view needle) {
  return FindText(text, needle) != std::string_view::npos;
}

// The longest prefix of text, up to its first zero byte, that is at most maxBytes long and
// ends on a character boundary: a two-byte character that would not fit is left out whole.
std::string_view CutAtBoundary(std::string_view text, std::size_t maxBytes);

// Removes every byte of value 0x20 or less from both ends (full-width blanks stay).
std::string_view Trim(std::string_view text);

// Offset just past the last "\" or ":" that is not the second byte of a double-byte
// character; 0 when there is none.
std::size_t FolderPartLength(std::string_view path);

// Everything up to and including the last separator; empty when there is none.
inline std::string_view FolderPart(std::string_view path) {
  return path.substr(0, FolderPartLength(path));
}

// Everything after the last separator.
inline std::string_view FileNamePart(std::string_view path) {
  return path.substr(FolderPartLength(path));
}

// Whether path lies in folder (given with or without its last "\\") or is that folder: ASCII
// letters compared without regard to case, as Windows compares names; a double-byte character
// byte for byte, so that its second byte is never taken for a letter. False for an empty folder.
bool IsInFolder(std::string_view path, std::string_view folder);

}  // namespace tabvane
