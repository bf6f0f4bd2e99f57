// Two-pass conversions with code page 932 named explicitly.
// Win32 only.
#include "host/win32/wide.h"

#include <windows.h>

#include <climits>

namespace tabvane {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromSjis(std::string_view sjis) {
  if (sjis.empty() || sjis.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(sjis.size());
  const int needed = MultiByteToWideChar(kShiftJis, 0, sjis.data(), inLength, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  const int written = MultiByteToWideChar(kShiftJis, 0, sjis.data(), inLength, wide.data(), needed);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

std::string SjisFromWide(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(wide.size());
  const char defaultChar[] = "?";
  const int needed =
      WideCharToMultiByte(kShiftJis, 0, wide.data(), inLength, nullptr, 0, defaultChar, nullptr);
  if (needed <= 0) return {};
  std::string sjis(static_cast<std::size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(kShiftJis, 0, wide.data(), inLength, sjis.data(), needed, defaultChar, nullptr);
  sjis.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return sjis;
}

}  // namespace tabvane
