// Teaching the command list: the entry line a user registers, where it goes in com_list.txt
// with every other byte kept, the encoding the file was saved in, and reading the file into
// entries whichever encoding it has. Depends on text/, the command list and the file layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_list.h"
#include "model/files.h"

namespace tabvane {

// Joins keywords with "," so that SplitCommaText gives each back exactly: an item that is
// empty, holds a byte 0x20 or below, a comma or a quote is quoted, its quotes doubled.
std::string JoinKeywords(const std::vector<std::string>& keywords);

// Whether a caption can stand in an entry line as a keyword: not empty, and no byte that ends
// a line or the text (LF, CR, 0x1A, zero).
bool FitsEntryLine(std::string_view caption);

// The line of the last entry of the run that opened tab of page; nullopt for no such tab.
std::optional<int32_t> LastLineOfTab(const std::vector<TCommandEntry>& entries, int32_t page,
                                     int32_t tab);

// bytes with line inserted right after line afterLine (from 1), every other byte unchanged.
// The new line ends in the line end of afterLine; when afterLine has none (the last line, or
// one cut by 0x1A) it goes before the cut with the file's first line end (CR LF without one).
// nullopt when the bytes have no such line.
std::optional<std::string> InsertLineAfter(std::string_view bytes, int32_t afterLine,
                                           std::string_view line);

// The encoding com_list.txt was saved in. UTF-8 when it begins with the UTF-8 byte order mark,
// or is valid UTF-8 throughout with at least one sequence of three or more bytes (pairs of
// half-width katakana in Shift-JIS can be valid two-byte sequences); Shift-JIS otherwise.
enum class ListEncoding { ShiftJis, Utf8, Utf8Bom };
ListEncoding DetectEncoding(std::string_view bytes);

// UTF-8 <-> Shift-JIS (code page 932), implemented by the platform.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // Each character code page 932 cannot hold, and each byte that is no UTF-8, becomes
  // kUnmappable and is counted in unmappable.
  virtual std::string SjisFromUtf8(std::string_view utf8, std::size_t& unmappable) = 0;
  virtual std::string Utf8FromSjis(std::string_view sjis) = 0;
};

// What a character without a Shift-JIS form becomes: a pair code page 932 leaves unassigned,
// so no caption read from a window ever holds it and a keyword with it matches nothing.
inline constexpr std::string_view kUnmappable = "\x85\x40";

// com_list.txt as read: its entries (from its Shift-JIS form), whether it was read to its end,
// its encoding and how many characters had no Shift-JIS form.
struct CommandListFile {
  bool complete = false;
  ListEncoding encoding = ListEncoding::ShiftJis;
  std::size_t unmappable = 0;
  std::vector<TCommandEntry> entries;
};

// The file's bytes in Shift-JIS, whatever its encoding; sets encoding and unmappable.
std::string CommandListText(TextCodec& codec, std::string_view bytes, CommandListFile& file);

// Reads com_list.txt at path; a missing file is complete and empty, a partial read keeps the
// entries of the bytes read.
CommandListFile ReadCommandList(Files& files, TextCodec& codec, const std::string& path);

// The new bytes of the file at path with the entry line "tabName<TAB>keywords" (Shift-JIS)
// joined to tab of page as read from those bytes now, in the file's encoding; nullopt when the
// file cannot be read completely or has no such tab.
std::optional<std::string> TeachEntryLine(const ReadResult& file, TextCodec& codec, int32_t page,
                                          int32_t tab, std::string_view entryLine);

}  // namespace tabvane
