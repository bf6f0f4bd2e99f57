// The menus of 36 slots, their file ga_list.txt, the grid view of a menu, the row operations
// (copy, clear, paste) with their write-back into the menus, and where dropped files go.
// Depends on text/, the command list and the file layer only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/command_list.h"
#include "model/controls.h"
#include "model/files.h"

namespace tabvane {

constexpr int32_t kSlotCount = 36;

struct TMenu {
  std::array<std::string, kSlotCount> Names;
  std::array<std::string, kSlotCount> BatchFiles;
};

struct TClipRow {
  std::string Name;
  std::string BatchFile;
};

// The menus in memory plus what guards the stored file on saving.
struct MenuStore {
  std::vector<TMenu> FMenus;  // FMenuCount menus, indexed by MenuNumber - 1
  // Counted slot lines beyond FMenus.size() * 36 read from the file, kept as read so that a
  // shorter command list never destroys stored menus.
  std::vector<std::string> surplusLines;
  // The file existed but could not be read completely: saving it would lose menus.
  bool unreadable = false;
};

// Slot key of slot 0..35: "0".."9", "A".."Z".
char SlotKey(int32_t slot);

// Reads the menu file at path into menuCount menus.
MenuStore LoadMenus(Files& files, const std::string& path, int32_t menuCount);

// The menus for a command list of menuCount tabs, mapped by number as saving them and loading
// them again would: the first menuCount menus stay, others come from or go to the surplus.
void RenumberMenus(MenuStore& store, int32_t menuCount);

// The bytes SaveMenus writes: every menu as 36 lines "name TAB path" and one empty line, then
// the surplus lines in the same 37-line block form. Lines end in CR LF.
std::string MenuFileBytes(const MenuStore& store);

// Writes the menu file (atomically); writes nothing when the file was unreadable at start-up.
SaveResult SaveMenus(Files& files, const std::string& path, const MenuStore& store);

// Fills grid with the menu of page and tab (headings, keys, names, paths).
void ShowMenu(const std::vector<TCommandEntry>& entries, const std::vector<TMenu>& menus,
              SlotGrid& grid, int32_t page, int32_t tab);

// After cells (1, row) and (2, row) of the active grid were set: store them in the menu of
// (page, tab), if it has one.
void WriteBack(const std::vector<TCommandEntry>& entries, std::vector<TMenu>& menus,
               const SlotGrid& grid, int32_t page, int32_t tab, int32_t row);

// The rows (1..36) of the first count empty slots (no name and no batch file) of menu, from
// row on, in order; fewer when the menu has no more.
std::vector<int32_t> EmptyRowsFrom(const TMenu& menu, int32_t row, std::size_t count);

// The row operations on the active grid of page p with tab t.
void CopyRows(const SlotGrid& grid, std::vector<TClipRow>& clip);
void ClearRows(const std::vector<TCommandEntry>& entries, std::vector<TMenu>& menus,
               SlotGrid& grid, int32_t page, int32_t tab);
void PasteRows(const std::vector<TCommandEntry>& entries, std::vector<TMenu>& menus,
               SlotGrid& grid, int32_t page, int32_t tab, const std::vector<TClipRow>& clip);

}  // namespace tabvane
