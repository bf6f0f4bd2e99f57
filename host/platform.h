// The one narrow interface to the desktop for everything that touches the host: windows,
// keys, the registry, files, ticks and the message pump. host/win32 implements it with the
// W functions and code page 932; tests use a fake desktop. Texts are Shift-JIS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_list_edit.h"
#include "model/files.h"
#include "text/func.h"

namespace tabvane {

// A window handle as the program keeps it: 32 bits, written as unsigned decimal.
using WindowHandle = uint32_t;

// One synthetic key event: a virtual key going down or up.
struct KeyEvent {
  uint8_t virtualKey = 0;
  bool up = false;
  bool operator==(const KeyEvent&) const = default;
};

// Where Windows sends the file writes of a process it virtualises (a legacy 32-bit program
// without a manifest, run by a standard user) that go into a protected folder, and where that
// process reads such files first.
struct VirtualStore {
  // The protected folders: both Program Files, Windows, ProgramData; trailing separators.
  std::vector<std::string> protectedFolders;
  // %LOCALAPPDATA%\VirtualStore\ : a protected path without its drive goes below it.
  std::string store;
};

class HostPlatform : public TickSource {
 public:
  using WindowProc = std::function<bool(WindowHandle)>;  // return false to stop

  // Every top-level window, top of the z-order first.
  virtual void EnumTopLevelWindows(const WindowProc& proc) = 0;
  // Every descendant of parent; nothing when parent is no window.
  virtual void EnumChildWindows(WindowHandle parent, const WindowProc& proc) = 0;
  virtual WindowHandle Owner(WindowHandle window) = 0;
  // The window and all its parents are visible.
  virtual bool IsVisible(WindowHandle window) = 0;
  // Title or caption, at most 254 bytes, up to the first zero byte.
  virtual std::string WindowText(WindowHandle window) = 0;
  // The window's class name; the system's stand-in for a hung window has the class "Ghost".
  virtual std::string ClassName(WindowHandle window) = 0;
  virtual WindowHandle ForegroundWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // Shows the window maximized or restored without waiting for its thread, so that a hung
  // window of another process cannot block the caller.
  virtual void ShowWindowAsync(WindowHandle window, bool maximized) = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  // Whether the key is down at this moment.
  virtual bool IsKeyDown(uint8_t virtualKey) = 0;
  // Puts the events into the input stream in one go, so that nothing else comes between them;
  // the number of events the system took.
  virtual std::size_t SendKeys(const std::vector<KeyEvent>& events) = 0;
  // The full path of the executable of the process that owns the window; nullopt when it
  // cannot be read (no such window, access refused, no code page 932 form).
  virtual std::optional<std::string> ProcessImagePath(WindowHandle window) = 0;
  // The integrity level (the last part of the mandatory label, 0x2000 medium, 0x3000 high) of
  // the process that owns the window: kIntegrityRefused when the system refuses to tell,
  // nullopt when it cannot tell at all. Window 0: this process.
  virtual std::optional<uint32_t> IntegrityLevel(WindowHandle window) = 0;
  // Default value of a key under HKEY_CLASSES_ROOT, opened for reading only; text types
  // (REG_SZ, REG_EXPAND_SZ, unexpanded) up to the first zero byte; nullopt for anything else.
  virtual std::optional<std::string> ClassesRootDefaultValue(std::string_view subkey) = 0;
  // The virtual store of the process that owns the window when the system virtualises its
  // file writes (read from the same token as its integrity level); nullopt when it does not,
  // or will not tell.
  virtual std::optional<VirtualStore> FileVirtualization(WindowHandle window) = 0;
  // The user's temporary folder, in long names with its trailing separator; empty when unknown.
  virtual std::string TempFolder() = 0;
  // Whether path starts with the letter of a drive mapped to a network share (or, without a
  // drive, the current folder lies on one): a question about such a file waits for the share,
  // tens of seconds when it is gone. Asks nothing of the share itself.
  virtual bool OnNetworkDrive(const std::string& path) = 0;
  virtual Files& FileSystem() = 0;
  // UTF-8 <-> Shift-JIS, for a command list saved as UTF-8.
  virtual TextCodec& Codec() = 0;
};

// The integrity level of a process whose token the system refuses to show: above any other.
inline constexpr uint32_t kIntegrityRefused = UINT32_MAX;

}  // namespace tabvane
