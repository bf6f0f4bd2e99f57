// Two-pass conversions with code page 932 named explicitly, and the Shift-JIS name of a path.
// Win32 only.
#include "host/win32/wide.h"

#include <windows.h>

#include <climits>

namespace tabvane {

namespace {
constexpr UINT kShiftJis = 932;

std::wstring WideFrom(UINT codePage, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), inLength, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  const int written = MultiByteToWideChar(codePage, 0, bytes.data(), inLength, wide.data(), needed);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

// UTF-16 to a code page, two passes; usedDefault (when given) tells whether some character
// had no form there. Empty on any failure.
std::string NarrowFrom(UINT codePage, DWORD flags, std::wstring_view wide, const char* defaultChar,
                       BOOL* usedDefault) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(codePage, flags, wide.data(), inLength, nullptr, 0,
                                         defaultChar, nullptr);
  if (needed <= 0) return {};
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  const int written = WideCharToMultiByte(codePage, flags, wide.data(), inLength, narrow.data(),
                                          needed, defaultChar, usedDefault);
  narrow.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return narrow;
}

}  // namespace

std::wstring WideFromSjis(std::string_view sjis) { return WideFrom(kShiftJis, sjis); }

std::wstring WideFromUtf8(std::string_view utf8) { return WideFrom(CP_UTF8, utf8); }

std::string SjisFromWide(std::wstring_view wide) {
  return NarrowFrom(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, "?", nullptr);
}

std::optional<std::string> SjisExactFromWide(std::wstring_view wide) {
  if (wide.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  BOOL usedDefault = FALSE;
  std::string sjis = NarrowFrom(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, "?", &usedDefault);
  // Nothing written for a text that is not empty is a failure too.
  if (usedDefault != FALSE || (sjis.empty() && !wide.empty())) return std::nullopt;
  return sjis;
}

std::optional<std::string> SjisPathFromWide(const std::wstring& path) {
  if (path.empty()) return std::nullopt;
  if (std::optional<std::string> exact = SjisExactFromWide(path)) return exact;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring shortForm(needed, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortForm.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  shortForm.resize(length);
  return SjisExactFromWide(shortForm);
}

std::string Utf8FromWide(std::wstring_view wide) {
  return NarrowFrom(CP_UTF8, 0, wide, nullptr, nullptr);
}

}  // namespace tabvane
