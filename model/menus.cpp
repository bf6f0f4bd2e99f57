// The menus of 36 slots: ga_list.txt, the grid view of a menu and the row operations.
// Depends on text/, the command list and the file layer only; grids come in through model/controls.h.
#include "model/menus.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "text/lines.h"
#include "text/texts.h"

namespace tabvane {

namespace {

// The menu of (page, tab), or nullptr when that tab has none.
template <typename Menus>
auto MenuOf(const std::vector<TCommandEntry>& entries, Menus& menus, int32_t page, int32_t tab)
    -> decltype(menus.data()) {
  const int32_t m = FindMenuNumber(entries, page, tab);
  if (m <= 0 || static_cast<std::size_t>(m) > menus.size()) return nullptr;
  return &menus[static_cast<std::size_t>(m - 1)];
}

bool IsSlotRow(int32_t row) { return row >= 1 && row <= kSlotCount; }

// The grid's selected rows, kept within the slot rows.
RowRange SelectedSlotRows(const SlotGrid& grid) {
  RowRange rows = grid.Selection();
  rows.top = std::max(rows.top, int32_t{1});
  rows.bottom = std::min(rows.bottom, kSlotCount);
  return rows;
}

}  // namespace

char SlotKey(int32_t slot) {
  if (slot < 0 || slot >= kSlotCount) return '\0';
  return static_cast<char>(slot < 10 ? '0' + slot : 'A' + (slot - 10));
}

namespace {

// The slot lines of bytes into menuCount menus of store, the rest into its surplus lines.
void ParseMenus(std::string_view bytes, int32_t menuCount, MenuStore& store) {
  store.FMenus.assign(static_cast<std::size_t>(std::max(menuCount, int32_t{0})), TMenu{});
  store.surplusLines.clear();
  const std::size_t capacity = store.FMenus.size() * kSlotCount;
  std::size_t i = 0;
  LineCursor lines(bytes);
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    const std::size_t cut = line.find('\t');
    if (cut == std::string_view::npos) continue;  // separator or stray line: not a slot
    if (i < capacity) {
      TMenu& menu = store.FMenus[i / kSlotCount];
      menu.Names[i % kSlotCount] = line.substr(0, cut);
      menu.BatchFiles[i % kSlotCount] = line.substr(cut + 1);
    } else {
      store.surplusLines.emplace_back(line);
    }
    ++i;
  }
}

}  // namespace

MenuStore LoadMenus(Files& files, const std::string& path, int32_t menuCount) {
  MenuStore store;
  ParseMenus({}, menuCount, store);
  if (!files.FileExists(path)) return store;
  const ReadResult file = files.Read(path);
  // What was read stays in memory, but such a file must never be overwritten from it.
  store.unreadable = !file.opened || !file.complete;
  ParseMenus(file.bytes, menuCount, store);
  return store;
}

void RenumberMenus(MenuStore& store, int32_t menuCount) {
  // What saving and loading again would do, without the text: the slot lines run on from the
  // menus into the surplus, and the first menuCount * 36 of them fill the menus.
  const auto count = static_cast<std::size_t>(std::max(menuCount, int32_t{0}));
  std::vector<std::string>& surplus = store.surplusLines;
  if (count < store.FMenus.size()) {
    std::vector<std::string> lines;
    lines.reserve((store.FMenus.size() - count) * kSlotCount + surplus.size());
    for (std::size_t m = count; m < store.FMenus.size(); ++m) {
      for (std::size_t s = 0; s < kSlotCount; ++s) {
        lines.push_back(store.FMenus[m].Names[s] + '\t' + store.FMenus[m].BatchFiles[s]);
      }
    }
    std::move(surplus.begin(), surplus.end(), std::back_inserter(lines));
    surplus = std::move(lines);
    store.FMenus.resize(count);
    return;
  }
  std::size_t taken = 0;
  while (store.FMenus.size() < count) {
    TMenu& menu = store.FMenus.emplace_back();
    for (std::size_t s = 0; s < kSlotCount && taken < surplus.size(); ++s, ++taken) {
      const std::string_view line = surplus[taken];
      const std::size_t cut = line.find('\t');
      menu.Names[s] = line.substr(0, cut);
      menu.BatchFiles[s] = line.substr(cut + 1);
    }
  }
  surplus.erase(surplus.begin(), surplus.begin() + static_cast<std::ptrdiff_t>(taken));
}

std::string MenuFileBytes(const MenuStore& store) {
  // The exact size first, so the text is built in one allocation.
  std::size_t size = 0;
  for (const TMenu& menu : store.FMenus) {
    for (std::size_t s = 0; s < kSlotCount; ++s) {
      size += menu.Names[s].size() + menu.BatchFiles[s].size() + 3;
    }
    size += 2;
  }
  for (const std::string& line : store.surplusLines) size += line.size() + 4;
  std::string bytes;
  bytes.reserve(size);
  for (const TMenu& menu : store.FMenus) {
    for (std::size_t s = 0; s < kSlotCount; ++s) {
      bytes += menu.Names[s];
      bytes += '\t';
      bytes += menu.BatchFiles[s];
      bytes += "\r\n";
    }
    bytes += "\r\n";
  }
  // Blocks the current command list has no tab for, kept for a later list that has.
  const std::size_t surplus = store.surplusLines.size();
  for (std::size_t k = 0; k < surplus; ++k) {
    bytes += store.surplusLines[k];
    bytes += "\r\n";
    if ((k + 1) % kSlotCount == 0 || k + 1 == surplus) bytes += "\r\n";
  }
  return bytes;
}

SaveResult SaveMenus(Files& files, const std::string& path, const MenuStore& store) {
  if (store.unreadable) return {false, {}};
  return SaveAtomically(files, path, MenuFileBytes(store));
}

void ShowMenu(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus,
              SlotGrid& grid, int32_t page, int32_t tab) {
  const TMenu* menu = MenuOf(entries, menus, page, tab);
  grid.SetCell(0, 0, "");
  grid.SetCell(1, 0, texts::kTransformName);
  grid.SetCell(2, 0, texts::kBatchFile);
  for (int32_t r = 1; r <= kSlotCount; ++r) {
    const std::size_t slot = static_cast<std::size_t>(r - 1);
    const char key = SlotKey(r - 1);
    grid.SetCell(0, r, std::string_view(&key, 1));
    grid.SetCell(1, r, menu ? std::string_view(menu->Names[slot]) : std::string_view());
    grid.SetCell(2, r, menu ? std::string_view(menu->BatchFiles[slot]) : std::string_view());
  }
}

void WriteBack(const std::vector<TCommandEntry>& entries, std::vector<TMenu>& menus,
               const SlotGrid& grid, int32_t page, int32_t tab, int32_t row) {
  if (!IsSlotRow(row)) return;
  TMenu* menu = MenuOf(entries, menus, page, tab);
  if (!menu) return;  // the grid shows the edit, no menu keeps it
  const std::size_t slot = static_cast<std::size_t>(row - 1);
  menu->Names[slot] = grid.Cell(1, row);
  menu->BatchFiles[slot] = grid.Cell(2, row);
}

std::vector<int32_t> EmptyRowsFrom(const TMenu& menu, int32_t row, std::size_t count) {
  std::vector<int32_t> rows;
  for (int32_t r = std::max(row, int32_t{1}); r <= kSlotCount && rows.size() < count; ++r) {
    const std::size_t slot = static_cast<std::size_t>(r - 1);
    if (menu.Names[slot].empty() && menu.BatchFiles[slot].empty()) rows.push_back(r);
  }
  return rows;
}

void CopyRows(const SlotGrid& grid, std::vector<TClipRow>& clip) {
  const RowRange rows = SelectedSlotRows(grid);
  clip.clear();
  for (int32_t r = rows.top; r <= rows.bottom; ++r) clip.push_back({grid.Cell(1, r), grid.Cell(2, r)});
}

void ClearRows(const std::vector<TCommandEntry>& entries, std::vector<TMenu>& menus,
               SlotGrid& grid, int32_t page, int32_t tab) {
  const RowRange rows = SelectedSlotRows(grid);
  for (int32_t r = rows.top; r <= rows.bottom; ++r) {
    grid.SetCell(1, r, "");
    grid.SetCell(2, r, "");
    WriteBack(entries, menus, grid, page, tab, r);
  }
}

void PasteRows(const std::vector<TCommandEntry>& entries, std::vector<TMenu>& menus,
               SlotGrid& grid, int32_t page, int32_t tab, const std::vector<TClipRow>& clip) {
  // Only the first selected row counts; rows that would fall below the last slot are dropped.
  int32_t r = SelectedSlotRows(grid).top;
  for (const TClipRow& row : clip) {
    if (r > kSlotCount) break;
    grid.SetCell(1, r, row.Name);
    grid.SetCell(2, r, row.BatchFile);
    WriteBack(entries, menus, grid, page, tab, r);
    ++r;
  }
}

}  // namespace tabvane
