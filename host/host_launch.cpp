// The launch of a slot's transform: host folder from the registry, the bridge batch and the
// Ctrl+B sent to the target. Depends on text/, model/ and the platform interface only.
#include "host/host_launch.h"

#include "text/func.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

constexpr std::string_view kOpenCommandKey = "Jwwin.Document\\shell\\open\\command";
constexpr std::string_view kBridgeBatchName = "Tabvane.bat";
constexpr std::string_view kCaptionPrefix = "Tabvane \x81\xA8 ";  // "Tabvane → "

constexpr uint8_t kVkControl = 0x11;
constexpr uint8_t kVkB = 0x42;
constexpr uint32_t kActivationWaitMs = 100;

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
  bytes += "REM \x8F\x49\x97\xB9 \r\n";  // "REM 終了 "
  return bytes;
}

void WriteBridgeBatch(Files& files, std::string_view folder, std::string_view batch) {
  std::string path(FolderPart(folder));
  path += kBridgeBatchName;
  // A failed write is not reported: the launch goes on as if it had been written.
  WriteInPlace(files, path, BridgeBatchBytes(batch));
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

  const std::string hostPath = GetHostExePath(platform);
  const std::string_view folder = FolderPart(hostPath);
  if (folder.empty()) return outcome;

  outcome.caption = std::string(kCaptionPrefix) + name;
  WriteBridgeBatch(platform.FileSystem(), folder, batch);

  if (target == 0) return outcome;
  if (platform.IsWindow(target)) {
    platform.ShowWindow(target, settings.FMaximizeHost);
    platform.SetForegroundWindow(target);
    WaitMs(platform, kActivationWaitMs);
    // Ctrl+B goes to whatever window has the keyboard: send it only when that is still the
    // host window we activated, never into an unrelated program.
    if (platform.ForegroundWindow() == target) {
      platform.SendKey(kVkControl, false);
      platform.SendKey(kVkB, false);
      platform.SendKey(kVkB, true);
      platform.SendKey(kVkControl, true);
    }
  }
  outcome.minimize = settings.FMinimizeAfterRun;
  return outcome;
}

}  // namespace tabvane
