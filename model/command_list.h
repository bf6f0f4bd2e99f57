// The command list com_list.txt: pages, tabs and recognition keywords, read once at start-up.
// Depends on text/ and the file layer only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/controls.h"
#include "model/files.h"

namespace tabvane {

constexpr int32_t kPageCount = 6;
// The last page, "フリー": automatic switching does not run on it.
constexpr int32_t kFreePage = kPageCount - 1;

struct TCommandEntry {
  int32_t Page = -1;       // page lines before the entry, minus 1
  int32_t TabIndex = -1;   // index of the entry's tab within its page
  int32_t MenuNumber = 0;  // 1-based menu of the tab this entry opened; 0 when it opened none
  std::string TabName;     // bytes before the first TAB
  std::string Keywords;    // bytes after the first TAB
  int32_t Line = 0;        // the line of com_list.txt it stands on, from 1
};

// Reads the command list at path. A missing or unreadable file gives the entries read so far.
std::vector<TCommandEntry> LoadCommandList(Files& files, const std::string& path);
// The entries of the command list's bytes (Shift-JIS).
std::vector<TCommandEntry> ParseCommandList(std::string_view bytes);

// Numbers the menus of the tabs opened by the entries of pages 0..5 and gives each of the six
// tab strips (a null one is passed over) the captions of its page's tabs, replacing what it
// held. Returns the number of tabs built (FMenuCount).
int32_t BuildTabs(std::vector<TCommandEntry>& entries, const std::array<TabStrip*, kPageCount>& strips);

// MenuNumber of the first entry with that page and tab index; 0 when there is none.
int32_t FindMenuNumber(const std::vector<TCommandEntry>& entries, int32_t page, int32_t tab);

// The tab strip / grid index of a page: the page itself for the pages before the free page,
// the free page's for every other value.
constexpr int32_t PageSlotIndex(int32_t page) {
  return (page >= 0 && page < kFreePage) ? page : kFreePage;
}

}  // namespace tabvane
