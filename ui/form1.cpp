// TForm1, the main window's logic: start-up and shutdown, the refresh cycle, and the handlers
// that turn the user's actions into slot launches, row operations and the two dialogs.
// No platform headers: everything goes through the control and view interfaces.
#include "ui/form1.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "host/host_launch.h"
#include "host/host_scan.h"
#include "model/command_list.h"
#include "model/menus.h"
#include "model/settings.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

// Label of the selector's item 0 while edit mode is on: "メニュー編集モード".
constexpr std::string_view kEditModeLabel =
    "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68";

constexpr int32_t kComboLeft = 52;
constexpr int32_t kComboRightGap = 4;
constexpr int32_t kNameColumnGap = 20;
constexpr int32_t kMinControlWidth = 100;

// The slot of a slot key typed as a character, -1 for every other character.
int32_t SlotOfKey(uint32_t ch) {
  if (ch >= '0' && ch <= '9') return static_cast<int32_t>(ch - '0');
  if (ch >= 'A' && ch <= 'Z') return static_cast<int32_t>(ch - 'A') + 10;
  if (ch >= 'a' && ch <= 'z') return static_cast<int32_t>(ch - 'a') + 10;
  return -1;
}

std::size_t SlotIndex(int32_t page) { return static_cast<std::size_t>(PageSlotIndex(page)); }

}  // namespace

TForm1::TForm1(const MainControls& controls, MainFormView& view, HostPlatform& platform,
               TForm2& form2, TForm3& form3, std::string exePath)
    : controls_(controls),
      view_(view),
      platform_(platform),
      form2_(form2),
      form3_(form3),
      exePath_(std::move(exePath)) {}

int32_t TForm1::ActivePage() const { return controls_.PageControl1.ActivePage(); }

int32_t TForm1::ActiveTab() const {
  return controls_.TabControls[SlotIndex(ActivePage())]->SelectedTab();
}

SlotGrid& TForm1::ActiveGrid() const { return *controls_.StringGrids[SlotIndex(ActivePage())]; }

std::string TForm1::SettingsFile() const { return SettingsPath(exePath_); }

void TForm1::ApplyNameColumnWidth() {
  view_.SetNameColumnWidth(
      std::max(view_.TabControl1ClientWidth() - kNameColumnGap, kMinControlWidth));
}

void TForm1::FormShow() {
  Files& files = platform_.FileSystem();
  state.FExeDir = std::string(FolderPart(exePath_));

  // The windows' design positions are the defaults a missing settings line leaves.
  state.settings.main = view_.GetBounds();
  state.settings.slotEditor = form2_.GetPosition();
  state.settings.settingsDialog = form3_.GetPosition();
  LoadSettings(files, SettingsFile(), state.FExeDir, state.settings);
  view_.SetBounds(state.settings.main);
  form2_.SetPosition(state.settings.slotEditor);
  form3_.SetPosition(state.settings.settingsDialog);

  ApplyNameColumnWidth();

  state.FEntries = LoadCommandList(files, state.FExeDir + "com_list.txt");
  const int32_t menuCount = BuildTabs(state.FEntries, controls_.TabControls);
  state.menus = LoadMenus(files, state.FExeDir + "ga_list.txt", menuCount);
  state.FClip.clear();
  state.FTargetWnd = 0;

  controls_.ComboBox1.Clear();
  controls_.ComboBox1.AddItem(kNoTarget);
  controls_.ComboBox1.Select(0);
  controls_.ListBox1.Clear();

  controls_.PageControl1.SetActivePage(0);
  ShowMenu(state.FEntries, state.menus.FMenus, *controls_.StringGrids[0], 0, 0);
  controls_.Timer1.Stop();
  RefreshState();
}

void TForm1::FormClose() {
  controls_.Timer1.Stop();
  Files& files = platform_.FileSystem();
  SaveMenus(files, state.FExeDir + "ga_list.txt", state.menus);
  state.settings.main = view_.GetBounds();
  state.settings.slotEditor = form2_.GetPosition();
  state.settings.settingsDialog = form3_.GetPosition();
  SaveSettings(files, SettingsFile(), state.settings);
}

void TForm1::RefreshState() {
  ScanHost();
  ComboBox& combo = controls_.ComboBox1;
  if (state.settings.FEditMode) {
    if (combo.Count() > 0) combo.SetItem(0, kEditModeLabel);
    controls_.Timer1.Stop();
    combo.Select(0);
  } else if (combo.Count() > 0) {
    combo.SetItem(0, kNoTarget);
  }
}

void TForm1::ScanHost() {
  controls_.Timer1.Stop();
  const bool detect = ActivePage() != kFreePage && !state.settings.FEditMode;
  const ScanResult scan = tabvane::ScanHost(platform_, state.FEntries, state.FTargetWnd, detect);

  ComboBox& combo = controls_.ComboBox1;
  combo.Clear();
  combo.AddItem(kNoTarget);
  for (const std::string& entry : scan.hosts.entries) combo.AddItem(entry);
  combo.Select(scan.hosts.selected);

  if (scan.captions) {
    controls_.ListBox1.Clear();
    for (const std::string& caption : *scan.captions) controls_.ListBox1.Add(caption);
    for (const std::size_t index : scan.switches) SwitchTo(index);
  }
  controls_.Timer1.Start(state.settings.FInterval);
}

void TForm1::SwitchTo(std::size_t index) {
  const TCommandEntry& entry = state.FEntries[index];
  controls_.PageControl1.SetActivePage(entry.Page);
  if (entry.Page >= 0 && entry.Page < kPageCount) {
    controls_.TabControls[SlotIndex(entry.Page)]->SelectTab(entry.TabIndex);
  }
  ShowMenu(state.FEntries, state.menus.FMenus, *controls_.StringGrids[SlotIndex(entry.Page)],
           entry.Page, entry.TabIndex);
}

void TForm1::Timer1Timer() { ScanHost(); }

int32_t ComboBox1Width(int32_t panel1ClientWidth) {
  return std::max(panel1ClientWidth - kComboLeft - kComboRightGap, kMinControlWidth);
}

void TForm1::Panel1Resize() {
  view_.SetComboWidth(ComboBox1Width(view_.Panel1ClientWidth()));
  ApplyNameColumnWidth();
}

void TForm1::PageControl1Change() {
  controls_.Timer1.Stop();
  const int32_t page = ActivePage();
  ShowMenu(state.FEntries, state.menus.FMenus, ActiveGrid(), page, 0);
  controls_.TabControls[SlotIndex(page)]->SelectTab(0);
  RefreshState();
}

void TForm1::TabControlChange(int32_t index) {
  if (index < 0 || index >= kPageCount) return;
  const auto i = static_cast<std::size_t>(index);
  ShowMenu(state.FEntries, state.menus.FMenus, *controls_.StringGrids[i], index,
           controls_.TabControls[i]->SelectedTab());
}

void TForm1::StringGrid1DblClick() {
  controls_.Timer1.Stop();
  RunSlot(ActivePage(), ActiveTab(), ActiveGrid().CurrentRow() - 1);
}

bool TForm1::FormKeyPress(uint32_t ch) {
  const int32_t slot = SlotOfKey(ch);
  if (slot >= 0) RunSlot(ActivePage(), ActiveTab(), slot);
  return true;
}

bool TForm1::FormKeyDown(uint16_t vk, bool ctrl) {
  const bool rowKey = (ctrl && (vk == kVkX || vk == kVkC || vk == kVkV)) || vk == kVkDelete;
  if (!rowKey) return false;
  controls_.Timer1.Stop();
  const int32_t page = ActivePage();
  const int32_t tab = ActiveTab();
  SlotGrid& grid = ActiveGrid();
  if (vk == kVkX || vk == kVkC) CopyRows(grid, state.FClip);
  if (vk == kVkX || vk == kVkDelete) ClearRows(state.FEntries, state.menus.FMenus, grid, page, tab);
  if (vk == kVkV) PasteRows(state.FEntries, state.menus.FMenus, grid, page, tab, state.FClip);
  RefreshState();
  return true;
}

void TForm1::StringGrid1ContextPopup() {
  controls_.Timer1.Stop();
  const int32_t page = ActivePage();
  const int32_t tab = ActiveTab();
  SlotGrid& grid = ActiveGrid();
  // The focus cursor's row, not the row under the pointer.
  const int32_t row = grid.CurrentRow();

  form2_.FLastDir = state.settings.FLastDir;
  form2_.FSlotKey = grid.Cell(0, row);
  form2_.FName = grid.Cell(1, row);
  form2_.FBatchFile = grid.Cell(2, row);
  form2_.FAccepted = false;  // a dialog that never showed must not hand back old values
  form2_.ShowModal();
  if (form2_.FAccepted) {
    state.settings.FLastDir = form2_.FLastDir;
    grid.SetCell(1, row, form2_.FName);
    grid.SetCell(2, row, form2_.FBatchFile);
    WriteBack(state.FEntries, state.menus.FMenus, grid, page, tab, row);
  }
  RefreshState();
}

void TForm1::Button1Click() {
  controls_.Timer1.Stop();
  TSettings& settings = state.settings;
  form3_.FInterval = settings.FInterval;
  form3_.FMaximizeHost = settings.FMaximizeHost;
  form3_.FMinimizeAfterRun = settings.FMinimizeAfterRun;
  form3_.FEditMode = settings.FEditMode;
  form3_.FAccepted = false;
  form3_.ShowModal();
  if (form3_.FAccepted) {
    settings.FInterval = form3_.FInterval;
    settings.FMaximizeHost = form3_.FMaximizeHost;
    settings.FMinimizeAfterRun = form3_.FMinimizeAfterRun;
    settings.FEditMode = form3_.FEditMode;
  }
  RefreshState();
}

void TForm1::ComboBox1Select() {
  controls_.Timer1.Stop();
  const ComboBox& combo = controls_.ComboBox1;
  const int32_t selected = combo.Selected();
  if (selected > 0 && selected < combo.Count()) {
    tabvane::ComboBox1Select(platform_, combo.Item(selected), state.settings.FMaximizeHost,
                             state.FTargetWnd);
  }
  if (!state.settings.FEditMode) controls_.Timer1.Start(state.settings.FInterval);
}

void TForm1::RunSlot(int32_t page, int32_t tab, int32_t slot) {
  controls_.Timer1.Stop();
  const LaunchOutcome outcome = tabvane::RunSlot(platform_, state.FEntries, state.menus.FMenus,
                                                 state.FTargetWnd, state.settings, page, tab, slot);
  if (outcome.caption) view_.SetCaption(*outcome.caption);
  if (outcome.minimize) view_.Minimize();
  RefreshState();
}

}  // namespace tabvane
