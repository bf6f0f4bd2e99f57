// The headless demo's steps: starts the stand-in host and Tabvane.exe, follows a command switch,
// runs a slot by its key, opens both dialogs, a slot's tooltip, the detection view and its
// register dialog and the find box, starts Tabvane once more at 144 dpi, and saves a screenshot
// after each step; in between it shows the main window in a high-contrast scheme. Win32
// console program for Wine; uses the driver library only.
//
//   demo_driver.exe APP_DIR HOST_DIR OUT_DIR
//
// APP_DIR holds Tabvane.exe and its files, HOST_DIR standin_host.exe; the screenshots
// (1-start.bmp ... 11-high-contrast.bmp) go to OUT_DIR. HOST_DIR also holds
// high_contrast_shim.dll. Exit code 0 when every step was seen.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/driver/driver.h"

namespace tabvane {
namespace {

using namespace driver;

// The stand-in's command captions (Shift-JIS), as its captions file carries them.
constexpr char kLineCaptions[] =
    "\x90\xFC\r\n\x90\x85\x95\xBD\x81\x45\x90\x82\x92\xBC\r\n15\x93\x78\x96\x88\r\n";  // 線 水平・垂直 15度毎
constexpr char kRectangleCaptions[] =
    "\x8B\xE9\x8C\x60\r\n\x90\xA1\x96\x40\r\n\x8A\xEE\x93\x5F\r\n";  // 矩形 寸法 基点

constexpr char kHostTitle[] = "sample.jww - jw_win";
constexpr char kSettingsCaption[] = "\x90\xDD\x92\xE8";  // 設定
// このコマンドを登録(&T)...
constexpr std::string_view kTeachButton =
    "\x82\xB1\x82\xCC\x83\x52\x83\x7D\x83\x93\x83\x68\x82\xF0\x93\x6F\x98\x5E(&T)...";
// Where the sample command list puts the two commands: page 作図 tab 線, page 編集 tab 矩形.
constexpr int kLinePage = 2, kLineTab = 0;
constexpr int kRectanglePage = 1, kRectangleTab = 2;
// Slot 0 of the 矩形 menu in the sample menus.
constexpr char kRectangleSlot0Batch[] = "rect_area.bat";
// At 144 dpi, where the settings file's 96-dpi numbers become 1.5 times as many pixels: the
// main window and the settings dialog side by side on the 1024 x 768 desktop.
constexpr DWORD kHighDpi = 144;
constexpr int kHighDpiMainLeft = 290, kHighDpiMainTop = 5;
constexpr int kHighDpiSettingsLeft = 10, kHighDpiSettingsTop = 300;

struct Demo {
  std::wstring appDir, hostDir, outDir;
  int failures = 0;

  void Step(const char* text) {
    std::printf("demo: %s\n", text);
    std::fflush(stdout);
  }

  bool Check(bool ok, const char* what) {
    if (!ok) {
      std::printf("demo: FAILED: %s\n", what);
      std::fflush(stdout);
      ++failures;
    }
    return ok;
  }

  // The whole desktop, once the windows shown have painted their state.
  void Screenshot(const wchar_t* name, const std::vector<HWND>& windows) {
    for (const HWND window : windows) Check(WaitRepainted(window), "window painted");
    const std::wstring path = outDir + name;
    Check(SaveBmp(CaptureScreen(), path), "screenshot saved");
  }
};

std::wstring WithSlash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
  return folder;
}

// Tabvane's page control is the tab control directly on its main window; the tab strips of
// the six pages lie inside it, in page order.
struct MainControls {
  HWND pages = nullptr;
  std::vector<HWND> strips;
};

MainControls FindMainControls(HWND main) {
  MainControls controls;
  for (const HWND tabs : Children(main, WC_TABCONTROLW)) {
    if (GetParent(tabs) == main) {
      controls.pages = tabs;
      controls.strips = Children(tabs, WC_TABCONTROLW);
      break;
    }
  }
  return controls;
}

bool ShowsMenu(const MainControls& controls, int page, int tab) {
  return TabSelection(controls.pages) == page &&
         static_cast<std::size_t>(page) < controls.strips.size() &&
         TabSelection(controls.strips[static_cast<std::size_t>(page)]) == tab;
}

HWND VisibleGrid(HWND main) {
  for (const HWND grid : Children(main, L"TabvaneGrid")) {
    if (IsWindowVisible(grid) != 0) return grid;
  }
  return nullptr;
}

// One of Tabvane's dialogs (the system's dialog class), once it shows. Not just any other
// window of Tabvane's: its taskbar entry is a visible window too, and is there while a
// dialog is still on its way on a busy machine.
HWND WaitDialog(DWORD processId, HWND main) {
  WindowMatch match;
  match.processId = processId;
  match.className = L"#32770";
  match.except = main;
  return FindTopWindow(match);
}

void CloseDialog(Demo& demo, HWND dialog, const char* what) {
  BringToForeground(dialog);
  PressKey(VK_ESCAPE);
  demo.Check(WaitWindowGone(dialog), what);
}

// Clicks Tabvane's settings button and waits for the dialog; nullptr when it did not open.
HWND OpenSettings(Demo& demo, DWORD processId, HWND main) {
  const HWND button = FindChildByText(main, WC_BUTTONW, kSettingsCaption);
  if (!demo.Check(button != nullptr, "settings button")) return nullptr;
  const RECT rect = ClientRectOnScreen(button);
  Click(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  const HWND settings = WaitDialog(processId, main);
  demo.Check(settings != nullptr, "settings dialog");
  return settings;
}

// Rewrites the text file at path with the given lines (1-based) replaced, the others kept.
bool ReplaceLines(const std::wstring& path, const std::vector<std::pair<int, std::string>>& lines) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return false;
  std::vector<std::string> text;
  for (std::size_t start = 0; start < bytes->size();) {
    const std::size_t end = std::min(bytes->find("\r\n", start), bytes->size());
    text.emplace_back(bytes->substr(start, end - start));
    start = end + 2;
  }
  for (const auto& [number, line] : lines) {
    if (number < 1 || static_cast<std::size_t>(number) > text.size()) return false;
    text[static_cast<std::size_t>(number - 1)] = line;
  }
  std::string replaced;
  for (const std::string& line : text) replaced += line + "\r\n";
  return WriteFileBytes(path, replaced);
}

// Loads dll into the process and waits until its DllMain has run.
bool LoadInto(HANDLE process, const std::wstring& dll) {
  const std::size_t bytes = (dll.size() + 1) * sizeof(wchar_t);
  const RemoteBlock block(process, bytes);
  if (!block.Write(dll.c_str(), bytes)) return false;
  // kernel32 lies at the same address in every process of a session.
  const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  const HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, block.Address(), 0, nullptr);
  if (thread == nullptr) return false;
  const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
  DWORD module = 0;
  GetExitCodeThread(thread, &module);
  CloseHandle(thread);
  return ended && module != 0;
}

// The system colours as they are now come back at the end of its life: the shim sets those of a
// high-contrast scheme, and Wine may keep them for programs started later.
class KeepSystemColours {
 public:
  KeepSystemColours() {
    for (int index = COLOR_SCROLLBAR; index <= COLOR_MENUBAR; ++index) {
      indexes_.push_back(index);
      colours_.push_back(GetSysColor(index));
    }
  }
  ~KeepSystemColours() {
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours_.data());
  }
  KeepSystemColours(const KeepSystemColours&) = delete;
  KeepSystemColours& operator=(const KeepSystemColours&) = delete;

 private:
  std::vector<int> indexes_;
  std::vector<COLORREF> colours_;
};

int Run(Demo& demo) {
  const std::wstring captionsFile = demo.hostDir + L"captions.txt";
  const std::wstring logFile = demo.hostDir + L"standin_log.txt";
  DeleteFileW(logFile.c_str());
  if (!demo.Check(WriteFileBytes(captionsFile, kLineCaptions), "captions file written")) return 1;

  demo.Step("starting the stand-in host");
  WindowMatch hostMatch;
  hostMatch.className = L"TabvaneStandinHost";
  hostMatch.title = kHostTitle;
  StartedProgram host = StartWithWindow(demo.hostDir + L"standin_host.exe",
                                        {L"/captions", captionsFile}, demo.hostDir, hostMatch);
  const HWND hostWindow = host.window;
  if (!demo.Check(hostWindow != nullptr, "stand-in host window")) return 1;

  demo.Step("starting Tabvane.exe");
  WindowMatch mainMatch;
  mainMatch.className = L"TabvaneMain";
  StartedProgram started = StartWithWindow(demo.appDir + L"Tabvane.exe", {}, demo.outDir, mainMatch);
  Process& tabvane = started.process;
  const HWND main = started.window;
  if (!demo.Check(main != nullptr, "Tabvane main window")) return 1;
  const MainControls controls = FindMainControls(main);
  if (!demo.Check(controls.pages != nullptr && controls.strips.size() == 6, "page control"))
    return 1;
  const HWND combo = FindChild(main, WC_COMBOBOXW);

  // The host's first command is 線: Tabvane lists the host and turns to its page and tab.
  demo.Check(WaitUntil([&] { return ComboItems(combo).size() == 2; }), "host listed");
  demo.Check(WaitUntil([&] { return ShowsMenu(controls, kLinePage, kLineTab); }),
             "page 作図, tab 線 for the line command");
  demo.Screenshot(L"1-start.bmp", {hostWindow, main});

  demo.Step("switching the host's command to 矩形");
  demo.Check(WriteFileBytes(captionsFile, kRectangleCaptions), "captions file rewritten");
  demo.Check(WaitUntil([&] { return ShowsMenu(controls, kRectanglePage, kRectangleTab); }),
             "page 編集, tab 矩形 for the rectangle command");
  demo.Screenshot(L"2-switched.bmp", {main});

  demo.Step("running slot 0 by its key");
  demo.Check(BringToForeground(main), "Tabvane in front");
  TypeText(L"0");
  demo.Check(WaitUntil([&] {
               const std::optional<std::string> log = ReadFileBytes(logFile);
               return log && log->find(kRectangleSlot0Batch) != std::string::npos;
             }),
             "the host ran the transform of slot 0");
  demo.Screenshot(L"3-ran.bmp", {hostWindow, main});

  demo.Step("opening the slot editor with the context-menu key");
  demo.Check(BringToForeground(main), "Tabvane in front");
  if (const HWND grid = VisibleGrid(main)) ClickClient(grid, POINT{60, 14});  // row 1
  PressApps();
  if (const HWND editor = WaitDialog(tabvane.Id(), main); demo.Check(editor != nullptr, "slot editor")) {
    demo.Screenshot(L"4-slot-editor.bmp", {editor, main});
    CloseDialog(demo, editor, "slot editor closed");
  }

  demo.Step("opening the settings dialog with its button");
  if (const HWND settings = OpenSettings(demo, tabvane.Id(), main)) {
    demo.Screenshot(L"5-settings.bmp", {settings, main});
    CloseDialog(demo, settings, "settings dialog closed");
  }

  demo.Step("resting the pointer on slot 0 for its tooltip");
  if (const HWND grid = VisibleGrid(main); demo.Check(grid != nullptr, "visible grid")) {
    demo.Check(BringToForeground(main), "Tabvane in front");
    // The pointer may rest on row 1 since the slot editor's click: a hover starts with a move
    // into the grid, so it comes from outside.
    MoveMouse(POINT{2, 2});
    MoveMouse(ClientToScreenPoint(grid, POINT{60, 14}));  // row 1
    WindowMatch tipMatch;
    tipMatch.processId = tabvane.Id();
    tipMatch.className = L"tooltips_class32";
    if (const HWND tip = FindTopWindow(tipMatch); demo.Check(tip != nullptr, "tooltip")) {
      demo.Screenshot(L"6-tooltip.bmp", {tip, main});
    }
    MoveMouse(POINT{2, 2});
  }

  demo.Step("opening the detection view from the system menu (Alt+Space, D)");
  demo.Check(BringToForeground(main), "Tabvane in front");
  PressChord({VK_MENU}, VK_SPACE);
  PressKey('D');
  WindowMatch viewMatch;
  viewMatch.processId = tabvane.Id();
  viewMatch.className = L"TabvaneDetection";
  if (const HWND view = FindTopWindow(viewMatch); demo.Check(view != nullptr, "detection view")) {
    demo.Screenshot(L"7-detection.bmp", {hostWindow, view, main});
    demo.Step("opening the register dialog from the detection view");
    const HWND teach = FindChildByText(view, WC_BUTTONW, std::string(kTeachButton));
    if (demo.Check(teach != nullptr && BringToForeground(view), "register button")) {
      const RECT rect = ClientRectOnScreen(teach);
      Click(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
      const HWND dialog = WaitDialog(tabvane.Id(), view);
      if (demo.Check(dialog != nullptr, "register dialog")) {
        demo.Screenshot(L"9-teach.bmp", {hostWindow, view, dialog});
        CloseDialog(demo, dialog, "register dialog cancelled");
      }
    }
    PostMessageW(view, WM_CLOSE, 0, 0);
    demo.Check(WaitWindowGone(view), "detection view closed");
  }

  demo.Step("finding transforms by typing (Ctrl+F, 面積)");
  demo.Check(BringToForeground(main), "Tabvane in front");
  PressCtrl('F');
  WindowMatch findMatch;
  findMatch.processId = tabvane.Id();
  findMatch.className = L"TabvaneFind";
  if (const HWND box = FindTopWindow(findMatch); demo.Check(box != nullptr, "find box")) {
    TypeText(L"\u9762\u7A4D");
    const HWND list = FindChild(box, WC_LISTVIEWW);
    demo.Check(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 1; }),
               "slots found");
    demo.Screenshot(L"10-find.bmp", {box, main});
    PressKey(VK_ESCAPE);
    demo.Check(WaitUntil([&] { return IsWindowVisible(box) == 0; }), "find box closed");
  }

  // Wine cannot switch a high-contrast scheme on: the shim does it inside Tabvane alone.
  demo.Step("switching to a high-contrast scheme");
  if (const KeepSystemColours colours;
      demo.Check(LoadInto(tabvane.Handle(), demo.hostDir + L"high_contrast_shim.dll"),
                 "high-contrast shim loaded")) {
    PostMessageW(main, WM_SYSCOLORCHANGE, 0, 0);
    demo.Check(BringToForeground(main), "Tabvane in front");
    if (const HWND grid = VisibleGrid(main)) ClickClient(grid, POINT{60, 14});  // a selected row
    demo.Screenshot(L"11-high-contrast.bmp", {main});
  }

  demo.Check(tabvane.Close(), "Tabvane ended by its close");

  demo.Step("starting Tabvane again at 144 dpi");
  {
    const ScreenDpi screen(kHighDpi);
    demo.Check(screen.IsSet(), "screen DPI set");
    demo.Check(ReplaceLines(demo.appDir + L"Tabvane.dat",
                            {{1, std::to_string(kHighDpiMainLeft)},
                             {2, std::to_string(kHighDpiMainTop)},
                             {13, std::to_string(kHighDpiSettingsLeft)},
                             {14, std::to_string(kHighDpiSettingsTop)}}),
               "settings file placed for 144 dpi");
    StartedProgram again =
        StartWithWindow(demo.appDir + L"Tabvane.exe", {}, demo.outDir, mainMatch);
    if (demo.Check(again.window != nullptr, "Tabvane main window at 144 dpi")) {
      const MainControls scaled = FindMainControls(again.window);
      demo.Check(WaitUntil([&] { return ShowsMenu(scaled, kRectanglePage, kRectangleTab); }),
                 "page 編集, tab 矩形 at 144 dpi");
      if (const HWND settings = OpenSettings(demo, again.process.Id(), again.window)) {
        demo.Screenshot(L"8-dpi144.bmp", {settings, again.window});
        CloseDialog(demo, settings, "settings dialog closed at 144 dpi");
      }
      demo.Check(again.process.Close(), "Tabvane at 144 dpi ended by its close");
    }
  }

  demo.Step("closing the stand-in host");
  demo.Check(host.process.Close(), "stand-in host ended by its close");
  return demo.failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace tabvane

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: demo_driver.exe APP_DIR HOST_DIR OUT_DIR\n");
    return 2;
  }
  tabvane::Demo demo{tabvane::WithSlash(argv[1]), tabvane::WithSlash(argv[2]),
                     tabvane::WithSlash(argv[3])};
  try {
    return tabvane::Run(demo);
  } catch (...) {
    std::fprintf(stderr, "demo: stopped by an exception\n");
    return 1;
  }
}
