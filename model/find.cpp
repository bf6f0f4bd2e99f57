// The find box's index of named slots and its filter.
#include "model/find.h"

#include "text/fold.h"
#include "text/texts.h"

namespace tabvane {
namespace {

// The menu of the tab entry opened, or nullptr.
const TMenu* MenuOf(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus,
                    std::size_t entry) {
  if (entry >= entries.size()) return nullptr;
  const int32_t number = entries[entry].MenuNumber;
  if (number <= 0 || static_cast<std::size_t>(number) > menus.size()) return nullptr;
  return &menus[static_cast<std::size_t>(number - 1)];
}

}  // namespace

FindIndex::FindIndex(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus) {
  // BuildTabs numbers the menus in the order of the entries, which is page and tab order.
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const TMenu* menu = MenuOf(entries, menus, e);
    if (menu == nullptr) continue;
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
      const auto s = static_cast<std::size_t>(slot);
      if (menu->Names[s].empty()) continue;
      Item item{{entries[e].Page, entries[e].TabIndex, slot, e}, folded_.size(), 0, 0};
      AppendFolded(menu->Names[s], folded_);
      item.pathBegin = folded_.size();
      AppendFolded(menu->BatchFiles[s], folded_);
      item.pathEnd = folded_.size();
      items_.push_back(item);
    }
  }
}

std::vector<FindHit> FindIndex::Filter(std::string_view query) const {
  std::vector<FindHit> hits;
  const std::vector<std::string> words = FoldedWords(query);
  if (words.empty()) return hits;
  const std::string_view all = folded_;
  std::vector<const Item*> byPath;
  for (const Item& item : items_) {
    if (ContainsAllWords(all.substr(item.nameBegin, item.pathBegin - item.nameBegin), words)) {
      hits.push_back(item.hit);
    } else if (ContainsAllWords(all.substr(item.pathBegin, item.pathEnd - item.pathBegin), words)) {
      byPath.push_back(&item);
    }
  }
  for (const Item* item : byPath) hits.push_back(item->hit);
  return hits;
}

std::string FindRowText(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus,
                        const FindHit& hit) {
  const TMenu* menu = MenuOf(entries, menus, hit.entry);
  if (menu == nullptr || hit.page < 0 || hit.page >= kPageCount || hit.slot < 0 ||
      hit.slot >= kSlotCount) {
    return {};
  }
  std::string row(texts::kPageCaptions[static_cast<std::size_t>(hit.page)]);
  row += texts::kFindSeparator;
  row += entries[hit.entry].TabName;
  row += texts::kFindSeparator;
  row += SlotKey(hit.slot);
  row += "  ";
  row += menu->Names[static_cast<std::size_t>(hit.slot)];
  return row;
}

}  // namespace tabvane
