// Two-pass conversions with code page 932 named explicitly, and the Shift-JIS name of a path.
// Win32 only.
#include "host/win32/wide.h"

#include <windows.h>

#include <climits>

namespace tabvane {

namespace {
constexpr UINT kShiftJis = 932;

// The conversion, and whether any character had no form of its own.
std::string Convert(std::wstring_view wide, bool& usedDefault) {
  usedDefault = false;
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(wide.size());
  const char defaultChar[] = "?";
  BOOL defaulted = FALSE;
  const int needed = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), inLength,
                                         nullptr, 0, defaultChar, &defaulted);
  if (needed <= 0) return {};
  std::string sjis(static_cast<std::size_t>(needed), '\0');
  const int written = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), inLength,
                                          sjis.data(), needed, defaultChar, &defaulted);
  sjis.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  usedDefault = defaulted != FALSE;
  return sjis;
}

// The Shift-JIS form of text when it stands for exactly that text.
std::optional<std::string> Exact(std::wstring_view wide) {
  bool usedDefault = false;
  std::string sjis = Convert(wide, usedDefault);
  if (usedDefault || WideFromSjis(sjis) != wide) return std::nullopt;
  return sjis;
}

}  // namespace

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
  bool usedDefault = false;
  return Convert(wide, usedDefault);
}

std::optional<std::string> SjisPathFromWide(const std::wstring& path) {
  if (path.empty()) return std::nullopt;
  if (std::optional<std::string> exact = Exact(path)) return exact;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring shortForm(needed, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortForm.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  shortForm.resize(length);
  return Exact(shortForm);
}

}  // namespace tabvane
