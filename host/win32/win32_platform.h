// The real desktop behind HostPlatform: user32 windows and input, the registry, the message
// queue and the Win32 file layer. W functions only; every text crosses as code page 932.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform.h"
#include "host/win32/win32_files.h"

namespace tabvane {

// Window handles keep their low 32 bits, which is all that is significant in x86 and x64 alike.
inline WindowHandle ToWindowHandle(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<uintptr_t>(window));
}

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

class Win32Platform : public HostPlatform {
 public:
  uint32_t TickCount() override;
  // Dispatches every pending message; a WM_QUIT met on the way is posted again and ends it,
  // so the program's own message loop still sees it.
  void PumpMessages() override;

  void EnumTopLevelWindows(const WindowProc& proc) override;
  void EnumChildWindows(WindowHandle parent, const WindowProc& proc) override;
  WindowHandle Owner(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
  std::string ClassName(WindowHandle window) override;
  WindowHandle ForegroundWindow() override;
  bool IsWindow(WindowHandle window) override;
  void ShowWindowAsync(WindowHandle window, bool maximized) override;
  void SetForegroundWindow(WindowHandle window) override;
  bool IsKeyDown(uint8_t virtualKey) override;
  std::size_t SendKeys(const std::vector<KeyEvent>& events) override;
  std::optional<std::string> ProcessImagePath(WindowHandle window) override;
  std::optional<uint32_t> IntegrityLevel(WindowHandle window) override;
  std::optional<std::string> ClassesRootDefaultValue(std::string_view subkey) override;
  std::optional<VirtualStore> FileVirtualization(WindowHandle window) override;
  std::string TempFolder() override;
  bool OnNetworkDrive(const std::string& path) override;
  Files& FileSystem() override;
  TextCodec& Codec() override { return codec_; }

 private:
  Win32Files files_;
  Win32Codec codec_;
};

}  // namespace tabvane
