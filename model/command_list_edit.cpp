// Teaching the command list: joining keywords, inserting the entry line into the file's own
// bytes, and the file's encoding. Depends on text/, the command list and the file layer.
#include "model/command_list_edit.h"

#include <algorithm>

namespace tabvane {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool NeedsQuotes(std::string_view keyword) {
  if (keyword.empty()) return true;
  return std::any_of(keyword.begin(), keyword.end(), [](char c) {
    return static_cast<unsigned char>(c) <= 0x20 || c == ',' || c == '"';
  });
}

// The length of the UTF-8 sequence at bytes[i] when it is a valid one (no overlong form, no
// surrogate, nothing above U+10FFFF); 0 when it is not.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char c = at(i);
  if (c < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  if (at(i + 1) < low || at(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string JoinKeywords(const std::vector<std::string>& keywords) {
  std::string text;
  for (const std::string& keyword : keywords) {
    if (!text.empty()) text += ',';
    if (!NeedsQuotes(keyword)) {
      text += keyword;
      continue;
    }
    text += '"';
    for (const char c : keyword) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

bool FitsEntryLine(std::string_view caption) {
  return !caption.empty() && caption.find_first_of(std::string_view("\n\r\x1A\0", 4)) ==
                                 std::string_view::npos;
}

std::optional<int32_t> LastLineOfTab(const std::vector<TCommandEntry>& entries, int32_t page,
                                     int32_t tab) {
  std::optional<int32_t> line;
  for (const TCommandEntry& entry : entries) {
    if (entry.Page == page && entry.TabIndex == tab) line = entry.Line;
  }
  return line;
}

std::optional<std::string> InsertLineAfter(std::string_view bytes, int32_t afterLine,
                                           std::string_view line) {
  if (afterLine < 1) return std::nullopt;
  // The start of afterLine, counted as the line reader counts: lines end at LF.
  std::size_t start = 0;
  for (int32_t n = 1; n < afterLine; ++n) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) return std::nullopt;
    start = lf + 1;
  }
  if (start >= bytes.size() || bytes[start] == '\x1A') return std::nullopt;
  std::string result;
  result.reserve(bytes.size() + line.size() + 2);
  const std::size_t lf = bytes.find('\n', start);
  if (lf != std::string_view::npos) {
    const bool crlf = lf > start && bytes[lf - 1] == '\r';
    result.append(bytes.substr(0, lf + 1));
    result.append(line);
    result.append(crlf ? "\r\n" : "\n");
    result.append(bytes.substr(lf + 1));
    return result;
  }
  // The last line: the new one goes after it, before a 0x1A that cuts it and what follows.
  const std::size_t cut = std::min(bytes.find('\x1A', start), bytes.size());
  const std::size_t firstLf = bytes.find('\n');
  const bool crlf = firstLf == std::string_view::npos || (firstLf > 0 && bytes[firstLf - 1] == '\r');
  result.append(bytes.substr(0, cut));
  result.append(crlf ? "\r\n" : "\n");
  result.append(line);
  result.append(bytes.substr(cut));
  return result;
}

ListEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return ListEncoding::Utf8Bom;
  bool longSequence = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, i);
    if (length == 0) return ListEncoding::ShiftJis;
    longSequence = longSequence || length >= 3;
    i += length;
  }
  return longSequence ? ListEncoding::Utf8 : ListEncoding::ShiftJis;
}

std::string CommandListText(TextCodec& codec, std::string_view bytes, CommandListFile& file) {
  file.encoding = DetectEncoding(bytes);
  file.unmappable = 0;
  if (file.encoding == ListEncoding::ShiftJis) return std::string(bytes);
  if (file.encoding == ListEncoding::Utf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  return codec.SjisFromUtf8(bytes, file.unmappable);
}

CommandListFile ReadCommandList(Files& files, TextCodec& codec, const std::string& path) {
  CommandListFile file;
  if (!files.FileExists(path)) {
    file.complete = true;
    return file;
  }
  const ReadResult read = files.Read(path);
  file.complete = read.opened && read.complete;
  file.entries = ParseCommandList(CommandListText(codec, read.bytes, file));
  return file;
}

std::optional<std::string> TeachEntryLine(const ReadResult& file, TextCodec& codec, int32_t page,
                                          int32_t tab, std::string_view entryLine) {
  if (!file.opened || !file.complete) return std::nullopt;
  CommandListFile now;
  const std::vector<TCommandEntry> entries =
      ParseCommandList(CommandListText(codec, file.bytes, now));
  const std::optional<int32_t> after = LastLineOfTab(entries, page, tab);
  if (!after) return std::nullopt;
  // The line structure (LF, CR, TAB, 0x1A) is the same bytes in both encodings, so the line
  // found in the Shift-JIS form is the same line of the file's own bytes.
  const std::string line =
      now.encoding == ListEncoding::ShiftJis ? std::string(entryLine) : codec.Utf8FromSjis(entryLine);
  return InsertLineAfter(file.bytes, *after, line);
}

}  // namespace tabvane
