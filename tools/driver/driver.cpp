// Drives Windows programs from a console program: processes, windows, controls, input, pixels.
// Win32 only; uses nothing of Tabvane but the code page 932 conversions.
#include "tools/driver/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "host/win32/exe_path.h"
#include "host/win32/wide.h"

namespace tabvane::driver {
namespace {

constexpr LONG kAbsoluteRange = 65536;  // absolute mouse coordinates span 0..65535
constexpr DWORD kMessageTimeoutMs = 2000;
constexpr Ms kReplaceRetry{2000};  // a polling reader holds a file for milliseconds

DWORD ToDword(Ms ms) {
  const long long count = ms.count();
  if (count <= 0) return 0;
  if (count >= static_cast<long long>(INFINITE)) return INFINITE - 1;
  return static_cast<DWORD>(count);
}

// SendMessage to a window of another process that cannot hang the driver.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                          &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_APPS: case VK_LWIN: case VK_RWIN:
    case VK_RCONTROL: case VK_RMENU: case VK_DIVIDE: case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0u);
  return input;
}

void Send(std::vector<INPUT> inputs) {
  if (inputs.empty()) return;
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

RECT VirtualDesktop() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// One mouse event; every event carries the absolute position, so no event depends on where
// the pointer was before.
INPUT MouseInput(POINT screen, DWORD buttonFlags) {
  const POINT absolute = AbsoluteMousePoint(screen, VirtualDesktop());
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = absolute.x;
  input.mi.dy = absolute.y;
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE | buttonFlags;
  return input;
}

// Lets the target process take the input just sent before the caller looks at its effect.
void Settle() { std::this_thread::sleep_for(Ms(30)); }

// A text read into a buffer of `length` + 1 + `room` characters; `fill` gets the buffer and its
// size in characters and returns how many it copied. Nothing is read when the length is 0.
std::wstring ReadText(LRESULT length, std::size_t room,
                      const std::function<LRESULT(wchar_t*, std::size_t)>& fill) {
  if (length <= 0) return {};
  const std::size_t capacity = static_cast<std::size_t>(length) + 1 + room;
  std::wstring text(capacity, L'\0');
  const LRESULT copied = fill(text.data(), capacity);
  if (copied <= 0) return {};
  text.resize(std::min(static_cast<std::size_t>(copied), capacity - 1));
  return text;
}

// Items of a combo box or list box through its count, length and text messages.
std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage,
                               UINT textMessage) {
  // The text message has no buffer size, and the program may refill its list between the length
  // and the text. Wine copies the reply at the length it asks for itself just before the text
  // message, so an item that grew in between would run past a buffer of the first length: the
  // room covers any item the programs driven here hold.
  constexpr std::size_t kItemRoom = 4096;
  std::vector<std::string> items;
  const std::optional<LRESULT> count = Send(control, countMessage);
  if (!count || *count <= 0) return items;
  for (LRESULT i = 0; i < *count; ++i) {
    const auto index = static_cast<WPARAM>(i);
    const std::wstring text = ReadText(
        Send(control, lengthMessage, index).value_or(0), kItemRoom,
        [&](wchar_t* buffer, std::size_t) -> LRESULT {
          return Send(control, textMessage, index, reinterpret_cast<LPARAM>(buffer)).value_or(-1);
        });
    items.push_back(SjisFromWide(text));
  }
  return items;
}

// Puts the driver's own process, once, in a job that kills its processes when its last handle
// closes. The programs the driver starts inherit the job, so when the driver's process ends, even
// killed at a time-out, the programs it started end with it.
void JoinKillOnCloseJob() {
  [[maybe_unused]] static const bool joined = [] {
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    return SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits,
                                   sizeof limits) != 0 &&
           AssignProcessToJobObject(job, GetCurrentProcess()) != 0;
  }();
}

}  // namespace

// ---------------------------------------------------------------------------------------------

POINT AbsoluteMousePoint(POINT screen, const RECT& virtualDesktop) {
  const auto axis = [](LONG pixel, LONG first, LONG end) -> LONG {
    const LONG size = std::max<LONG>(end - first, 1);
    const LONG offset = std::clamp<LONG>(pixel - first, 0, size - 1);
    // Centre of the pixel: (offset + 0.5) / size of the range.
    const long long value = (2LL * offset + 1) * kAbsoluteRange / (2LL * size);
    return static_cast<LONG>(std::min<long long>(value, kAbsoluteRange - 1));
  };
  return POINT{axis(screen.x, virtualDesktop.left, virtualDesktop.right),
               axis(screen.y, virtualDesktop.top, virtualDesktop.bottom)};
}

std::wstring QuoteArgument(std::wstring_view argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
    return std::wstring(argument);
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled and the quote escaped; elsewhere they stand.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  // Before the closing quote they are doubled too.
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

std::wstring CommandLine(std::wstring_view exe, const std::vector<std::wstring>& arguments) {
  std::wstring line = QuoteArgument(exe);
  for (const std::wstring& argument : arguments) {
    line.push_back(L' ');
    line += QuoteArgument(argument);
  }
  return line;
}

std::wstring DosPath(std::string_view path) {
  // A trail byte of Shift-JIS is never "/", so replacing bytes is safe before the conversion.
  std::string bytes = path.starts_with('/') ? "Z:" + std::string(path) : std::string(path);
  std::replace(bytes.begin(), bytes.end(), '/', '\\');
  return WideFromSjis(bytes);
}

std::vector<INPUT> ChordInputs(const std::vector<WORD>& modifiers, WORD key) {
  std::vector<INPUT> inputs;
  for (const WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
  return inputs;
}

COLORREF Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const std::uint32_t pixel =
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

Image Image::Crop(const RECT& rect) const {
  const int left = std::clamp(static_cast<int>(rect.left), 0, width);
  const int top = std::clamp(static_cast<int>(rect.top), 0, height);
  const int right = std::clamp(static_cast<int>(rect.right), left, width);
  const int bottom = std::clamp(static_cast<int>(rect.bottom), top, height);
  Image part;
  part.width = right - left;
  part.height = bottom - top;
  part.pixels.reserve(static_cast<std::size_t>(part.width) * static_cast<std::size_t>(part.height));
  for (int y = top; y < bottom; ++y) {
    const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
    part.pixels.insert(part.pixels.end(), row + left, row + right);
  }
  return part;
}

std::string BmpFileBytes(const Image& image) {
  if (image.Empty()) return {};
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
  const std::uint32_t headerBytes = 14 + 40;
  const std::uint32_t fileBytes = headerBytes + rowBytes * height;
  std::string bytes;
  bytes.reserve(fileBytes);
  const auto put16 = [&](std::uint32_t v) {
    bytes.push_back(static_cast<char>(v & 0xFF));
    bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
  };
  const auto put32 = [&](std::uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  bytes += "BM";
  put32(fileBytes);
  put32(0);
  put32(headerBytes);
  put32(40);  // BITMAPINFOHEADER
  put32(width);
  put32(height);  // positive: rows bottom-up
  put16(1);
  put16(24);
  put32(0);  // BI_RGB
  put32(rowBytes * height);
  put32(3780);  // 96 dpi in pixels per metre
  put32(3780);
  put32(0);
  put32(0);
  for (std::uint32_t y = height; y-- > 0;) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = image.pixels[y * width + x];
      bytes.push_back(static_cast<char>(pixel & 0xFF));
      bytes.push_back(static_cast<char>((pixel >> 8) & 0xFF));
      bytes.push_back(static_cast<char>((pixel >> 16) & 0xFF));
    }
    bytes.append(rowBytes - width * 3, '\0');
  }
  return bytes;
}

// ---------------------------------------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& predicate, Ms timeout, Ms interval) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(interval);
  }
}

// ---------------------------------------------------------------------------------------------

Process Process::Start(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                       const std::wstring& workDir) {
  Process process;
  std::wstring commandLine = CommandLine(exe, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  JoinKillOnCloseJob();  // without a job the program still runs, only unguarded
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workDir.empty() ? nullptr : workDir.c_str(), &startup, &info) == 0) {
    process.error_ = GetLastError();
    return process;
  }
  CloseHandle(info.hThread);
  process.process_ = info.hProcess;
  process.id_ = info.dwProcessId;
  return process;
}

Process::~Process() {
  if (process_ == nullptr) return;
  if (Running()) Kill();
  CloseHandle(process_);
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      error_(other.error_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Process old(std::move(*this));
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
    error_ = other.error_;
  }
  return *this;
}

bool Process::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(Ms timeout) {
  if (process_ == nullptr) return std::nullopt;
  if (WaitForSingleObject(process_, ToDword(timeout)) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool Process::Close(Ms timeout) {
  if (!Running()) return process_ != nullptr;
  WindowMatch match;
  match.processId = id_;
  for (const HWND window : TopWindows(match)) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitExit(timeout)) return true;
  Kill();
  return false;
}

void Process::Kill() {
  if (process_ == nullptr) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, ToDword(kDefaultTimeout));
}

// ---------------------------------------------------------------------------------------------

bool Matches(HWND window, const WindowMatch& match) {
  if (match.except != nullptr && window == match.except) return false;
  if (match.visibleOnly && IsWindowVisible(window) == 0) return false;
  if (match.unownedOnly && OwnerOf(window) != nullptr) return false;
  if (match.processId != 0) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != match.processId) return false;
  }
  if (!match.className.empty() && ClassName(window) != match.className) return false;
  if (match.title || match.titleContains) {
    const std::string title = WindowText(window);
    if (match.title && title != *match.title) return false;
    if (match.titleContains && title.find(*match.titleContains) == std::string::npos) return false;
  }
  return true;
}

namespace {

struct TopSearch {
  const WindowMatch* match;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TopSearch*>(data);
  if (Matches(window, *search->match)) search->found.push_back(window);
  return TRUE;
}

struct ChildSearch {
  const std::wstring* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (search->className->empty() || ClassName(window) == *search->className) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(const WindowMatch& match) {
  TopSearch search{&match, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopWindow(const WindowMatch& match, Ms timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = TopWindows(match);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

HWND FindWindowByClassTitle(const std::wstring& className, const std::string& title, Ms timeout) {
  WindowMatch match;
  match.className = className;
  match.title = title;
  return FindTopWindow(match, timeout);
}

HWND FindWindowOfProcess(DWORD processId, Ms timeout) {
  WindowMatch match;
  match.processId = processId;
  match.unownedOnly = true;
  HWND found = nullptr;
  WaitUntil(
      [&] {
        match.unownedOnly = true;
        std::vector<HWND> windows = TopWindows(match);
        if (windows.empty()) {
          match.unownedOnly = false;
          windows = TopWindows(match);
        }
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

bool WaitWindowGone(HWND window, Ms timeout) {
  return WaitUntil([&] { return IsWindow(window) == 0 || IsWindowVisible(window) == 0; }, timeout);
}

bool WaitRepainted(HWND window, Ms timeout) {
  const auto painted = [](HWND w) { return GetUpdateRect(w, nullptr, FALSE) == 0; };
  Image last;
  return WaitUntil(
      [&] {
        if (!painted(window)) return false;
        for (const HWND child : Children(window)) {
          if (!painted(child)) return false;
        }
        // What the process painted reaches the screen a moment later: wait for still pixels.
        Image now = CaptureWindow(window);
        const bool still = !now.Empty() && now.width == last.width && now.height == last.height &&
                           now.pixels == last.pixels;
        last = std::move(now);
        return still;
      },
      timeout, Ms(100));
}

StartedProgram StartWithWindow(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                               const std::wstring& workDir, WindowMatch match, Ms timeout) {
  StartedProgram started;
  for (int attempt = 0; attempt < 2 && started.window == nullptr; ++attempt) {
    started.process = Process::Start(exe, arguments, workDir);
    if (!started.process.Started()) break;
    match.processId = started.process.Id();
    WaitUntil(
        [&] {
          const std::vector<HWND> windows = TopWindows(match);
          started.window = windows.empty() ? nullptr : windows.front();
          return started.window != nullptr || !started.process.Running();
        },
        timeout);
  }
  return started;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::string WindowText(HWND window) {
  // The caption may change between the two calls: the buffer's own size bounds the copy.
  const std::wstring text =
      ReadText(GetWindowTextLengthW(window), 0, [&](wchar_t* buffer, std::size_t capacity) {
        return static_cast<LRESULT>(GetWindowTextW(window, buffer, static_cast<int>(capacity)));
      });
  return SjisFromWide(text);
}

std::string ControlText(HWND control) {
  const std::optional<LRESULT> length = Send(control, WM_GETTEXTLENGTH);
  const std::wstring text =
      ReadText(length.value_or(0), 0, [&](wchar_t* buffer, std::size_t capacity) -> LRESULT {
        return Send(control, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer)).value_or(-1);
      });
  return SjisFromWide(text);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRectOnScreen(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

POINT ClientToScreenPoint(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

HWND OwnerOf(HWND window) { return GetWindow(window, GW_OWNER); }

bool IsForeground(HWND window) { return GetForegroundWindow() == window; }

std::vector<HWND> Children(HWND parent, const std::wstring& className) {
  ChildSearch search{&className, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const std::wstring& className, int index) {
  const std::vector<HWND> children = Children(parent, className);
  if (index < 0 || static_cast<std::size_t>(index) >= children.size()) return nullptr;
  return children[static_cast<std::size_t>(index)];
}

HWND FindChildById(HWND parent, int controlId) {
  for (const HWND child : Children(parent)) {
    if (GetDlgCtrlID(child) == controlId) return child;
  }
  return nullptr;
}

HWND FindChildByText(HWND parent, const std::wstring& className, const std::string& title) {
  for (const HWND child : Children(parent, className)) {
    if (WindowText(child) == title) return child;
  }
  return nullptr;
}

std::vector<std::string> ComboItems(HWND combo) {
  return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboSelection(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL).value_or(CB_ERR)); }

std::vector<std::string> ListBoxItems(HWND list) {
  return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int TabSelection(HWND tabControl) {
  return static_cast<int>(Send(tabControl, TCM_GETCURSEL).value_or(-1));
}

int TabCount(HWND tabControl) {
  return static_cast<int>(Send(tabControl, TCM_GETITEMCOUNT).value_or(0));
}

RemoteBlock::RemoteBlock(HANDLE process, std::size_t size)
    : process_(process),
      base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBlock::~RemoteBlock() {
  if (base_ != nullptr) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
}

bool RemoteBlock::Write(const void* bytes, std::size_t size, std::size_t offset) const {
  return base_ != nullptr && WriteProcessMemory(process_, Address(offset), bytes, size, nullptr) != 0;
}

bool RemoteBlock::Read(void* bytes, std::size_t size, std::size_t offset) const {
  return base_ != nullptr && ReadProcessMemory(process_, Address(offset), bytes, size, nullptr) != 0;
}

bool RemoteBlock::Send(HWND control, UINT message, WPARAM wParam) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(control, message, wParam, reinterpret_cast<LPARAM>(base_),
                             SMTO_ABORTIFHUNG, 5000, &result) != 0 &&
         result != 0;
}

RECT TabItemRect(HWND tabControl, int index) {
  RECT rect{};
  DWORD processId = 0;
  GetWindowThreadProcessId(tabControl, &processId);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return rect;
  {
    const RemoteBlock block(process, sizeof rect);
    if (!block.Send(tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(index)) ||
        !block.Read(&rect, sizeof rect)) {
      rect = RECT{};
    }
  }
  CloseHandle(process);
  return rect;
}

// ---------------------------------------------------------------------------------------------

bool BringToForeground(HWND window, Ms timeout) {
  if (IsWindow(window) == 0) return false;
  if (IsIconic(window) != 0) ShowWindow(window, SW_RESTORE);
  return WaitUntil(
      [&] {
        if (IsForeground(window)) return true;
        SetForegroundWindow(window);
        return IsForeground(window);
      },
      timeout, Ms(50));
}

void KeyDown(WORD key) {
  Send({KeyInput(key, false)});
  Settle();
}

void KeyUp(WORD key) {
  Send({KeyInput(key, true)});
  Settle();
}

void PressKey(WORD key) { PressChord({}, key); }

void PressChord(const std::vector<WORD>& modifiers, WORD key) {
  Send(ChordInputs(modifiers, key));
  Settle();
}

void TypeText(std::wstring_view text) {
  for (const wchar_t c : text) {
    if (c < 0x80) {
      const SHORT scan = VkKeyScanW(c);
      if (scan != -1) {
        std::vector<WORD> modifiers;
        if ((scan & 0x100) != 0) modifiers.push_back(VK_SHIFT);
        if ((scan & 0x200) != 0) modifiers.push_back(VK_CONTROL);
        if ((scan & 0x400) != 0) modifiers.push_back(VK_MENU);
        PressChord(modifiers, static_cast<WORD>(scan & 0xFF));
        continue;
      }
    }
    std::vector<INPUT> inputs(2);
    for (std::size_t i = 0; i < 2; ++i) {
      inputs[i].type = INPUT_KEYBOARD;
      inputs[i].ki.wScan = c;
      inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0u);
    }
    Send(std::move(inputs));
    Settle();
  }
}

void MoveMouse(POINT screen) {
  Send({MouseInput(screen, 0)});
  Settle();
}

void Click(POINT screen, Button button) {
  const bool left = button == Button::Left;
  Send({MouseInput(screen, 0), MouseInput(screen, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
        MouseInput(screen, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)});
  Settle();
}

void DoubleClick(POINT screen) {
  // Both clicks in one batch, so they fall within the double-click time whatever the load.
  Send({MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
        MouseInput(screen, MOUSEEVENTF_LEFTUP), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
        MouseInput(screen, MOUSEEVENTF_LEFTUP)});
  Settle();
}

void ClickClient(HWND window, POINT client, Button button) {
  Click(ClientToScreenPoint(window, client), button);
}

void RightClickClient(HWND window, POINT client) { ClickClient(window, client, Button::Right); }

void DoubleClickClient(HWND window, POINT client) { DoubleClick(ClientToScreenPoint(window, client)); }

// ---------------------------------------------------------------------------------------------

COLORREF ScreenPixel(POINT screen) {
  const HDC dc = GetDC(nullptr);
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF color = GetPixel(dc, screen.x, screen.y);
  ReleaseDC(nullptr, dc);
  return color;
}

COLORREF ClientPixel(HWND window, POINT client) {
  return ScreenPixel(ClientToScreenPoint(window, client));
}

namespace {

// The desktop's pixels inside rect, through a 32-bit top-down DIB.
Image CaptureRect(const RECT& rect) {
  Image image;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return image;
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return image;
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory != nullptr && bitmap != nullptr && bits != nullptr) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0) {
      GdiFlush();
      const auto* first = static_cast<const std::uint32_t*>(bits);
      image.width = width;
      image.height = height;
      image.pixels.assign(first, first + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
      for (std::uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace

Image CaptureScreen() { return CaptureRect(VirtualDesktop()); }

Image CaptureWindow(HWND window) {
  RECT rect = WindowRect(window);
  const RECT desktop = VirtualDesktop();
  IntersectRect(&rect, &rect, &desktop);
  return CaptureRect(rect);
}

bool SaveBmp(const Image& image, const std::wstring& path) {
  const std::string bytes = BmpFileBytes(image);
  return !bytes.empty() && WriteFileBytes(path, bytes);
}

// ---------------------------------------------------------------------------------------------

ScreenDpi::ScreenDpi(DWORD dpi) {
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                      KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  DWORD size = sizeof before_;
  hadValue_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&before_), &size) == ERROR_SUCCESS;
  set_ = Set(dpi);
}

ScreenDpi::~ScreenDpi() {
  if (key_ == nullptr) return;
  if (hadValue_) {
    Set(before_);
  } else {
    RegDeleteValueW(key_, L"LogPixels");
  }
  RegCloseKey(key_);
}

bool ScreenDpi::Set(DWORD dpi) const {
  return RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                        sizeof dpi) == ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  const std::wstring temporary = path + L".tmp";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  // cppcheck-suppress invalidLifetime ; bytes views the caller's text, alive for the whole call
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
                  written == bytes.size();
  CloseHandle(file);
  // A program polling path holds it open for a moment without FILE_SHARE_DELETE, and the
  // replacement is refused while it does; such a read ends within milliseconds.
  bool moved = false;
  if (ok) {
    WaitUntil(
        [&] {
          moved = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
          if (moved) return true;
          const DWORD error = GetLastError();  // only a held file is worth another try
          return error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED;
        },
        kReplaceRetry, Ms(5));
  }
  if (!moved) DeleteFileW(temporary.c_str());
  return moved;
}

std::wstring ExeFolder() {
  const std::wstring path = ExePathW();
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring LinuxProcFolder(std::string_view commandLinePart) {
  std::wstring found;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    const std::wstring name = data.cFileName;
    if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    const std::wstring dir = L"Z:\\proc\\" + name + L"\\";
    const std::optional<std::string> line = ReadFileBytes(dir + L"cmdline");
    if (line && line->find(commandLinePart) != std::string::npos) {
      found = dir;
      break;
    }
  } while (FindNextFileW(search, &data) != 0);
  FindClose(search);
  return found;
}

long long ProcStatusField(std::string_view status, std::string_view key) {
  const std::size_t at = status.find(key);
  if (at == std::string_view::npos) return 0;
  // The fields are "Key:<blanks>number kB" lines.
  long long value = 0;
  std::size_t i = at + key.size();
  while (i < status.size() && (status[i] == ' ' || status[i] == '\t')) ++i;
  while (i < status.size() && status[i] >= '0' && status[i] <= '9') {
    value = value * 10 + (status[i] - '0');
    ++i;
  }
  return value;
}

}  // namespace tabvane::driver
