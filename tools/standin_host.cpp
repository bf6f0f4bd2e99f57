// The stand-in host for the demo and the Wine tests: a host window with panel and command
// captions, the open command in the registry when asked, and Ctrl+B reading the bridge batch.
// Win32 only; uses the project's code page 932 conversions, line reader and file layer.
//
//   standin_host.exe [/marker2] [/captions FILE] [/register | /register-only]
//
// /marker2        title in the block-figure form instead of "sample.jww - jw_win"
// /captions FILE  polled every 100 ms; its first three lines (Shift-JIS) become the command
//                 captions whenever its content changes; a first line "/hang" makes the host
//                 stop answering messages until the file says something else
// Each Ctrl+B appends "run PATH" to standin_log.txt beside the exe, followed by " [Shift]",
// " [Alt]" or " [Win]" for each of those keys the host saw held with it.
// /register       writes HKEY_CLASSES_ROOT\Jwwin.Document\shell\open\command first;
// /register-only  writes it and exits (exit code 0 when written)
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/win32/exe_path.h"
#include "host/win32/swallowed.h"
#include "host/win32/wide.h"
#include "host/win32/win32_files.h"
#include "text/lines.h"

namespace tabvane {
namespace {

constexpr wchar_t kClassName[] = L"TabvaneStandinHost";
constexpr std::string_view kHostTitle = "sample.jww - jw_win";
// "◆◆◆ブロック図形【sample】"
constexpr std::string_view kBlockTitle =
    "\x81\x9F\x81\x9F\x81\x9F\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x81\x79"
    "sample\x81\x7A";
constexpr wchar_t kOpenCommandKey[] = L"Jwwin.Document\\shell\\open\\command";
constexpr std::string_view kBridgeBatchName = "Tabvane.bat";
constexpr std::string_view kLogName = "standin_log.txt";
constexpr std::string_view kDirective = "REM  #h/";
constexpr std::string_view kHangLine = "/hang";

// Panel captions that never name a command.
constexpr std::string_view kPanelNames[] = {
    "\x8F\xF0\x8C\x8F\x90\xDD\x92\xE8",  // 条件設定
    "\x83\x81\x83\x43\x83\x93",          // メイン
    "\x83\x8C\x83\x43\x83\x84",          // レイヤ
    "0",
    "A",
};

// A tool button and the three captions its command shows.
struct Command {
  std::string_view button;
  std::array<std::string_view, 3> captions;
};

constexpr std::array<Command, 3> kCommands = {{
    {"\x81\x5E",  // ／
     {"\x90\xFC", "\x90\x85\x95\xBD\x81\x45\x90\x82\x92\xBC", "15\x93\x78\x96\x88"}},  // 線 水平・垂直 15度毎
    {"\x81\xA0",  // □
     {"\x8B\xE9\x8C\x60", "\x90\xA1\x96\x40", "\x8A\xEE\x93\x5F"}},  // 矩形 寸法 基点
    {"\x81\x9B",  // ○
     {"\x89\x7E\x8C\xCA", "\x94\xBC\x8C\x61", "\x9D\x47\x95\xBD\x97\xA6"}},  // 円弧 半径 扁平率
}};

// A child that is never shown: its caption must not count as a command caption.
constexpr std::string_view kHiddenCaption = "\x94\xF1\x95\x5C\x8E\xA6";  // 非表示
// "ＭＳ ゴシック"
constexpr std::string_view kFontName = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";

constexpr int kFirstCommandId = 100;
constexpr UINT_PTR kCaptionsTimer = 1;
constexpr UINT kCaptionsPollMs = 100;

struct Options {
  bool blockTitle = false;
  bool registerCommand = false;
  bool exitAfterRegister = false;
  std::wstring captionsFile;
};

Options ParseOptions() {
  Options options;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) return options;
  for (int i = 1; i < count; ++i) {
    const std::wstring_view arg = args[i];
    if (arg == L"/marker2") {
      options.blockTitle = true;
    } else if (arg == L"/register") {
      options.registerCommand = true;
    } else if (arg == L"/register-only") {
      options.registerCommand = true;
      options.exitAfterRegister = true;
    } else if (arg == L"/captions" && i + 1 < count) {
      options.captionsFile = args[++i];
    }
  }
  LocalFree(args);
  return options;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The open command a host installation registers: "<exe>" "%1".
bool RegisterOpenCommand(const std::wstring& exePath) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kOpenCommandKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring command = L"\"" + exePath + L"\" \"%1\"";
  const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
  const LSTATUS status =
      RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()), bytes);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// The batch file the bridge batch names: the bytes after "#h/" on its directive line.
std::optional<std::string> BridgeBatchTarget(std::string_view bridgeBytes) {
  LineCursor lines(bridgeBytes);
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    if (line.starts_with(kDirective)) return std::string(line.substr(kDirective.size()));
  }
  return std::nullopt;
}

void SetText(HWND window, std::string_view sjis) {
  SetWindowTextW(window, WideFromSjis(sjis).c_str());
}

class StandinHost {
 public:
  StandinHost(Options options, std::string folder)
      : options_(std::move(options)), folder_(std::move(folder)) {}
  ~StandinHost() {
    if (font_ != nullptr) DeleteObject(font_);
  }
  StandinHost(const StandinHost&) = delete;
  StandinHost& operator=(const StandinHost&) = delete;

  bool Create(HINSTANCE instance, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) return false;

    const std::string_view title = options_.blockTitle ? kBlockTitle : kHostTitle;
    const HWND window = CreateWindowExW(0, kClassName, WideFromSjis(title).c_str(),
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 560, 260,
                                        nullptr, nullptr, instance, this);
    if (window == nullptr) return false;
    ShowWindow(window, show);
    UpdateWindow(window);
    return true;
  }

  // Ctrl+B as the host sees it, whichever of its windows has the focus. Repeats of a held key
  // do not count again.
  bool HandleCtrlB(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (msg.wParam != 'B' || GetKeyState(VK_CONTROL) >= 0) return false;
    if ((msg.lParam & (1 << 30)) == 0) RunBridgeBatch();
    return true;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    try {
      if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<StandinHost*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      }
      auto* self = reinterpret_cast<StandinHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (self != nullptr) {
        if (const std::optional<LRESULT> result = self->HandleMessage(message, wParam)) {
          return *result;
        }
      }
      if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    } catch (...) {
      // Nothing may unwind into user32; the message falls through to the default handling.
      ReportSwallowed("the stand-in's window procedure");
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam) {
    switch (message) {
      case WM_CREATE:
        CreateChildren();
        return 0;
      case WM_COMMAND:
        ShowCommand(static_cast<int>(LOWORD(wParam)) - kFirstCommandId);
        return 0;
      case WM_TIMER:
        if (wParam == kCaptionsTimer) PollCaptionsFile();
        return 0;
      case WM_DESTROY:
        KillTimer(window_, kCaptionsTimer);
        PostQuitMessage(0);
        return 0;
      default:
        return std::nullopt;
    }
  }

  HWND Child(const wchar_t* className, std::string_view text, DWORD style, int x, int y, int width,
             int id) {
    const HWND child = CreateWindowExW(0, className, WideFromSjis(text).c_str(), WS_CHILD | style,
                                       x, y, width, 24, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr);
    if (child != nullptr && font_ != nullptr) {
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    return child;
  }

  // Creation order is the order in which the children are enumerated: panels, tool buttons,
  // command captions, the hidden child, the log label.
  void CreateChildren() {
    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        FIXED_PITCH | FF_MODERN, WideFromSjis(kFontName).c_str());
    int x = 8;
    for (const std::string_view name : kPanelNames) {
      Child(L"STATIC", name, WS_VISIBLE | SS_CENTER | WS_BORDER, x, 8, 96, 0);
      x += 104;
    }
    x = 8;
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
      Child(L"BUTTON", kCommands[i].button, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, 48, 48,
            kFirstCommandId + static_cast<int>(i));
      x += 56;
    }
    x = 8;
    for (HWND& caption : captions_) {
      caption = Child(L"STATIC", "", WS_VISIBLE | WS_BORDER, x, 88, 160, 0);
      x += 168;
    }
    Child(L"STATIC", kHiddenCaption, 0, 8, 128, 160, 0);
    log_ = Child(L"STATIC", "", WS_VISIBLE, 8, 168, 520, 0);

    ShowCommand(0);
    if (!options_.captionsFile.empty()) SetTimer(window_, kCaptionsTimer, kCaptionsPollMs, nullptr);
  }

  void ShowCommand(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kCommands.size()) return;
    const Command& command = kCommands[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < captions_.size(); ++i) SetText(captions_[i], command.captions[i]);
  }

  // The captions file's first three lines become the command captions, missing lines empty.
  void PollCaptionsFile() {
    const ReadResult file = files_.Read(SjisFromWide(options_.captionsFile));
    if (!file.opened || !file.complete || file.bytes == captionsBytes_) return;
    if (LineCursor(file.bytes).Next() == kHangLine) {
      Hang();
      return;
    }
    captionsBytes_ = file.bytes;
    LineCursor lines(captionsBytes_);
    for (HWND caption : captions_) SetText(caption, lines.AtEnd() ? std::string_view() : lines.Next());
  }

  // A hung host: the thread takes no message while the captions file begins with "/hang".
  void Hang() {
    for (;;) {
      Sleep(kCaptionsPollMs);
      const ReadResult file = files_.Read(SjisFromWide(options_.captionsFile));
      if (file.opened && file.complete && LineCursor(file.bytes).Next() != kHangLine) return;
    }
  }

  // What the host does on Ctrl+B here: find the transform the bridge batch names, log it
  // beside the exe and show it.
  void RunBridgeBatch() {
    const ReadResult bridge = files_.Read(folder_ + std::string(kBridgeBatchName));
    const std::optional<std::string> target =
        bridge.opened ? BridgeBatchTarget(bridge.bytes) : std::nullopt;
    std::string line = target ? "run " + *target : std::string("no bridge batch");
    // Ctrl+B with any of these held is another shortcut to a real host. Windows gives the
    // thread in front the keys held when it came there; Wine keeps them per thread, so the
    // keys held anywhere count as well.
    for (const auto& [key, name] : {std::pair{VK_SHIFT, " [Shift]"}, {VK_MENU, " [Alt]"},
                                    {VK_LWIN, " [Win]"}, {VK_RWIN, " [Win]"}}) {
      if (GetKeyState(key) < 0 || GetAsyncKeyState(key) < 0) line += name;
    }
    AppendLog(line + "\r\n");
    SetText(log_, line);
  }

  void AppendLog(std::string_view bytes) {
    const std::wstring path = WideFromSjis(folder_ + std::string(kLogName));
    const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  Options options_;
  std::string folder_;  // the exe's folder, Shift-JIS, with its trailing "\"
  Win32Files files_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  std::array<HWND, 3> captions_{};
  HWND log_ = nullptr;
  std::string captionsBytes_;
};

int Run(HINSTANCE instance, int show) {
  const Options options = ParseOptions();
  const std::wstring exePath = ExePathW();
  if (options.registerCommand) {
    const bool registered = RegisterOpenCommand(exePath);
    if (options.exitAfterRegister) return registered ? 0 : 1;
  }

  StandinHost host(options, SjisFromWide(FolderOf(exePath)));
  if (!host.Create(instance, show)) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (host.HandleCtrlB(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace tabvane

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  try {
    return tabvane::Run(instance, show);
  } catch (...) {
    tabvane::ReportSwallowed("the stand-in's entry");
    return 1;
  }
}
