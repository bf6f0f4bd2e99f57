// TForm2, the slot editor: fills the fields on showing, browses for a batch file and proposes
// its first line as the name, and hands the edited values back on OK. No platform headers.
#include "ui/form2.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "text/lines.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

constexpr std::string_view kCaptionHead = "\x93\xFC\x97\xCD\x81\x40\x81\x79";  // "入力　【"
constexpr std::string_view kCaptionTail = "\x81\x7A";                          // "】"

bool IsAtRem(std::string_view head) {
  constexpr std::string_view kAtRem = "@REM";
  if (head.size() != kAtRem.size()) return false;
  for (std::size_t i = 0; i < kAtRem.size(); ++i) {
    char c = head[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kAtRem[i]) return false;
  }
  return true;
}

// A TAB would split the slot's line in the menu file, CR or LF would add lines to the bridge
// batch, and 0x1A would end the slot's line (or the whole menu file) when it is read again:
// all four become a blank. Every other byte stays as typed.
std::string WithoutLineBreaks(std::string text) {
  std::replace_if(text.begin(), text.end(),
                  [](char c) { return c == '\t' || c == '\r' || c == '\n' || c == '\x1A'; }, ' ');
  return text;
}

}  // namespace

std::string ReadBatchTitle(Files& files, const std::string& path) {
  if (!files.FileExists(path)) return {};
  const ReadResult read = files.Read(path);
  if (!read.opened) return {};
  LineCursor lines(read.bytes);
  if (lines.AtEnd()) return {};
  const std::string_view line = lines.Next();
  std::string_view title = Trim(line);
  // "@REM" in any case goes as a whole; anything else loses its first three bytes.
  title.remove_prefix(IsAtRem(title.substr(0, 4)) ? 4 : std::min<std::size_t>(3, title.size()));
  return std::string(Trim(title));
}

void TForm2::FormShow() {
  FAccepted = false;
  view_.SetCaption(std::string(kCaptionHead) + FSlotKey + std::string(kCaptionTail));
  view_.SetFields({FName, FBatchFile});
  view_.FocusEdit1SelectAll();
}

void TForm2::Button1Click() {
  SlotFields fields = view_.Fields();
  const std::string& current = fields.batchFile;
  std::string folder = FLastDir;
  std::string fileName;
  if (!current.empty()) {
    const std::string_view currentFolder = FolderPart(current);
    if (!currentFolder.empty() && files_.FolderExists(std::string(currentFolder))) {
      folder = std::string(currentFolder);
      fileName = std::string(FileNamePart(current));
    }
  }
  const std::optional<std::string> chosen = view_.ChooseBatchFile(folder, fileName);
  if (!chosen) return;
  fields.batchFile = *chosen;
  view_.SetFields(fields);
  FLastDir = std::string(FolderPart(*chosen));
  if (view_.AskSetTitle()) {
    fields.name = ReadBatchTitle(files_, *chosen);
    view_.SetFields(fields);
  }
}

void TForm2::Button2Click() {
  const SlotFields fields = view_.Fields();
  FAccepted = true;
  FName = WithoutLineBreaks(fields.name);
  FBatchFile = WithoutLineBreaks(fields.batchFile);
  view_.Close();
}

void TForm2::Button3Click() { view_.Close(); }

}  // namespace tabvane
