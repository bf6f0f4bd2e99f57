// A fake desktop for the tests of the host scan and launch: windows with titles, owners,
// visibility and children, the foreground window, recorded activations and key events, a
// registry of default values, a tick count that moves on each message pump, and in-memory files.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/platform.h"
#include "model/files.h"
#include "tests/fakes/platform_files.h"
#include "text/sjis.h"

namespace tabvane::fakes {

// Files in memory. Create fails for a path whose folder is not in folders, or always with
// failCreate; writes fail with failWrite.
class MemoryFiles : public Files {
 public:
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;             // with their trailing separator
  bool failCreate = false;
  bool failWrite = false;
  std::string throwOnRead;  // reading this path runs out of memory
  std::vector<std::string> existsAsked;  // every path FileExists was asked about

  bool FileExists(const std::string& path) override {
    existsAsked.push_back(path);
    return files.count(path) != 0;
  }
  bool FolderExists(const std::string& path) override { return folders.count(path) != 0; }
  ReadResult Read(const std::string& path) override {
    if (path == throwOnRead) throw std::bad_alloc();
    const auto it = files.find(path);
    if (it == files.end()) return {};
    return {true, true, it->second};
  }
  std::unique_ptr<WriteHandle> Create(const std::string& path) override {
    if (failCreate || folders.count(std::string(FolderPart(path))) == 0) return nullptr;
    files[path].clear();
    return std::make_unique<Handle>(*this, path);
  }
  bool Replace(const std::string& source, const std::string& target) override {
    const auto it = files.find(source);
    if (it == files.end()) return false;
    files[target] = it->second;
    files.erase(source);
    return true;
  }
  bool Remove(const std::string& path) override { return files.erase(path) != 0; }
  // The contents' hash stands for the write time: any change of the bytes changes the stamp.
  std::optional<FileStamp> Stamp(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return FileStamp{std::hash<std::string>{}(it->second), it->second.size()};
  }
  bool CreateFolder(const std::string& path) override {
    if (folders.count(std::string(FolderPart(path.substr(0, path.size() - 1)))) == 0) return false;
    return folders.insert(path).second;
  }
  std::string FailureText() override { return "no room"; }

 private:
  class Handle : public WriteHandle {
   public:
    Handle(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(std::string_view bytes) override {
      if (owner_.failWrite) return false;
      owner_.files[path_] += bytes;
      return true;
    }
    bool Close() override { return true; }

   private:
    MemoryFiles& owner_;
    std::string path_;
  };
};

struct FakeWindow {
  std::string title;  // as the window holds it; WindowText cuts it as the platform does
  WindowHandle owner = 0;
  WindowHandle parent = 0;  // 0 for a top-level window
  bool visible = true;
  std::string className = "Window";
  std::optional<std::string> exePath;  // its process's executable, when it can be read
  std::optional<uint32_t> integrity = 0x2000;  // its process's integrity level
  bool virtualized = false;  // the system virtualises its process's file writes
};

class FakeDesktop : public HostPlatform {
 public:
  std::map<WindowHandle, FakeWindow> windows;
  std::vector<WindowHandle> order;  // every window in creation order; top-level ones top first
  WindowHandle foreground = 0;
  bool refuseForeground = false;   // SetForegroundWindow has no effect
  std::vector<std::string> calls;  // "show 7 max", "show 7 normal", "foreground 7"
  std::vector<KeyEvent> keys;      // every key event the system took
  std::set<uint8_t> keysDown;      // keys held at the moment
  std::size_t keysTaken = SIZE_MAX;  // how many events of one SendKeys the system takes
  std::optional<uint32_t> ownIntegrity = 0x2000;
  std::map<std::string, std::string, std::less<>> registry;  // HKCR subkey -> default value
  VirtualStore virtualStore{{"C:\\Program Files\\", "C:\\Program Files (x86)\\", "C:\\Windows\\"},
                            "C:\\Users\\u\\AppData\\Local\\VirtualStore\\"};
  std::string tempFolder = "C:\\Users\\u\\AppData\\Local\\Temp\\";
  uint32_t tick = 5000;
  uint32_t tickStep = 16;  // added on each PumpMessages
  int pumps = 0;
  std::function<void()> onPump;  // runs inside each PumpMessages, as a handler would
  MemoryFiles files;
  Files* fileSystem = &files;
  std::set<char> networkDrives;  // upper-case drive letters mapped to shares

  FakeDesktop() = default;
  ~FakeDesktop() override = default;
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  // A top-level window below those added before.
  FakeWindow& AddWindow(WindowHandle handle, std::string title) {
    order.push_back(handle);
    FakeWindow& window = windows[handle] = FakeWindow{};
    window.title = std::move(title);
    return window;
  }
  FakeWindow& AddChild(WindowHandle parent, WindowHandle handle, std::string caption) {
    order.push_back(handle);
    FakeWindow& window = windows[handle] = FakeWindow{};
    window.title = std::move(caption);
    window.parent = parent;
    return window;
  }
  // The window and its descendants cease to exist.
  void Close(WindowHandle handle) {
    for (const WindowHandle child : ChildrenOf(handle)) Close(child);
    windows.erase(handle);
    std::erase(order, handle);
  }

  void EnumTopLevelWindows(const WindowProc& proc) override {
    for (const WindowHandle handle : ChildrenOf(0)) {
      if (!proc(handle)) return;
    }
  }
  void EnumChildWindows(WindowHandle parent, const WindowProc& proc) override {
    if (windows.count(parent) != 0) EnumDescendants(parent, proc);
  }
  WindowHandle Owner(WindowHandle window) override {
    const auto it = windows.find(window);
    return it == windows.end() ? 0 : it->second.owner;
  }
  bool IsVisible(WindowHandle window) override {
    for (WindowHandle w = window; w != 0; w = windows.at(w).parent) {
      if (windows.count(w) == 0 || !windows.at(w).visible) return false;
    }
    return window != 0;
  }
  std::string WindowText(WindowHandle window) override {
    const auto it = windows.find(window);
    if (it == windows.end()) return {};
    const std::string& title = it->second.title;
    return title.substr(0, std::min<std::size_t>(title.find('\0'), 254));
  }
  std::string ClassName(WindowHandle window) override {
    const auto it = windows.find(window);
    return it == windows.end() ? std::string() : it->second.className;
  }
  WindowHandle ForegroundWindow() override { return foreground; }
  bool IsWindow(WindowHandle window) override { return windows.count(window) != 0; }
  void ShowWindowAsync(WindowHandle window, bool maximized) override {
    calls.push_back("show " + std::to_string(window) + (maximized ? " max" : " normal"));
  }
  void SetForegroundWindow(WindowHandle window) override {
    calls.push_back("foreground " + std::to_string(window));
    if (!refuseForeground && IsWindow(window)) foreground = window;
  }
  bool IsKeyDown(uint8_t virtualKey) override { return keysDown.count(virtualKey) != 0; }
  std::size_t SendKeys(const std::vector<KeyEvent>& events) override {
    const std::size_t taken = std::min(keysTaken, events.size());
    keys.insert(keys.end(), events.begin(), events.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
  }
  std::optional<std::string> ProcessImagePath(WindowHandle window) override {
    const auto it = windows.find(window);
    return it == windows.end() ? std::nullopt : it->second.exePath;
  }
  std::optional<uint32_t> IntegrityLevel(WindowHandle window) override {
    if (window == 0) return ownIntegrity;
    const auto it = windows.find(window);
    return it == windows.end() ? std::nullopt : it->second.integrity;
  }
  std::optional<std::string> ClassesRootDefaultValue(std::string_view subkey) override {
    const auto it = registry.find(subkey);
    if (it == registry.end()) return std::nullopt;
    return it->second;
  }
  std::optional<VirtualStore> FileVirtualization(WindowHandle window) override {
    const auto it = windows.find(window);
    if (it == windows.end() || !it->second.virtualized) return std::nullopt;
    return virtualStore;
  }
  std::string TempFolder() override { return tempFolder; }
  bool OnNetworkDrive(const std::string& path) override {
    return path.size() >= 2 && path[1] == ':' && networkDrives.count(path[0]) != 0;
  }
  Files& FileSystem() override { return *fileSystem; }
  TextCodec& Codec() override { return PlatformCodec(); }
  uint32_t TickCount() override { return tick; }
  void PumpMessages() override {
    ++pumps;
    tick += tickStep;
    if (onPump) onPump();
  }

 private:
  std::vector<WindowHandle> ChildrenOf(WindowHandle parent) const {
    std::vector<WindowHandle> children;
    for (const WindowHandle handle : order) {
      if (windows.at(handle).parent == parent) children.push_back(handle);
    }
    return children;
  }
  // Depth first, a child before its own children; false when proc stopped the walk.
  bool EnumDescendants(WindowHandle parent, const WindowProc& proc) {
    for (const WindowHandle child : ChildrenOf(parent)) {
      if (!proc(child) || !EnumDescendants(child, proc)) return false;
    }
    return true;
  }
};

}  // namespace tabvane::fakes
