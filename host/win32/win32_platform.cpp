// The real desktop behind HostPlatform: user32 windows and input, the registry, the message
// queue and the Win32 file layer. W functions only; every text crosses as code page 932.
#include "host/win32/win32_platform.h"

#include <cstring>
#include <utility>
#include <vector>

#include "host/win32/exe_path.h"
#include "host/win32/swallowed.h"
#include "host/win32/wide.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

// The room an ANSI caller has with a 255-byte buffer: 254 bytes and the closing zero.
constexpr std::size_t kMaxWindowTextBytes = 254;
// Every UTF-16 unit becomes at least one byte of code page 932 (a surrogate pair at least
// one for the two), so this many units always yield the 254 bytes kept.
constexpr int kWindowTextUnits = 2 * static_cast<int>(kMaxWindowTextBytes) + 2;

// The trampoline both enumerations share: lParam carries the WindowProc, and no exception
// may travel back through user32; one that is thrown ends the enumeration.
BOOL CALLBACK EnumTrampoline(HWND window, LPARAM param) noexcept {
  try {
    const auto& proc = *reinterpret_cast<const HostPlatform::WindowProc*>(param);
    return proc(ToWindowHandle(window)) ? TRUE : FALSE;
  } catch (...) {
    ReportSwallowed("a window enumeration");
    return FALSE;
  }
}

LPARAM ProcParam(const HostPlatform::WindowProc& proc) {
  return reinterpret_cast<LPARAM>(&proc);
}

// A registry string of byteCount bytes as UTF-16, up to its first zero unit.
std::wstring RegistryText(const std::vector<BYTE>& data, DWORD byteCount) {
  std::wstring text(byteCount / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
  const std::size_t zero = text.find(L'\0');
  if (zero != std::wstring::npos) text.resize(zero);
  return text;
}

}  // namespace

uint32_t Win32Platform::TickCount() { return GetTickCount(); }

void Win32Platform::PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32Platform::EnumTopLevelWindows(const WindowProc& proc) {
  ::EnumWindows(EnumTrampoline, ProcParam(proc));
}

void Win32Platform::EnumChildWindows(WindowHandle parent, const WindowProc& proc) {
  // EnumChildWindows with no parent would walk the top-level windows instead.
  const HWND window = ToHwnd(parent);
  if (window == nullptr || !::IsWindow(window)) return;
  ::EnumChildWindows(window, EnumTrampoline, ProcParam(proc));
}

WindowHandle Win32Platform::Owner(WindowHandle window) {
  return ToWindowHandle(::GetWindow(ToHwnd(window), GW_OWNER));
}

bool Win32Platform::IsVisible(WindowHandle window) {
  return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

std::string Win32Platform::WindowText(WindowHandle window) {
  // A fixed buffer rather than GetWindowTextLengthW: that one sends a message to the window,
  // which waits on a host that hangs; GetWindowTextW reads another process's caption as the
  // system keeps it.
  std::wstring buffer(static_cast<std::size_t>(kWindowTextUnits) + 1, L'\0');
  const int length = ::GetWindowTextW(ToHwnd(window), buffer.data(), kWindowTextUnits + 1);
  buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return std::string(CutAtBoundary(SjisFromWide(buffer), kMaxWindowTextBytes));
}

std::string Win32Platform::ClassName(WindowHandle window) {
  std::wstring name(256, L'\0');
  const int length = ::GetClassNameW(ToHwnd(window), name.data(), static_cast<int>(name.size()));
  name.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return SjisFromWide(name);
}

WindowHandle Win32Platform::ForegroundWindow() { return ToWindowHandle(::GetForegroundWindow()); }

bool Win32Platform::IsWindow(WindowHandle window) {
  return window != 0 && ::IsWindow(ToHwnd(window)) != FALSE;
}

void Win32Platform::ShowWindowAsync(WindowHandle window, bool maximized) {
  ::ShowWindowAsync(ToHwnd(window), maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void Win32Platform::SetForegroundWindow(WindowHandle window) {
  ::SetForegroundWindow(ToHwnd(window));
}

bool Win32Platform::IsKeyDown(uint8_t virtualKey) {
  return (static_cast<unsigned short>(::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

std::size_t Win32Platform::SendKeys(const std::vector<KeyEvent>& events) {
  std::vector<INPUT> inputs(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = events[i].virtualKey;
    inputs[i].ki.dwFlags = events[i].up ? KEYEVENTF_KEYUP : 0;
  }
  if (inputs.empty()) return 0;
  return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::optional<std::string> Win32Platform::ProcessImagePath(WindowHandle window) {
  DWORD processId = 0;
  if (::GetWindowThreadProcessId(ToHwnd(window), &processId) == 0 || processId == 0) {
    return std::nullopt;
  }
  const std::optional<std::wstring> path = ProcessImagePathW(processId);
  if (!path || path->empty()) return std::nullopt;
  // A path with a character code page 932 cannot hold names no file once converted: its short
  // form, when it has one, does.
  return SjisPathFromWide(*path);
}

namespace {

// What a call that just failed says of an integrity level: refused when access was denied.
std::optional<uint32_t> RefusedOrUnknown() {
  return ::GetLastError() == ERROR_ACCESS_DENIED ? std::optional(kIntegrityRefused)
                                                  : std::nullopt;
}

// The token, opened for querying, of the process that owns the window (0: this process);
// nullptr, with the system's error kept, when it cannot be opened.
HANDLE WindowToken(WindowHandle window) {
  HANDLE process = ::GetCurrentProcess();
  if (window != 0) {
    DWORD processId = 0;
    if (::GetWindowThreadProcessId(ToHwnd(window), &processId) == 0) {
      ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return nullptr;
  }
  HANDLE token = nullptr;
  const BOOL opened = ::OpenProcessToken(process, TOKEN_QUERY, &token);
  const DWORD error = ::GetLastError();
  if (window != 0) ::CloseHandle(process);
  ::SetLastError(error);
  return opened != 0 ? token : nullptr;
}

// The integrity level the token carries.
std::optional<uint32_t> IntegrityLevelOf(HANDLE token) {
  std::optional<uint32_t> level;
  DWORD size = 0;
  ::GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size > 0 &&
      ::GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size) != 0) {
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const PUCHAR count = ::GetSidSubAuthorityCount(label->Label.Sid);
    if (count != nullptr && *count > 0) {
      level = *::GetSidSubAuthority(label->Label.Sid, static_cast<DWORD>(*count - 1));
    }
  }
  return level;
}

// A folder named by an environment variable, Shift-JIS with its trailing separator; empty when
// it is not set or has no Shift-JIS name.
std::string FolderFromEnvironment(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  if (length >= value.size()) {
    value.resize(length);
    length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  }
  if (length == 0 || length >= value.size()) return {};
  value.resize(length);
  std::string folder = SjisPathFromWide(value).value_or(std::string());
  if (!folder.empty() && FolderPartLength(folder) != folder.size()) folder += '\\';
  return folder;
}

}  // namespace

std::optional<uint32_t> Win32Platform::IntegrityLevel(WindowHandle window) {
  const HANDLE token = WindowToken(window);
  if (token == nullptr) return RefusedOrUnknown();
  const std::optional<uint32_t> level = IntegrityLevelOf(token);
  ::CloseHandle(token);
  return level;
}

std::optional<VirtualStore> Win32Platform::FileVirtualization(WindowHandle window) {
  const HANDLE token = WindowToken(window);
  if (token == nullptr) return std::nullopt;
  DWORD enabled = 0;
  DWORD size = 0;
  const BOOL read =
      ::GetTokenInformation(token, TokenVirtualizationEnabled, &enabled, sizeof(enabled), &size);
  ::CloseHandle(token);
  if (read == 0 || enabled == 0) return std::nullopt;
  // The folders the system virtualises, on the system drive; a variable that is not set
  // leaves its folder out.
  VirtualStore store;
  for (const wchar_t* name : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432",
                              L"SystemRoot", L"ProgramData"}) {
    std::string folder = FolderFromEnvironment(name);
    if (!folder.empty()) store.protectedFolders.push_back(std::move(folder));
  }
  const std::string localAppData = FolderFromEnvironment(L"LOCALAPPDATA");
  if (localAppData.empty()) return std::nullopt;
  store.store = localAppData + "VirtualStore\\";
  return store;
}

std::string Win32Platform::TempFolder() {
  std::wstring temp(MAX_PATH + 1, L'\0');
  const DWORD length = ::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  if (length == 0 || length > temp.size()) return {};
  temp.resize(length);
  // Explorer hands over long names; the temporary path may be given in short ones.
  const DWORD needed = ::GetLongPathNameW(temp.c_str(), nullptr, 0);
  if (needed > 0) {
    std::wstring longForm(needed, L'\0');
    const DWORD got = ::GetLongPathNameW(temp.c_str(), longForm.data(), needed);
    if (got > 0 && got < needed) temp.assign(longForm, 0, got);
  }
  return SjisPathFromWide(temp).value_or(std::string());
}

std::optional<std::string> Win32Platform::ClassesRootDefaultValue(std::string_view subkey) {
  HKEY key = nullptr;
  // Read access only: a standard user may read a machine-wide class key but not change it.
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, WideFromSjis(subkey).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = REG_NONE;
  DWORD size = 0;
  std::vector<BYTE> data;
  bool read = false;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    // The value may grow between asking its size and reading it; a few rounds settle that.
    for (int round = 0; round < 4; ++round) {
      data.assign(size + sizeof(wchar_t), 0);
      DWORD room = size;
      const LSTATUS status = RegQueryValueExW(key, nullptr, nullptr, &type, data.data(), &room);
      if (status == ERROR_MORE_DATA) {
        size = room;
        continue;
      }
      read = status == ERROR_SUCCESS;
      size = room;
      break;
    }
  }
  RegCloseKey(key);
  if (!read || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return SjisFromWide(RegistryText(data, size));
}

bool Win32Platform::OnNetworkDrive(const std::string& path) {
  // The drive's type comes from the system's list of drives, not from the share.
  if (path.size() >= 2 && path[1] == ':') {
    const wchar_t root[] = {static_cast<wchar_t>(static_cast<unsigned char>(path[0])), L':', L'\\',
                            L'\0'};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
  }
  return GetDriveTypeW(nullptr) == DRIVE_REMOTE;
}

Files& Win32Platform::FileSystem() { return files_; }

}  // namespace tabvane
