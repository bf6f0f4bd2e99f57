// Two-pass conversions with code page 932 named explicitly.
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

}  // namespace

std::wstring WideFromSjis(std::string_view sjis) { return WideFrom(kShiftJis, sjis); }

std::wstring WideFromUtf8(std::string_view utf8) { return WideFrom(CP_UTF8, utf8); }

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

std::optional<std::string> SjisExactFromWide(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  if (wide.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const int inLength = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), inLength,
                                         nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::nullopt;
  std::string sjis(static_cast<std::size_t>(needed), '\0');
  BOOL usedDefault = FALSE;
  const int written = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), inLength,
                                          sjis.data(), needed, nullptr, &usedDefault);
  if (written != needed || usedDefault != FALSE) return std::nullopt;
  return sjis;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, utf8.data(), needed, nullptr, nullptr);
  utf8.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return utf8;
}

}  // namespace tabvane
