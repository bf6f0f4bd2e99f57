// TForm1, the main window's logic: start-up and shutdown, the refresh cycle, saving, and the
// handlers that turn the user's actions into slot launches, row operations, drops, the two
// dialogs and the detection view.
// No platform headers: everything goes through the control and view interfaces.
#include "ui/form1.h"

#include <algorithm>
#include <iterator>
#include <cstddef>
#include <string_view>
#include <utility>

#include "host/host_launch.h"
#include "host/host_scan.h"
#include "model/command_list.h"
#include "model/command_list_edit.h"
#include "model/menus.h"
#include "model/settings.h"
#include "text/sjis.h"
#include "text/texts.h"
#include "ui/dpi.h"

namespace tabvane {
namespace {

// The slot of a slot key typed as a character, -1 for every other character.
int32_t SlotOfKey(uint32_t ch) {
  if (ch >= '0' && ch <= '9') return static_cast<int32_t>(ch - '0');
  if (ch >= 'A' && ch <= 'Z') return static_cast<int32_t>(ch - 'A') + 10;
  if (ch >= 'a' && ch <= 'z') return static_cast<int32_t>(ch - 'a') + 10;
  return -1;
}

std::size_t SlotIndex(int32_t page) { return static_cast<std::size_t>(PageSlotIndex(page)); }

// How long the answer about a file on another machine serves the tooltip before it is asked
// again.
constexpr uint32_t kRemoteAnswerMs = 10000;

// A file on another machine: a UNC path (\\server\share\..., \\?\UNC\...) or a path on a
// drive mapped to a share.
bool OnAnotherMachine(HostPlatform& platform, const std::string& path) {
  const bool unc = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                   (path[1] == '\\' || path[1] == '/');
  return unc || platform.OnNetworkDrive(path);
}

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

std::string TForm1::MenuFile() const { return state.FExeDir + "ga_list.txt"; }

std::string TForm1::CommandListPath() const { return state.FExeDir + "com_list.txt"; }

void TForm1::ApplyNameColumnWidth() {
  const int32_t dpi = view_.Dpi();
  const int32_t width = view_.TabControl1ClientWidth() - Scale(design::kNameColumnGap, dpi);
  view_.SetNameColumnWidth(std::max(width, Scale(design::kMinControlWidth, dpi)));
}

void TForm1::FormShow() {
  Files& files = platform_.FileSystem();
  menusLoaded_ = false;
  settingsLoaded_ = false;
  backupKept_ = false;
  listBackupKept_ = false;
  priorCommands_.reset();
  captionsRead_ = false;
  state.FExeDir = std::string(FolderPart(exePath_));
  // Without a path (its folder has no code page 932 name) every file name would be wrong: none
  // is read and none is ever written.
  const bool folderUsable = !exePath_.empty();

  // The windows' design positions are the defaults a missing settings line leaves.
  state.settings.main = view_.GetBounds();
  state.settings.slotEditor = form2_.GetPosition();
  state.settings.settingsDialog = form3_.GetPosition();
  if (folderUsable) {
    settingsLoaded_ = LoadSettings(files, SettingsFile(), state.FExeDir, state.settings);
  }
  view_.SetBounds(state.settings.main);
  form2_.SetPosition(state.settings.slotEditor);
  form3_.SetPosition(state.settings.settingsDialog);

  ApplyNameColumnWidth();

  if (folderUsable) {
    listStamp_ = files.Stamp(CommandListPath());
    AdoptCommandList(ReadCommandList(files, platform_.Codec(), CommandListPath()));
  }
  const int32_t menuCount = BuildTabs(state.FEntries, controls_.TabControls);
  if (folderUsable) {
    state.menus = LoadMenus(files, MenuFile(), menuCount);
    menusLoaded_ = !state.menus.unreadable;
  }
  state.FClip.clear();
  state.FTargetWnd = 0;

  controls_.ComboBox1.Clear();
  controls_.ComboBox1.AddItem(texts::kNoHostChosen);
  controls_.ComboBox1.Select(0);
  controls_.ListBox1.Clear();

  controls_.PageControl1.SetActivePage(0);
  ShowMenu(state.FEntries, state.menus.FMenus, *controls_.StringGrids[0], 0, 0);
  controls_.Timer1.Stop();
  RefreshState();
  if (!folderUsable) view_.SetCaption(UnusableFolderCaption());
}

void TForm1::FormClose() {
  controls_.Timer1.Stop();
  SaveMenuFile(SaveMoment::Close);
  SaveSettingsFile(SaveMoment::Close);
}

void TForm1::FormEndSession() {
  controls_.Timer1.Stop();
  SaveMenuFile(SaveMoment::SessionEnd);
  SaveSettingsFile(SaveMoment::SessionEnd);
}

void TForm1::SaveMenuFile(SaveMoment moment) {
  if (menusLoaded_ && !backupKept_) KeepMenuBackup();
  SaveFile(moment, menusLoaded_, MenuFile(), texts::kMenusNotSaved,
           [&] { return SaveMenus(platform_.FileSystem(), MenuFile(), state.menus); });
}

void TForm1::SaveSettingsFile(SaveMoment moment) {
  state.settings.main = view_.GetBounds();
  state.settings.slotEditor = form2_.GetPosition();
  state.settings.settingsDialog = form3_.GetPosition();
  SaveFile(moment, settingsLoaded_, SettingsFile(), texts::kSettingsNotSaved,
           [&] { return SaveSettings(platform_.FileSystem(), SettingsFile(), state.settings); });
}

void TForm1::SaveFile(SaveMoment moment, bool loaded, const std::string& path,
                      std::string_view question, const std::function<SaveResult()>& save) {
  // "Tabvane → 保存できません: ga_list.txt"
  const std::string cantSave = std::string(texts::kCaptionPrefix) + std::string(texts::kCantSave) +
                               std::string(FileNamePart(path));
  if (!loaded) {
    if (moment == SaveMoment::Edit) {
      view_.SetCaption(exePath_.empty() ? UnusableFolderCaption() : cantSave);
    }
    return;
  }
  for (;;) {
    const SaveResult result = save();
    if (result.ok || moment == SaveMoment::SessionEnd) return;
    if (moment == SaveMoment::Edit) {
      view_.SetCaption(cantSave);
      return;
    }
    // The question, the file, the system's words and "もう一度保存しますか？". No: the window
    // closes without this file; the old one stays as it was.
    if (!view_.AskRetrySave(std::string(question) + "\r\n" + path + "\r\n" + result.error +
                            "\r\n" + std::string(texts::kSaveAgain))) {
      return;
    }
  }
}

void TForm1::KeepMenuBackup() {
  Files& files = platform_.FileSystem();
  if (!files.FileExists(MenuFile())) {
    backupKept_ = true;
    return;
  }
  // The file on disk is still the one start-up read: only this program writes it, only from
  // now on, and only bytes that differ from it.
  const ReadResult start = files.Read(MenuFile());
  const bool read = start.opened && start.complete;
  // A save that changes nothing keeps the backup of the last session that changed the menus.
  if (read && start.bytes == MenuFileBytes(state.menus)) return;
  backupKept_ = true;
  if (read) SaveAtomically(files, state.FExeDir + "ga_list.bak", start.bytes);
}

std::string TForm1::UnusableFolderCaption() {
  return std::string(texts::kCaptionPrefix) + std::string(texts::kUnusableFolder) +
         std::string(texts::kNoSjisName);
}

void TForm1::RefreshState() {
  ScanHost();
  ComboBox& combo = controls_.ComboBox1;
  if (state.settings.FEditMode) {
    if (combo.Count() > 0) combo.SetItem(0, texts::kEditMode);
    controls_.Timer1.Stop();
    combo.Select(0);
  } else if (combo.Count() > 0) {
    combo.SetItem(0, texts::kNoHostChosen);
  }
}

void TForm1::ScanHost() {
  controls_.Timer1.Stop();
  const bool detect = ActivePage() != kFreePage && !state.settings.FEditMode;
  const ScanResult scan = tabvane::ScanHost(platform_, state.FEntries, state.FTargetWnd, detect);

  ComboBox& combo = controls_.ComboBox1;
  combo.Clear();
  combo.AddItem(texts::kNoHostChosen);
  for (const std::string& entry : scan.hosts.entries) combo.AddItem(entry);
  combo.Select(scan.hosts.selected);

  lastScan_.skipped = ActivePage() == kFreePage      ? DetectionFacts::Skipped::FreePage
                      : state.settings.FEditMode ? DetectionFacts::Skipped::EditMode
                                                 : DetectionFacts::Skipped::No;
  if (scan.captions) {
    controls_.ListBox1.Clear();
    for (const std::string& caption : scan.captions->commands) controls_.ListBox1.Add(caption);
    // Every switch turns its page's tab and grid; the last one's page is shown, and only when
    // another page is. Showing each page in turn would hide and show the last one again at
    // every tick, a full repaint every few seconds while the host stays on one command.
    for (const std::size_t index : scan.switches) ShowEntryMenu(index);
    if (!scan.switches.empty()) {
      const int32_t page = state.FEntries[scan.switches.back()].Page;
      if (page != ActivePage()) controls_.PageControl1.SetActivePage(page);
    }
    if (captionsRead_ && scan.captions->commands != lastScan_.captions.commands) {
      priorCommands_ = lastScan_.captions.commands;
    }
    captionsRead_ = true;
    lastScan_.captions = *scan.captions;
    lastScan_.switches = scan.switches;
  }
  RefreshDetectionView();
  controls_.Timer1.Start(state.settings.FInterval);
}

void TForm1::ShowEntryMenu(std::size_t index) {
  const TCommandEntry& entry = state.FEntries[index];
  if (entry.Page >= 0 && entry.Page < kPageCount) {
    controls_.TabControls[SlotIndex(entry.Page)]->SelectTab(entry.TabIndex);
  }
  ShowMenu(state.FEntries, state.menus.FMenus, *controls_.StringGrids[SlotIndex(entry.Page)],
           entry.Page, entry.TabIndex);
}

void TForm1::Timer1Timer() {
  ReloadCommandListIfChanged();
  ScanHost();
}

void TForm1::AdoptCommandList(CommandListFile list) {
  state.FEntries = std::move(list.entries);
  lastScan_.listEncoding = list.encoding;
  lastScan_.unmappable = list.unmappable;
}

void TForm1::ReloadCommandListIfChanged() {
  if (exePath_.empty()) return;  // a folder Tabvane cannot name: no file is read or written
  Files& files = platform_.FileSystem();
  const std::optional<FileStamp> stamp = files.Stamp(CommandListPath());
  // Unchanged, or gone (an editor may be replacing it): the list in memory stays.
  if (stamp == listStamp_ || !stamp) return;
  CommandListFile list = ReadCommandList(files, platform_.Codec(), CommandListPath());
  if (!list.complete) return;  // held or half-written: tried again at the next tick
  listStamp_ = stamp;
  const int32_t page = ActivePage();
  const int32_t tab = ActiveTab();
  AdoptCommandList(std::move(list));
  lastScan_.switches.clear();  // indices into the list that was replaced
  RenumberMenus(state.menus, BuildTabs(state.FEntries, controls_.TabControls));
  // The page stays; its tab when the page still has it, else its first.
  TabStrip& strip = *controls_.TabControls[SlotIndex(page)];
  const int32_t shownTab = FindMenuNumber(state.FEntries, page, tab) > 0 ? tab : 0;
  strip.SelectTab(shownTab);
  ShowMenu(state.FEntries, state.menus.FMenus, ActiveGrid(), page, shownTab);
  view_.SetCaption(std::string(texts::kCaptionPrefix) + std::string(texts::kListLoaded));
}

void TForm1::TeachCommand(TForm4& form4) {
  controls_.Timer1.Stop();
  form4.FEntries = &state.FEntries;
  form4.FPage = PageSlotIndex(ActivePage());
  form4.FTab = ActiveTab();
  form4.FOffer = OfferKeywords(lastScan_.captions.commands, priorCommands_);
  form4.FCaptionText = CaptionText(lastScan_.captions.commands);
  form4.FAccepted = false;
  form4.ShowModal();
  if (form4.FAccepted && !exePath_.empty()) {
    Files& files = platform_.FileSystem();
    const ReadResult now = files.Read(CommandListPath());
    const std::optional<std::string> bytes =
        TeachEntryLine(now, platform_.Codec(), form4.FPage, form4.FTab, form4.FLine);
    if (bytes && !listBackupKept_) {
      // The list as it was before this session's first write.
      listBackupKept_ = SaveAtomically(files, state.FExeDir + "com_list.bak", now.bytes).ok;
    }
    if (bytes && SaveAtomically(files, CommandListPath(), *bytes)) {
      ReloadCommandListIfChanged();  // the new line works at once
    } else {
      // "Tabvane → 保存できません: com_list.txt"; the file stays as it was.
      view_.SetCaption(std::string(texts::kCaptionPrefix) + std::string(texts::kCantSave) +
                       "com_list.txt");
    }
  }
  RefreshState();
}

// The widths are pixels at the window's DPI: the rule's design numbers are scaled to it, so
// that the combo box ends exactly its scaled gap before the panel's edge.
void TForm1::Panel1Resize() {
  view_.SetComboWidth(ComboBox1Width(view_.Panel1ClientWidth(), view_.Dpi()));
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
  if (ctrl && vk == kVkF) {
    view_.OpenFindBox();
    return true;
  }
  const bool rowKey = (ctrl && (vk == kVkX || vk == kVkC || vk == kVkV)) || vk == kVkDelete;
  if (!rowKey) return false;
  controls_.Timer1.Stop();
  const int32_t page = ActivePage();
  const int32_t tab = ActiveTab();
  SlotGrid& grid = ActiveGrid();
  if (vk == kVkX || vk == kVkC) CopyRows(grid, state.FClip);
  if (vk == kVkX || vk == kVkDelete) ClearRows(state.FEntries, state.menus.FMenus, grid, page, tab);
  if (vk == kVkV) PasteRows(state.FEntries, state.menus.FMenus, grid, page, tab, state.FClip);
  if (vk != kVkC) SaveMenuFile(SaveMoment::Edit);
  RefreshState();
  return true;
}

void TForm1::StringGrid1ContextPopup() {
  controls_.Timer1.Stop();
  const SlotGrid& grid = ActiveGrid();
  // The focus cursor's row, not the row under the pointer.
  const int32_t row = grid.CurrentRow();
  EditSlot(row, grid.Cell(1, row), grid.Cell(2, row));
  RefreshState();
}

void TForm1::EditSlot(int32_t row, const std::string& name, const std::string& batchFile) {
  const int32_t page = ActivePage();
  const int32_t tab = ActiveTab();
  SlotGrid& grid = ActiveGrid();
  form2_.FLastDir = state.settings.FLastDir;
  form2_.FSlotKey = grid.Cell(0, row);
  form2_.FName = name;
  form2_.FBatchFile = batchFile;
  form2_.FAccepted = false;  // a dialog that never showed must not hand back old values
  form2_.ShowModal();
  if (!form2_.FAccepted) return;
  const bool folderChanged = state.settings.FLastDir != form2_.FLastDir;
  state.settings.FLastDir = form2_.FLastDir;
  grid.SetCell(1, row, form2_.FName);
  grid.SetCell(2, row, form2_.FBatchFile);
  WriteBack(state.FEntries, state.menus.FMenus, grid, page, tab, row);
  SaveMenuFile(SaveMoment::Edit);
  if (folderChanged) SaveSettingsFile(SaveMoment::Edit);
}

void TForm1::StringGridDropFiles(int32_t row, const std::vector<std::string>& paths) {
  std::vector<std::string> batches;
  std::copy_if(paths.begin(), paths.end(), std::back_inserter(batches), IsBatchFilePath);
  const int32_t page = ActivePage();
  const int32_t tab = ActiveTab();
  const int32_t menu = FindMenuNumber(state.FEntries, page, tab);
  // The heading row, a tab without a menu or no batch file among the files: nothing happens.
  if (row < 1 || row > kSlotCount || batches.empty() || menu <= 0 ||
      static_cast<std::size_t>(menu) > state.menus.FMenus.size()) {
    return;
  }
  // Explorer hands over the files of a zip folder as copies in the temporary folder, which
  // vanish later: a slot would name a file that is gone.
  const std::string temp = platform_.TempFolder();
  if (std::any_of(batches.begin(), batches.end(),
                  [&](const std::string& path) { return IsInFolder(path, temp); })) {
    view_.SetCaption(std::string(texts::kCaptionPrefix) + std::string(texts::kTempFolderDrop));
    return;
  }
  controls_.Timer1.Stop();
  Files& files = platform_.FileSystem();
  if (batches.size() == 1) {
    EditSlot(row, DroppedBatchName(files, batches.front()), batches.front());
  } else {
    SlotGrid& grid = ActiveGrid();
    const std::vector<int32_t> rows =
        EmptyRowsFrom(state.menus.FMenus[static_cast<std::size_t>(menu - 1)], row, batches.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      grid.SetCell(1, rows[i], DroppedBatchName(files, batches[i]));
      grid.SetCell(2, rows[i], batches[i]);
      WriteBack(state.FEntries, state.menus.FMenus, grid, page, tab, rows[i]);
    }
    // "Tabvane → n 件を登録しました", and "（m 件は空きがありません）" when some found no room.
    std::string caption = std::string(texts::kCaptionPrefix) + std::to_string(rows.size());
    caption += texts::kRegistered;
    if (rows.size() < batches.size()) {
      caption += std::string(texts::kOpenParen) + std::to_string(batches.size() - rows.size()) +
                 std::string(texts::kNoRoom);
    }
    view_.SetCaption(caption);
    SaveMenuFile(SaveMoment::Edit);  // after the caption: a failed save is the latest event
  }
  RefreshState();
}

std::optional<std::string> TForm1::StringGridHint(int32_t row) {
  if (row < 1 || row > kSlotCount) return std::nullopt;
  const SlotGrid& grid = ActiveGrid();
  if (grid.Cell(1, row).empty()) return std::nullopt;
  std::string batch = grid.Cell(2, row);
  if (!batch.empty() && OnAnotherMachine(platform_, batch)) {
    const auto known = remoteFiles_.find(batch);
    // An older answer is asked again, so that a share that comes back (or goes) is seen.
    const bool fresh = known != remoteFiles_.end() &&
                       platform_.TickCount() - known->second.tick < kRemoteAnswerMs;
    if (!fresh && remoteChecks_.insert(batch).second) view_.CheckFileLater(batch);
    if (known == remoteFiles_.end() || known->second.exists) return batch;
    return std::string(texts::kFileMissing) + batch;
  }
  if (!batch.empty() && platform_.FileSystem().FileExists(batch)) return batch;
  return std::string(texts::kFileMissing) + batch;
}

void TForm1::FileChecked(const std::string& path, bool exists) {
  remoteChecks_.erase(path);
  remoteFiles_[path] = {exists, platform_.TickCount()};
}

void TForm1::ShowDetectionView() {
  view_.ShowDetectionView("");
  RefreshDetectionView();
}

void TForm1::RefreshDetectionView() {
  if (!view_.DetectionViewShown()) return;
  DetectionFacts facts = lastScan_;
  facts.target = state.FTargetWnd;
  facts.targetLive = platform_.IsWindow(state.FTargetWnd);
  facts.targetTitle = facts.targetLive ? platform_.WindowText(state.FTargetWnd) : std::string();
  facts.bridge = FindBridgeFolder(platform_, state.FTargetWnd);
  view_.ShowDetectionView(DetectionReport(facts, state.FEntries));
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
    SaveSettingsFile(SaveMoment::Edit);
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

void TForm1::ShowSlot(int32_t page, int32_t tab, int32_t slot) {
  if (page < 0 || page >= kPageCount || slot < 0 || slot >= kSlotCount) return;
  const std::size_t index = SlotIndex(page);
  controls_.PageControl1.SetActivePage(page);
  controls_.TabControls[index]->SelectTab(tab);
  ShowMenu(state.FEntries, state.menus.FMenus, *controls_.StringGrids[index], page, tab);
  controls_.StringGrids[index]->SelectRow(slot + 1);
}

}  // namespace tabvane
