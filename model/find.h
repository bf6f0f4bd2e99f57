// Finding named slots by typing: every named slot of the menus of pages 0..5, folded once, and the
// slots whose name, or else whose batch file path, holds every typed word. Depends on text/ and the
// command list and menus only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_list.h"
#include "model/menus.h"

namespace tabvane {

// One slot found: where it lives, and the entry that opened its tab (for the tab's name).
struct FindHit {
  int32_t page = 0;
  int32_t tab = 0;
  int32_t slot = 0;
  std::size_t entry = 0;
  bool operator==(const FindHit&) const = default;
};

class FindIndex {
 public:
  FindIndex() = default;
  // The named slots of the menus built for pages 0..5, in page, tab and slot order.
  FindIndex(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus);

  // The slots whose name holds every word of query, then those whose batch file path does (and
  // whose name does not), each group in page, tab and slot order. None for a query without words.
  std::vector<FindHit> Filter(std::string_view query) const;

  std::size_t Size() const { return items_.size(); }

 private:
  struct Item {
    FindHit hit;
    // The folded name is folded_[nameBegin, pathBegin), the folded path [pathBegin, pathEnd).
    std::size_t nameBegin = 0;
    std::size_t pathBegin = 0;
    std::size_t pathEnd = 0;
  };
  std::string folded_;  // every folded name and path, one after the other
  std::vector<Item> items_;
};

// A row of the find box's list: page caption, tab name, slot key, two blanks and the slot's name,
// the first three apart by texts::kFindSeparator (" ＞ "). The empty text when hit no longer names
// a slot of these menus.
std::string FindRowText(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus,
                        const FindHit& hit);

}  // namespace tabvane
