// The launch of a slot's transform: the host folder from the registry, the bridge batch
// Tabvane.bat and Ctrl+B sent to the target. It acts on the desktop and says what happened;
// the window logic applies that to the main window and keeps the timer.
// Depends on text/, model/ and the platform interface only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform.h"
#include "model/command_list.h"
#include "model/menus.h"
#include "model/settings.h"

namespace tabvane {

// The host executable path cut out of the registry's open command (quotes, arguments).
std::string HostExePathFromCommand(std::string_view command);

// The host executable path from the registry, or the empty text.
std::string GetHostExePath(HostPlatform& platform);

// The 11 lines of Tabvane.bat naming batch on its directive line, each ending in CR LF.
std::string BridgeBatchBytes(std::string_view batch);

// Writes Tabvane.bat into the folder part of folder; whether it was written.
bool WriteBridgeBatch(Files& files, std::string_view folder, std::string_view batch);

// Where the bridge batch of a launch goes, and where that came from.
struct BridgeFolder {
  // VirtualStore: the target's folder as the system redirects its process's files there.
  enum class Source { None, Process, Registry, VirtualStore };
  std::string folder;  // with its trailing separator; empty when there is none
  Source source = Source::None;
};

// The folder of the target's own executable, where the running host reads the bridge batch, or
// its copy in the virtual store when the system virtualises the target's files and that
// folder is a protected one; when the executable cannot be read (no live target, access
// refused), the folder of the registry's open command.
BridgeFolder FindBridgeFolder(HostPlatform& platform, WindowHandle target);

// Where the system redirects a virtualised process's files of folder: below the store, the
// path without its drive, when folder lies in one of the protected folders; else nullopt.
std::optional<std::string> VirtualStoreFolder(const VirtualStore& store, std::string_view folder);

// What a launch asks of the main window.
struct LaunchOutcome {
  std::optional<std::string> caption;  // the new caption, when the launch got that far
  bool minimize = false;               // minimize the main window
};

// RunSlot without the main window's part: finds the slot's menu, writes the bridge batch into
// the host's folder and sends Ctrl+B to the target, but only when the batch was written, the
// target runs no higher than this program and is in front after the wait; every failure on
// that way is said in the caption. The caller stops the timer before and ends every launch
// with RefreshState.
LaunchOutcome RunSlot(HostPlatform& platform, const std::vector<TCommandEntry>& entries,
                      const std::vector<TMenu>& menus, WindowHandle target,
                      const TSettings& settings, int32_t page, int32_t tab, int32_t slot);

}  // namespace tabvane
