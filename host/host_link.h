// The host link: host window list and target (ScanHost's first half), command detection and
// automatic page switching (its second half), and the launch of a slot's transform.
// Depends on text/, model/ and the platform interface only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform.h"
#include "model/controls.h"
#include "model/main_state.h"

namespace tabvane {

// The 5-byte separator between a host window's title and its handle in ComboBox1: "  － ".
inline constexpr std::string_view kEntrySeparator = "  \x81\x7C ";
inline constexpr std::string_view kNoTarget = "\x96\xB3\x8E\x77\x92\xE8";  // "無指定"

// Handle of a ComboBox1 entry: TextToInt of the text after the first separator; 0 without one.
WindowHandle EntryHandle(std::string_view entry);

// EnumHostWindowsProc for one top-level window: lists a host window and may make it the target.
bool EnumHostWindowsProc(HostPlatform& platform, ComboBox& combo, WindowHandle& target,
                         WindowHandle window);

// ScanHost steps 2 to 6: refills ComboBox1, chooses the target and selects its entry.
void ListHostWindows(HostPlatform& platform, ComboBox& combo, WindowHandle& target);

// The user's choice in ComboBox1.
void ComboBox1Select(MainState& state, MainControls& controls, HostPlatform& platform);

// True when the trimmed caption is not empty and none of the 37 fixed panel names.
bool IsCommandCaption(std::string_view caption);

// EnumHostChildProc for one child window: lists its caption when it is a command caption.
bool EnumHostChildProc(HostPlatform& platform, TextList& list, WindowHandle window);

// The entries that switch during one detection against the caption text, in the order they
// switch; the last one stands. Empty when nothing switches.
std::vector<std::size_t> DetectSwitches(const std::vector<TCommandEntry>& entries,
                                        std::string_view captionText);

// ScanHost step 8: reads the target's command captions into ListBox1 and switches page, tab
// and grid for every entry DetectSwitches names.
void DetectAndSwitch(MainState& state, MainControls& controls, HostPlatform& platform);

// One scan: timer off, host list and target, detection unless the free page is active or edit
// mode is on, then the timer armed with FInterval.
void ScanHost(MainState& state, MainControls& controls, HostPlatform& platform);

// The host executable path cut out of the registry's open command (quotes, arguments).
std::string HostExePathFromCommand(std::string_view command);

// The host executable path from the registry, or the empty text.
std::string GetHostExePath(HostPlatform& platform);

// The 11 lines of Tabvane.bat naming batch on its directive line, each ending in CR LF.
std::string BridgeBatchBytes(std::string_view batch);

// Writes Tabvane.bat into the folder part of folder; failures are swallowed.
void WriteBridgeBatch(Files& files, std::string_view folder, std::string_view batch);

// RunSlot without its last step: the caller ends every launch with RefreshState.
void RunSlot(MainState& state, MainControls& controls, HostPlatform& platform, int32_t page,
             int32_t tab, int32_t slot);

}  // namespace tabvane
