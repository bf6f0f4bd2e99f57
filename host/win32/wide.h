// Code page 932 <-> UTF-16 at the Win32 edge. Inside, every text is Shift-JIS bytes; these
// convert at the moment of a W call, independent of the system's ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabvane {

// Shift-JIS bytes to UTF-16; bytes that form no character become the code page's default.
std::wstring WideFromSjis(std::string_view sjis);

// UTF-16 to Shift-JIS bytes; characters code page 932 cannot hold become "?", never a
// look-alike (no best fit: "¥" would become "\", another path).
std::string SjisFromWide(std::wstring_view wide);

// UTF-16 to Shift-JIS bytes; nullopt when some character has no code page 932 form.
std::optional<std::string> SjisExactFromWide(std::wstring_view wide);

// UTF-8 bytes to UTF-16 and back; invalid UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// The Shift-JIS form of a path that names the same file or folder: the path itself when code
// page 932 holds every character of it, else its short (8.3) form when that is held; nullopt
// when neither is (no short names on that volume, or no such file).
std::optional<std::string> SjisPathFromWide(const std::wstring& path);

}  // namespace tabvane
