// The launch of a slot's transform: the host folder (the running host's, else the registry's),
// the bridge batch and the Ctrl+B sent to the target, with every way it stops short said.
// Depends on text/, model/ and the platform interface only.
#include "host/host_launch.h"

#include <array>
#include <utility>

#include "text/func.h"
#include "text/sjis.h"
#include "text/texts.h"

namespace tabvane {
namespace {

constexpr std::string_view kOpenCommandKey = "Jwwin.Document\\shell\\open\\command";
constexpr std::string_view kBridgeBatchName = "Tabvane.bat";

constexpr uint8_t kVkControl = 0x11;
constexpr uint8_t kVkB = 0x42;
// The modifiers a user may still hold from typing the slot key: Shift, Alt and Windows, left
// and right. Held, they would turn Ctrl+B into another shortcut.
constexpr std::array<uint8_t, 6> kModifiers = {0xA0, 0xA1, 0xA4, 0xA5, 0x5B, 0x5C};
constexpr uint32_t kActivationWaitMs = 100;

std::string Caption(std::string_view words) {
  return std::string(texts::kCaptionPrefix) + std::string(words);
}

// The target's process runs at a higher integrity level than this one (an elevated host), or
// will not say: Windows drops input sent to it.
bool RunsAboveUs(HostPlatform& platform, WindowHandle target) {
  const std::optional<uint32_t> own = platform.IntegrityLevel(0);
  const std::optional<uint32_t> host = platform.IntegrityLevel(target);
  // A system that knows no integrity levels keeps nobody from typing.
  if (!own || !host) return false;
  return *host > *own;
}

// Ctrl down, then key-ups for the modifiers held now, then B and Ctrl up. Ctrl goes first: a
// lone Alt key-up opens the host's menu bar and a lone Windows key-up the Start menu, but with
// Ctrl down neither counts as pressed alone.
std::vector<KeyEvent> CtrlBEvents(HostPlatform& platform) {
  std::vector<KeyEvent> events = {{kVkControl, false}};
  for (const uint8_t key : kModifiers) {
    if (platform.IsKeyDown(key)) events.push_back({key, true});
  }
  events.insert(events.end(), {{kVkB, false}, {kVkB, true}, {kVkControl, true}});
  return events;
}

}  // namespace

std::string HostExePathFromCommand(std::string_view command) {
  // The argument part starts at blank-quote-percent ("%1" quoted) or else at blank-percent.
  std::size_t cut = FindText(command, " \"%");
  if (cut == std::string_view::npos) cut = FindText(command, " %");
  std::string result(command.substr(0, cut));

  if (!result.empty() && result.front() == '"') {
    result.erase(0, 1);
    if (RightBytes(result, 1) == "\"") {
      int32_t taken = 0;
      result = MidBytes(result, 1, static_cast<int32_t>(result.size()) - 1, taken);
    }
  }
  return result;
}

std::string GetHostExePath(HostPlatform& platform) {
  const std::optional<std::string> command = platform.ClassesRootDefaultValue(kOpenCommandKey);
  if (!command || command->empty()) return {};
  return HostExePathFromCommand(*command);
}

std::string BridgeBatchBytes(std::string_view batch) {
  std::string bytes;
  bytes += "@rem Tabvane\r\n";
  bytes += "@echo off\r\n";
  bytes += "goto  END\r\n";
  bytes += "REM \r\n";
  bytes += "REM  #jww\r\n";
  bytes += "REM  #cd\r\n";
  bytes += "REM  #h/";
  bytes += batch;
  bytes += "\r\n";
  bytes += "REM  #e\r\n";
  bytes += ":END\r\n";
  bytes += "echo on\r\n";
  bytes += texts::kBridgeBatchEnd;
  bytes += "\r\n";
  return bytes;
}

bool WriteBridgeBatch(Files& files, std::string_view folder, std::string_view batch) {
  std::string path(FolderPart(folder));
  path += kBridgeBatchName;
  return WriteInPlace(files, path, BridgeBatchBytes(batch)).ok;
}

std::optional<std::string> VirtualStoreFolder(const VirtualStore& store, std::string_view folder) {
  // "C:\Program Files\Jw\" goes to "<store>Program Files\Jw\".
  if (folder.size() < 3 || folder[1] != ':' || folder[2] != '\\' || store.store.empty()) {
    return std::nullopt;
  }
  for (const std::string& protectedFolder : store.protectedFolders) {
    if (IsInFolder(folder, protectedFolder)) return store.store + std::string(folder.substr(3));
  }
  return std::nullopt;
}

BridgeFolder FindBridgeFolder(HostPlatform& platform, WindowHandle target) {
  if (target != 0 && platform.IsWindow(target)) {
    if (const std::optional<std::string> exe = platform.ProcessImagePath(target)) {
      const std::string_view folder = FolderPart(*exe);
      if (!folder.empty()) {
        // A virtualised host reads the store's copy of a file whenever one exists: the batch
        // written into its real folder would never be read, or a stale copy run instead.
        if (const std::optional<VirtualStore> store = platform.FileVirtualization(target)) {
          if (std::optional<std::string> moved = VirtualStoreFolder(*store, folder)) {
            return {std::move(*moved), BridgeFolder::Source::VirtualStore};
          }
        }
        return {std::string(folder), BridgeFolder::Source::Process};
      }
    }
  }
  const std::string hostPath = GetHostExePath(platform);
  const std::string_view folder = FolderPart(hostPath);
  if (folder.empty()) return {};
  return {std::string(folder), BridgeFolder::Source::Registry};
}

LaunchOutcome RunSlot(HostPlatform& platform, const std::vector<TCommandEntry>& entries,
                      const std::vector<TMenu>& menus, WindowHandle target,
                      const TSettings& settings, int32_t page, int32_t tab, int32_t slot) {
  LaunchOutcome outcome;
  if (slot < 0 || slot >= kSlotCount) return outcome;

  const int32_t menu = FindMenuNumber(entries, page, tab);
  if (menu <= 0 || static_cast<std::size_t>(menu) > menus.size()) return outcome;
  const TMenu& slots = menus[static_cast<std::size_t>(menu - 1)];
  // Copies: the wait below dispatches messages, and a handler run inside it may edit the menus.
  const std::string name = slots.Names[static_cast<std::size_t>(slot)];
  const std::string batch = slots.BatchFiles[static_cast<std::size_t>(slot)];
  if (batch.empty() || !platform.FileSystem().FileExists(batch)) return outcome;

  const BridgeFolder bridge = FindBridgeFolder(platform, target);
  if (bridge.folder.empty()) return outcome;

  // The store's folders exist only once something was written there.
  if (bridge.source == BridgeFolder::Source::VirtualStore) {
    CreateFolders(platform.FileSystem(), bridge.folder);
  }
  // Ctrl+B would make the host run the bridge batch of an earlier launch.
  if (!WriteBridgeBatch(platform.FileSystem(), bridge.folder, batch)) {
    outcome.caption = Caption(texts::kBatchNotWritten);
    return outcome;
  }
  outcome.caption = Caption(name);

  if (target == 0) return outcome;
  if (platform.IsWindow(target)) {
    if (RunsAboveUs(platform, target)) {
      outcome.caption = Caption(texts::kHostElevated);
      return outcome;
    }
    platform.ShowWindowAsync(target, settings.FMaximizeHost);
    platform.SetForegroundWindow(target);
    WaitMs(platform, kActivationWaitMs);
    // Ctrl+B goes to whatever window has the keyboard: send it only when that is still the
    // host window we activated, never into an unrelated program.
    if (platform.ForegroundWindow() != target) {
      outcome.caption = Caption(texts::kHostNotInFront);
      return outcome;
    }
    const std::vector<KeyEvent> events = CtrlBEvents(platform);
    if (platform.SendKeys(events) < events.size()) {
      outcome.caption = Caption(texts::kKeysRefused);
      return outcome;
    }
  }
  outcome.minimize = settings.FMinimizeAfterRun;
  return outcome;
}

}  // namespace tabvane
