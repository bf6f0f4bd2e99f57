// The end-to-end rig: one scratch folder per test with an app folder (Tabvane.exe beside its
// command list, menu file, sample transforms and optional settings file), the stand-in host in a
// folder of its own, and both programs started, driven and ended. Win32 only.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/menus.h"
#include "tabvane_version.h"
#include "tests/fakes/platform_files.h"
#include "tools/driver/driver.h"

namespace tabvane::e2e {

namespace drv = tabvane::driver;

// Every wait of the tests; generous, since a loaded machine slows Wine down a lot (a 100 MB
// menu file took more than 10 s to its first window beside four parallel builds). A wait that
// succeeds costs only the time it waits.
inline constexpr drv::Ms kWait{30000};

// Texts of the programs, Shift-JIS.
inline constexpr std::string_view kAppTitle = "Tabvane";  // the taskbar entry's
inline constexpr std::string_view kStartCaption = "Tabvane Ver." TABVANE_VERSION_TEXT;
inline constexpr std::string_view kRunCaptionPrefix = "Tabvane \x81\xA8 ";  // "Tabvane → "
inline constexpr std::string_view kNoneItem = "\x96\xB3\x8E\x77\x92\xE8";   // 無指定
// メニュー編集モード
inline constexpr std::string_view kEditModeItem =
    "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68";
inline constexpr std::string_view kHostTitle = "sample.jww - jw_win";
inline constexpr std::string_view kEntrySeparator = "  \x81\x7C ";  // "  － "
inline constexpr std::string_view kSettingsTitle = "\x90\xDD\x92\xE8";  // 設定

// Command captions the stand-in can be given, and the command list's keywords for them.
inline constexpr std::string_view kArc = "\x89\x7E\x8C\xCA";        // 円弧
inline constexpr std::string_view kRadius = "\x94\xBC\x8C\x61";     // 半径
inline constexpr std::string_view kRect = "\x8B\xE9\x8C\x60";       // 矩形
inline constexpr std::string_view kSize = "\x90\xA1\x96\x40";       // 寸法
inline constexpr std::string_view kFree = "\x8E\xA9\x97\x52";       // 自由
inline constexpr std::string_view kText = "\x95\xB6\x8E\x9A";       // 文字

// The menus of the sample: menu number - 1, slot, name, batch file below the rig's batch folder.
// Menu 0 is page 0 tab 0, menu 1 page 0 tab 1, menu 2 page 1 tab 0, menus 3 and 4 the free
// page's tabs.
struct SampleSlot {
  int menu;
  int slot;
  std::string_view name;
  std::string_view file;
};
inline constexpr std::array<SampleSlot, 9> kSampleSlots = {{
    {0, 0, "\x90\xFC\x95\xAA\x8A\x84", "senbun.bat"},                       // 線分割
    {0, 1, "\x92\x86\x90\x53\x90\xFC", "\x95\x5C\x8E\xA6\\chuushin.bat"},   // 中心線 in 表示
    {0, 2, "\x96\xCA\x8E\xE6\x82\xE8", "mentori.bat"},                      // 面取り
    {0, 10, "\x93\x5F\x90\xFC", "tensen.bat"},                              // 点線
    {0, 35, "\x92\x5B\x93\x5F", "tanten.bat"},                              // 端点
    {1, 0, "\x90\xA1\x96\x40\x92\x6C", "sunpou.bat"},                       // 寸法値
    {2, 0, "\x8B\xC8\x90\xFC", "kyokusen.bat"},                             // 曲線
    {3, 0, "\x95\xB6\x8E\x9A", "moji.bat"},                                 // 文字
    {4, 0, "\x8F\x91\x8E\xAE", "shoshiki.bat"},                             // 書式
}};
inline constexpr int kMenuCount = 5;

struct Menu {
  std::array<std::string, kSlotCount> names;
  std::array<std::string, kSlotCount> files;
};
using Menus = std::vector<Menu>;

// The menu file's bytes as Tabvane writes them: 36 lines "name TAB file" and an empty line per
// menu, CR LF after each.
std::string MenuFileBytes(const Menus& menus);

// The settings file: 14 lines with the given main window bounds, interval and switches, the
// other values at their defaults (last folder: lastDir).
struct Settings {
  int32_t left = 192, top = 107, width = 387, height = 483;
  int32_t interval = 3000;
  bool editMode = true;
  bool minimizeAfterRun = false;
};
std::string SettingsFileBytes(const Settings& settings, std::string_view lastDir);

// Line n (1-based) of a file's text, without its CR LF; nullopt past the end.
std::optional<std::string> Line(std::string_view bytes, int n);

// The bridge batch Tabvane writes for a transform's batch file.
std::string BridgeBytes(std::string_view batchFile);

class Rig {
 public:
  // Lays out the app folder: Tabvane.exe, com_list.txt, ga_list.txt and the sample transforms;
  // with settings also Tabvane.dat.
  explicit Rig(const std::optional<Settings>& settings = std::nullopt);
  ~Rig();
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;

  // Full path of a sample transform.
  std::string BatchPath(std::string_view file) const { return bat_ + std::string(file); }
  // The sample menus with full batch paths, as ga_list.txt holds them at the start.
  const Menus& SampleMenus() const { return menus_; }

  // Starts the stand-in host with a captions file, registering itself first unless told not
  // to, and waits for its window.
  void StartHost(bool registerItself = true);
  // Only writes the stand-in's open command into the registry (no host window).
  void RegisterHost();
  // From now on the stand-in is a copy in this folder of the scratch folder (the one
  // registered before stays in the registry until the next registration).
  void UseHostFolder(std::string_view name);
  // Makes the stand-in stop answering messages, and waits until it does; Wake undoes it.
  void HangHost();
  void WakeHost();
  // Gives the stand-in these command captions and waits until it shows the first one.
  void SetHostCaptions(const std::vector<std::string_view>& captions);
  // The selector's entry for the stand-in's window: title, separator, handle in decimal.
  std::string HostEntry() const;
  // Lines of the stand-in's log, one per Ctrl+B it received.
  std::vector<std::string> HostLog() const;
  // Waits until the log has count lines and returns the last; empty after the time-out.
  std::string WaitHostLog(std::size_t count) const;
  // Tabvane.bat in the stand-in's folder, or in another folder.
  std::optional<std::string> Bridge() const;
  std::optional<std::string> BridgeIn(const std::string& folder) const;
  const std::string& HostFolder() const { return host_; }

  // Starts Tabvane.exe in a working folder of its own and waits for its main window and for
  // the start-up scan to list the stand-in (hostListed) or nothing.
  void StartTabvane(bool hostListed = true);
  // Closes the main window (WM_CLOSE), or the taskbar entry as a taskbar does (SC_CLOSE), and
  // waits for the end of the process. True when it ended.
  bool CloseTabvane(bool fromTaskbar = false);
  // Ends Tabvane's process at once, as a crash or the task manager does.
  void KillTabvane() { tabvane_.Kill(); }
  DWORD TabvaneProcessId() const { return tabvane_.Id(); }
  HWND Main() const { return main_; }
  // The application window, owner of the main window and Tabvane's taskbar entry.
  HWND App() const { return GetWindow(main_, GW_OWNER); }
  // Minimized: the taskbar entry is iconic and the main window hidden.
  bool Minimized() const;
  HWND Combo() const;
  std::vector<std::string> ComboItems() const;
  // The page tabs' control (the tab control with the tabs on the left).
  HWND PageControl() const;
  int ActivePage() const;
  // The tab strip and the grid of the active page (the visible ones).
  HWND ActiveStrip() const;
  HWND ActiveGrid() const;
  int ActiveTab() const;

  // Brings the main window to the foreground; false after the time-out.
  bool Focus() const;
  // Clicks into the name cell of a row (1..36) of the active grid, whose top row is row 1.
  void ClickRow(int row) const;
  // Moves the pointer onto the name cell of a row; the cell's rectangle on the screen.
  void PointAtRow(int row) const;
  RECT RowRect(int row) const;
  void DoubleClickRow(int row) const;
  // A visible top-level window of Tabvane's process with that caption; nullptr after the time-out.
  HWND WaitTabvaneWindow(std::string_view caption) const;

  // Bytes of a file in the app folder; empty when it is missing.
  std::string AppFile(std::string_view name) const;
  // The scratch folder of the test.
  const std::string& Root() const { return scratch_.path(); }
  // Full path of a file in the app folder, and a file written there (replacing the sample's).
  std::string AppPath(std::string_view name) const { return app_ + std::string(name); }
  void WriteAppFile(std::string_view name, std::string_view bytes) const {
    WriteFile(AppPath(name), bytes);
  }
  // Waits for the end of Tabvane's process: its exit code, or nothing while it still runs.
  std::optional<DWORD> WaitTabvaneExit(drv::Ms timeout = kWait) {
    return tabvane_.WaitExit(timeout);
  }

 private:
  void WriteFile(const std::string& path, std::string_view bytes) const;

  fakes::ScratchDir scratch_;
  std::string app_, host_, bat_, work_;
  std::string captionsFile_;
  Menus menus_;
  drv::Process hostProcess_;
  drv::Process tabvane_;
  HWND hostWindow_ = nullptr;
  HWND main_ = nullptr;
};

// The caption of the slot editor for a slot key: "入力　【" key "】".
std::string SlotEditorCaption(char key);

// The control of a window's thread that has the keyboard focus.
HWND FocusOf(HWND window);

}  // namespace tabvane::e2e
