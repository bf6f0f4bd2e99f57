// TForm1, the main window's logic: start-up, the refresh cycle with its timer discipline,
// saving (at every edit, the close and the end of the session), shutdown, and the handlers that
// run, edit, copy and drop slots, give a slot's tooltip and open the dialogs and the detection
// view.
// Platform-free: works on the control and view interfaces and HostPlatform only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform.h"
#include "ui/controls.h"
#include "ui/detection_report.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/main_state.h"
#include "ui/views.h"

namespace tabvane {

// Virtual-key codes FormKeyDown acts on.
constexpr uint16_t kVkDelete = 46;
constexpr uint16_t kVkC = 67;
constexpr uint16_t kVkF = 70;
constexpr uint16_t kVkV = 86;
constexpr uint16_t kVkX = 88;

class TForm1 {
 public:
  // exePath: the running executable's full path (Shift-JIS).
  TForm1(const MainControls& controls, MainFormView& view, HostPlatform& platform, TForm2& form2,
         TForm3& form3, std::string exePath);

  // FExeDir, FEntries, menus, FClip, settings (FInterval .. FLastDir, bounds), FTargetWnd.
  MainState state;

  // Start-up, when the main window is first shown.
  void FormShow();
  // Shutdown, when the main window closes: saves the menu and the settings file, asking
  // whether to try again when a save fails.
  void FormClose();
  // The end of the Windows session (logoff, shutdown, restart): the saves of FormClose,
  // without any question.
  void FormEndSession();
  // A full refresh: one scan, then edit mode applied to the timer and the selector.
  void RefreshState();
  // One scan of the host: timer off, host list and target, outside the free page and edit
  // mode the automatic switch, then the timer armed with FInterval.
  void ScanHost();
  // Reads com_list.txt again first when it changed, then scans.
  void Timer1Timer();
  // Panel1 changed size: width of ComboBox1 and of the grids' name column.
  void Panel1Resize();
  // The user picked another page.
  void PageControl1Change();
  // The user picked a tab of TabControl(index + 1), index 0..5.
  void TabControlChange(int32_t index);
  // Double click on any grid: runs the slot of the active grid's current row.
  void StringGrid1DblClick();
  // A character typed anywhere in the window (the character's code, as typed). Runs the
  // slot of keys 0-9, A-Z, a-z. Returns true when the character is consumed (always).
  bool FormKeyPress(uint32_t ch);
  // A key pressed anywhere in the window (virtual-key code). Ctrl+X / Ctrl+C / Ctrl+V cut,
  // copy and paste rows; Delete clears them, with any modifiers; Ctrl+F opens the find box.
  // Returns true when consumed.
  bool FormKeyDown(uint16_t vk, bool ctrl);
  // Context menu request on any grid: the slot editor for the current row.
  void StringGrid1ContextPopup();
  // The settings button.
  void Button1Click();
  // Files dropped on row of the active grid (Shift-JIS paths, in the order the shell gives
  // them): one batch file opens the slot editor for that slot, several fill the empty slots
  // from there down.
  void StringGridDropFiles(int32_t row, const std::vector<std::string>& paths);
  // The tooltip over row of the active grid: the slot's batch file, said missing when it is;
  // nullopt over the heading row and slots without a name.
  // A file on another machine is asked about off the window's thread: until the answer comes,
  // its path shows without the claim; an answer serves the hints of the next few seconds.
  std::optional<std::string> StringGridHint(int32_t row);
  // The answer of a check asked for by StringGridHint.
  void FileChecked(const std::string& path, bool exists);
  // The system menu's "検出状況": shows what the last scan read and decided.
  void ShowDetectionView();
  // The detection view's "このコマンドを登録": form4 with the captions of the last scan; an OK
  // joins its line to com_list.txt and reads the list again.
  void TeachCommand(TForm4& form4);
  // The user chose an item of ComboBox1.
  void ComboBox1Select();
  // Launches slot of (page, tab), then RefreshState.
  void RunSlot(int32_t page, int32_t tab, int32_t slot);
  // Turns to page and tab with the row of slot selected, as a tab chosen by hand: the timer
  // keeps running.
  void ShowSlot(int32_t page, int32_t tab, int32_t slot);

 private:
  int32_t ActivePage() const;
  int32_t ActiveTab() const;
  SlotGrid& ActiveGrid() const;
  // Turns the tab and grid of the entry's page to the entry's menu; the page shown stays.
  void ShowEntryMenu(std::size_t index);
  // The slot editor for row of the active grid, handed these values; an OK stores and saves.
  void EditSlot(int32_t row, const std::string& name, const std::string& batchFile);
  // The detection view's text from the last scan, when the view is shown.
  void RefreshDetectionView();
  void ApplyNameColumnWidth();
  std::string CommandListPath() const;
  // Reads com_list.txt again when its stamp changed since it was read and it reads completely:
  // tabs built again, menus renumbered as a restart would, page and tab kept when they still
  // exist. Nothing when unchanged, gone or not readable to its end (tried again later).
  // The entries of a list read, with what the detection view says of its encoding.
  void AdoptCommandList(CommandListFile list);
  void ReloadCommandListIfChanged();
  std::string SettingsFile() const;
  std::string MenuFile() const;

  // When a save happens: after an edit (a failure shows in the caption), at the close (a
  // failure asks whether to try again) or at the end of the session (no one to tell).
  enum class SaveMoment { Edit, Close, SessionEnd };
  void SaveMenuFile(SaveMoment moment);
  void SaveSettingsFile(SaveMoment moment);
  // Saves one file: loaded tells whether it was read completely at start-up (else it is never
  // written), question is the first line of the retry question at the close.
  void SaveFile(SaveMoment moment, bool loaded, const std::string& path,
                std::string_view question, const std::function<SaveResult()>& save);
  // Keeps the menu file as it was at start-up as ga_list.bak, before the session's first save
  // that changes it.
  void KeepMenuBackup();
  // "Tabvane → このフォルダーでは使えません: ...", for an exe folder without a usable name.
  static std::string UnusableFolderCaption();

  MainControls controls_;
  MainFormView& view_;
  HostPlatform& platform_;
  TForm2& form2_;
  TForm3& form3_;
  std::string exePath_;
  // Whether start-up read these completely: a file read in part, or not at all because start-up
  // failed before it, must never be overwritten with what is in memory.
  bool menusLoaded_ = false;
  bool settingsLoaded_ = false;
  bool backupKept_ = false;  // ga_list.bak written this session
  DetectionFacts lastScan_;  // what the last scan read and decided, for the detection view
  // Files on other machines: the last answer about each and when it came, and those asked
  // about with no answer yet (never asked about twice at once, so that a share that is gone
  // holds one check each).
  struct RemoteAnswer {
    bool exists = false;
    uint32_t tick = 0;
  };
  std::map<std::string, RemoteAnswer> remoteFiles_;
  std::set<std::string> remoteChecks_;
  // The command captions before their last change; nullopt until they changed once.
  std::optional<std::vector<std::string>> priorCommands_;
  bool captionsRead_ = false;  // some scan read the command captions this session
  std::optional<FileStamp> listStamp_;  // com_list.txt as last read
  bool listBackupKept_ = false;         // com_list.bak written this session
};

}  // namespace tabvane
