// The one narrow interface to the desktop for everything that touches the host: windows,
// keys, the registry, files, ticks and the message pump. host/win32 implements it with the
// W functions and code page 932; tests use a fake desktop. Texts are Shift-JIS.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/files.h"
#include "text/func.h"

namespace tabvane {

// A window handle as the program keeps it: 32 bits, written as unsigned decimal.
using WindowHandle = uint32_t;

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
  virtual WindowHandle ForegroundWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual void ShowWindow(WindowHandle window, bool maximized) = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  // One synthetic key event (virtual key; key up when up is set).
  virtual void SendKey(uint8_t virtualKey, bool up) = 0;
  // Default value of a key under HKEY_CLASSES_ROOT, opened for reading only; text types
  // (REG_SZ, REG_EXPAND_SZ, unexpanded) up to the first zero byte; nullopt for anything else.
  virtual std::optional<std::string> ClassesRootDefaultValue(std::string_view subkey) = 0;
  virtual Files& FileSystem() = 0;
};

}  // namespace tabvane
