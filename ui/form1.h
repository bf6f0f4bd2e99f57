// TForm1, the main window's logic: start-up, the refresh cycle with its timer discipline,
// shutdown, and the handlers that run, edit and copy slots and open the two dialogs.
// Platform-free: works on the control and view interfaces and HostPlatform only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/platform.h"
#include "ui/controls.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/main_state.h"
#include "ui/views.h"

namespace tabvane {

// Label of the host selector's item 0 outside edit mode: "無指定".
inline constexpr std::string_view kNoTarget = "\x96\xB3\x8E\x77\x92\xE8";

// Virtual-key codes FormKeyDown acts on.
constexpr uint16_t kVkDelete = 46;
constexpr uint16_t kVkC = 67;
constexpr uint16_t kVkV = 86;
constexpr uint16_t kVkX = 88;

// ComboBox1's width in a Panel1 of that client width, as Panel1Resize sets it.
int32_t ComboBox1Width(int32_t panel1ClientWidth);

class TForm1 {
 public:
  // exePath: the running executable's full path (Shift-JIS).
  TForm1(const MainControls& controls, MainFormView& view, HostPlatform& platform, TForm2& form2,
         TForm3& form3, std::string exePath);

  // FExeDir, FEntries, menus, FClip, settings (FInterval .. FLastDir, bounds), FTargetWnd.
  MainState state;

  // Start-up, when the main window is first shown.
  void FormShow();
  // Shutdown, when the main window closes: saves the menu and the settings file.
  void FormClose();
  // A full refresh: one scan, then edit mode applied to the timer and the selector.
  void RefreshState();
  // One scan of the host: timer off, host list and target, outside the free page and edit
  // mode the automatic switch, then the timer armed with FInterval.
  void ScanHost();
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
  // copy and paste rows; Delete clears them, with any modifiers. Returns true when consumed.
  bool FormKeyDown(uint16_t vk, bool ctrl);
  // Context menu request on any grid: the slot editor for the current row.
  void StringGrid1ContextPopup();
  // The settings button.
  void Button1Click();
  // The user chose an item of ComboBox1.
  void ComboBox1Select();
  // Launches slot of (page, tab), then RefreshState.
  void RunSlot(int32_t page, int32_t tab, int32_t slot);

 private:
  int32_t ActivePage() const;
  int32_t ActiveTab() const;
  SlotGrid& ActiveGrid() const;
  // Turns page, tab and grid to the menu of the entry at index.
  void SwitchTo(std::size_t index);
  void ApplyNameColumnWidth();
  std::string SettingsFile() const;

  MainControls controls_;
  MainFormView& view_;
  HostPlatform& platform_;
  TForm2& form2_;
  TForm3& form3_;
  std::string exePath_;
};

}  // namespace tabvane
