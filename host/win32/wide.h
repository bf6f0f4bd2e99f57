// Code page 932 <-> UTF-16 at the Win32 edge. Inside, every text is Shift-JIS bytes; these
// convert at the moment of a W call, independent of the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace tabvane {

// Shift-JIS bytes to UTF-16; bytes that form no character become the code page's default.
std::wstring WideFromSjis(std::string_view sjis);

// UTF-16 to Shift-JIS bytes; characters code page 932 cannot hold become "?".
std::string SjisFromWide(std::wstring_view wide);

}  // namespace tabvane
