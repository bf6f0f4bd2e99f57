// The command list: reading com_list.txt into entries, building the tabs and numbering menus.
// Depends on text/ and the file layer only; the tab strips come in through model/controls.h.
#include "model/command_list.h"

#include <cstddef>
#include <string_view>

#include "text/lines.h"

namespace tabvane {

std::vector<TCommandEntry> LoadCommandList(Files& files, const std::string& path) {
  if (!files.FileExists(path)) return {};
  // A failed or partial read leaves the entries of the bytes that were read.
  return ParseCommandList(files.Read(path).bytes);
}

std::vector<TCommandEntry> ParseCommandList(std::string_view bytes) {
  std::vector<TCommandEntry> entries;
  // Room for every entry (one per line with a TAB) before the first: the entries never move
  // while they are read, and page lines (empty lines too) take no room.
  entries.reserve(TabLinesAtMost(bytes));

  int32_t page = -1;
  int32_t tab = -1;
  bool firstOfBlock = true;
  int32_t lineNumber = 0;
  LineCursor lines(bytes);
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    ++lineNumber;
    const std::size_t cut = line.find('\t');
    if (cut == std::string_view::npos) {  // a page line, whatever it holds
      ++page;
      tab = -1;
      firstOfBlock = true;
      continue;
    }
    const std::string_view name = line.substr(0, cut);
    // A new name, or the first entry of a block, opens the next tab index; an empty name is a
    // name like any other, so tab indices and tab positions stay in step.
    if (firstOfBlock || name != entries.back().TabName) ++tab;
    firstOfBlock = false;
    // Built in place: each text is copied once, from the file's bytes, and never moved.
    TCommandEntry& entry = entries.emplace_back();
    entry.Page = page;
    entry.TabIndex = tab;
    entry.TabName = name;
    entry.Keywords = line.substr(cut + 1);
    entry.Line = lineNumber;
  }
  return entries;
}

int32_t BuildTabs(std::vector<TCommandEntry>& entries, const std::array<TabStrip*, kPageCount>& strips) {
  std::array<std::vector<std::string_view>, kPageCount> captions;
  int32_t prevPage = -1;
  int32_t prevTab = -1;
  int32_t count = 0;
  for (TCommandEntry& entry : entries) {
    entry.MenuNumber = 0;
    if (entry.Page < 0 || entry.Page >= kPageCount) continue;
    // The loader already turned every change of name into a change of TabIndex.
    if (entry.Page != prevPage || entry.TabIndex != prevTab) {
      const auto page = static_cast<std::size_t>(entry.Page);
      if (strips[page]) captions[page].push_back(entry.TabName);
      ++count;
      entry.MenuNumber = count;
    }
    prevPage = entry.Page;
    prevTab = entry.TabIndex;
  }
  for (std::size_t page = 0; page < strips.size(); ++page) {
    if (strips[page]) strips[page]->SetTabs(captions[page]);
  }
  return count;
}

int32_t FindMenuNumber(const std::vector<TCommandEntry>& entries, int32_t page, int32_t tab) {
  for (const TCommandEntry& entry : entries) {
    if (entry.Page == page && entry.TabIndex == tab) return entry.MenuNumber;
  }
  return 0;
}

}  // namespace tabvane
