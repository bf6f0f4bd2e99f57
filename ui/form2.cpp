// TForm2, the slot editor: fills the fields on showing, browses for a batch file and proposes
// its first line as the name, and hands the edited values back on OK; the name a dropped batch
// file gets. No platform headers.
#include "ui/form2.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "text/lines.h"
#include "text/sjis.h"
#include "text/texts.h"

namespace tabvane {
namespace {

// Whether text begins with prefix, ASCII letters compared without regard to case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    char p = prefix[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (p >= 'a' && p <= 'z') p = static_cast<char>(p - 'a' + 'A');
    if (c != p) return false;
  }
  return true;
}

// The first line of the batch file at path, trimmed; nullopt when there is no such file or no
// line.
std::optional<std::string> FirstLine(Files& files, const std::string& path) {
  if (!files.FileExists(path)) return std::nullopt;
  const ReadResult read = files.Read(path);
  if (!read.opened) return std::nullopt;
  LineCursor lines(read.bytes);
  if (lines.AtEnd()) return std::nullopt;
  return std::string(Trim(lines.Next()));
}

// The title in a trimmed first line: without "@REM" (any case) or else without its first three
// bytes, trimmed again.
std::string TitleOf(std::string_view line) {
  const bool atRem = line.size() >= 4 && StartsWithNoCase(line.substr(0, 4), "@REM");
  line.remove_prefix(atRem ? 4 : std::min<std::size_t>(3, line.size()));
  return std::string(Trim(line));
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
  const std::optional<std::string> line = FirstLine(files, path);
  return line ? TitleOf(*line) : std::string();
}

std::string DroppedBatchName(Files& files, const std::string& path) {
  const std::optional<std::string> line = FirstLine(files, path);
  if (line && (StartsWithNoCase(*line, "REM") || StartsWithNoCase(*line, "@REM"))) {
    std::string title = TitleOf(*line);
    if (!title.empty() && title.front() != '#') return WithoutLineBreaks(std::move(title));
  }
  const std::string_view name = FileNamePart(path);
  return WithoutLineBreaks(std::string(name.substr(0, std::min(name.rfind('.'), name.size()))));
}

bool IsBatchFilePath(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = name.substr(dot);
  return extension.size() == 4 &&
         (StartsWithNoCase(extension, ".bat") || StartsWithNoCase(extension, ".cmd"));
}

void TForm2::FormShow() {
  FAccepted = false;
  view_.SetCaption(std::string(texts::kSlotEditorCaptionHead) + FSlotKey +
                   std::string(texts::kSlotEditorCaptionTail));
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
