// The end-to-end rig: scratch app folder, stand-in host and Tabvane.exe under Wine.
#include "tests/e2e/rig.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "host/win32/wide.h"

namespace tabvane::e2e {
namespace {

// Six pages: page 0 with the tabs 線 and 矩形, page 1 with 円弧, pages 2 to 4 without tabs, the
// free page with 自由 and 文字. The stand-in's own captions at its start (線, 水平・垂直, 15度毎)
// match the first tab, which is also the one shown at start-up.
constexpr std::string_view kCommandList =
    "\xCC\xA7\xB2\xD9\r\n"                                             // ﾌｧｲﾙ
    "\x90\xFC\t\x90\xFC,\x90\x85\x95\xBD\x81\x45\x90\x82\x92\xBC\r\n"  // 線	線,水平・垂直
    "\x8B\xE9\x8C\x60\t\x8B\xE9\x8C\x60,\x90\xA1\x96\x40\r\n"          // 矩形	矩形,寸法
    "\x95\xD2\x8F\x57\r\n"                                             // 編集
    "\x89\x7E\x8C\xCA\t\x89\x7E\x8C\xCA,\x94\xBC\x8C\x61\r\n"          // 円弧	円弧,半径
    "\x8D\xEC\x90\x7D\r\n"                                             // 作図
    "\x90\xDD\x92\xE8\r\n"                                             // 設定
    "\x82\xBB\x82\xCC\x91\xBC\r\n"                                     // その他
    "\x83\x74\x83\x8A\x81\x5B\r\n"                                     // フリー
    "\x8E\xA9\x97\x52\t\x8E\xA9\x97\x52\r\n"                           // 自由	自由
    "\x95\xB6\x8E\x9A\t\x95\xB6\x8E\x9A\r\n";                          // 文字	文字

std::wstring Wide(std::string_view sjis) { return WideFromSjis(sjis); }

// Copies a program from where the build put it (a path of the Linux host, which Wine reaches
// through drive Z:).
bool CopyProgram(std::string_view buildPath, const std::string& target) {
  return CopyFileW(drv::DosPath(buildPath).c_str(), Wide(target).c_str(), FALSE) != 0;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// A point inside the name cell of a row when row 1 is the top row: row 0 is 1 pixel high, slot
// rows 24, each row followed by a 1-pixel line; column 0 is 16 pixels wide.
POINT NameCellPoint(int row) { return POINT{40, 2 + (row - 1) * 25 + 12}; }

}  // namespace

std::string MenuFileBytes(const Menus& menus) {
  std::string bytes;
  for (const Menu& menu : menus) {
    for (std::size_t slot = 0; slot < menu.names.size(); ++slot) {
      bytes += menu.names[slot] + "\t" + menu.files[slot] + "\r\n";
    }
    bytes += "\r\n";
  }
  return bytes;
}

std::string SettingsFileBytes(const Settings& settings, std::string_view lastDir) {
  const auto line = [](auto value) { return std::to_string(value) + "\r\n"; };
  return line(settings.left) + line(settings.top) + line(settings.width) + line(settings.height) +
         "241\r\n134\r\n" + line(settings.interval) + "0\r\n1\r\n" + std::string(lastDir) +
         "\r\n" + (settings.minimizeAfterRun ? "1\r\n" : "0\r\n") +
         (settings.editMode ? "1\r\n" : "0\r\n") + "212\r\n113\r\n";
}

std::optional<std::string> Line(std::string_view bytes, int n) {
  const std::vector<std::string> lines = SplitLines(bytes);
  if (n < 1 || static_cast<std::size_t>(n) > lines.size()) return std::nullopt;
  return lines[static_cast<std::size_t>(n - 1)];
}

std::string BridgeBytes(std::string_view batchFile) {
  return "@rem Tabvane\r\n@echo off\r\ngoto  END\r\nREM \r\nREM  #jww\r\nREM  #cd\r\nREM  #h/" +
         std::string(batchFile) +
         "\r\nREM  #e\r\n:END\r\necho on\r\nREM \x8F\x49\x97\xB9 \r\n";  // "REM 終了 "
}

std::string SlotEditorCaption(char key) {
  return std::string("\x93\xFC\x97\xCD\x81\x40\x81\x79") + key + "\x81\x7A";
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return GetGUIThreadInfo(thread, &info) != 0 ? info.hwndFocus : nullptr;
}

Rig::Rig(const std::optional<Settings>& settings) {
  const std::string& root = scratch_.path();
  if (root.empty()) {
    ADD_FAILURE() << "no scratch folder";
    return;
  }
  app_ = root + "app\\";
  host_ = root + "host\\";
  bat_ = root + "bat\\";
  work_ = root + "work\\";
  captionsFile_ = root + "captions.txt";
  for (const std::string& folder : {app_, host_, bat_, bat_ + "\x95\x5C\x8E\xA6\\", work_}) {
    EXPECT_NE(CreateDirectoryW(Wide(folder).c_str(), nullptr), 0) << folder;
  }
  EXPECT_TRUE(CopyProgram(TABVANE_EXE_BUILD_PATH, app_ + "Tabvane.exe"));
  EXPECT_TRUE(CopyProgram(STANDIN_EXE_BUILD_PATH, host_ + "standin_host.exe"));

  menus_.resize(kMenuCount);
  for (const SampleSlot& s : kSampleSlots) {
    Menu& menu = menus_[static_cast<std::size_t>(s.menu)];
    menu.names[static_cast<std::size_t>(s.slot)] = s.name;
    menu.files[static_cast<std::size_t>(s.slot)] = BatchPath(s.file);
    WriteFile(BatchPath(s.file), "@REM " + std::string(s.name) + "\r\n");
  }
  WriteFile(app_ + "com_list.txt", kCommandList);
  WriteFile(app_ + "ga_list.txt", MenuFileBytes(menus_));
  if (settings) WriteFile(app_ + "Tabvane.dat", SettingsFileBytes(*settings, app_));
}

Rig::~Rig() {
  if (tabvane_.Running()) tabvane_.Kill();
  if (hostProcess_.Running()) hostProcess_.Kill();
}

void Rig::WriteFile(const std::string& path, std::string_view bytes) const {
  EXPECT_TRUE(drv::WriteFileBytes(Wide(path), bytes)) << path;
}

void Rig::StartHost(bool registerItself) {
  std::vector<std::wstring> arguments;
  if (registerItself) arguments.emplace_back(L"/register");
  arguments.emplace_back(L"/captions");
  arguments.push_back(Wide(captionsFile_));
  hostProcess_ = drv::Process::Start(Wide(host_ + "standin_host.exe"), arguments, Wide(host_));
  ASSERT_TRUE(hostProcess_.Started()) << "error " << hostProcess_.LastError();
  drv::WindowMatch match;
  match.processId = hostProcess_.Id();
  match.title = std::string(kHostTitle);
  hostWindow_ = drv::FindTopWindow(match, kWait);
  ASSERT_NE(hostWindow_, nullptr) << "the stand-in's window did not appear";
}

void Rig::RegisterHost() {
  drv::Process registrar =
      drv::Process::Start(Wide(host_ + "standin_host.exe"), {L"/register-only"}, Wide(host_));
  ASSERT_TRUE(registrar.Started()) << "error " << registrar.LastError();
  ASSERT_EQ(registrar.WaitExit(kWait), std::optional<DWORD>(0)) << "not registered";
}

void Rig::UseHostFolder(std::string_view name) {
  host_ = scratch_.path() + std::string(name) + "\\";
  EXPECT_NE(CreateDirectoryW(Wide(host_).c_str(), nullptr), 0) << host_;
  EXPECT_TRUE(CopyProgram(STANDIN_EXE_BUILD_PATH, host_ + "standin_host.exe"));
}

namespace {

// Whether the stand-in's thread takes messages: a hung one lets the call time out.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0;
}

}  // namespace

void Rig::HangHost() {
  WriteFile(captionsFile_, "/hang\r\n");
  EXPECT_TRUE(drv::WaitUntil([&] { return !Answers(hostWindow_); }, kWait)) << "still answering";
}

void Rig::WakeHost() {
  WriteFile(captionsFile_, "\r\n");
  EXPECT_TRUE(drv::WaitUntil([&] { return Answers(hostWindow_); }, kWait)) << "still hung";
}

void Rig::SetHostCaptions(const std::vector<std::string_view>& captions) {
  std::string bytes;
  for (const std::string_view caption : captions) bytes += std::string(caption) + "\r\n";
  WriteFile(captionsFile_, bytes);
  const std::string first(captions.empty() ? std::string_view() : captions.front());
  EXPECT_TRUE(drv::WaitUntil(
      [&] {
        const std::vector<HWND> children = drv::Children(hostWindow_);
        return std::any_of(children.begin(), children.end(),
                           [&](HWND child) { return drv::WindowText(child) == first; });
      },
      kWait))
      << "the stand-in did not take its new captions";
}

std::string Rig::HostEntry() const {
  const auto handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hostWindow_));
  return std::string(kHostTitle) + std::string(kEntrySeparator) + std::to_string(handle);
}

std::vector<std::string> Rig::HostLog() const {
  return SplitLines(drv::ReadFileBytes(Wide(host_ + "standin_log.txt")).value_or(""));
}

std::string Rig::WaitHostLog(std::size_t count) const {
  std::vector<std::string> lines;
  drv::WaitUntil(
      [&] {
        lines = HostLog();
        return lines.size() >= count;
      },
      kWait);
  EXPECT_EQ(lines.size(), count) << "Ctrl+B reached the stand-in a different number of times";
  return lines.size() == count ? lines.back() : std::string();
}

std::optional<std::string> Rig::Bridge() const { return BridgeIn(host_); }

std::optional<std::string> Rig::BridgeIn(const std::string& folder) const {
  return drv::ReadFileBytes(Wide(folder + "Tabvane.bat"));
}

void Rig::StartTabvane(bool hostListed) {
  tabvane_ = drv::Process::Start(Wide(app_ + "Tabvane.exe"), {}, Wide(work_));
  ASSERT_TRUE(tabvane_.Started()) << "error " << tabvane_.LastError();
  drv::WindowMatch match;
  match.processId = tabvane_.Id();
  match.className = L"TabvaneMain";
  main_ = drv::FindTopWindow(match, kWait);
  ASSERT_NE(main_, nullptr) << "Tabvane's main window did not appear";
  const std::size_t items = hostListed ? 2 : 1;
  ASSERT_TRUE(drv::WaitUntil([&] { return ComboItems().size() == items; }, kWait))
      << "the start-up scan did not list " << items - 1 << " host window(s)";
}

bool Rig::CloseTabvane(bool fromTaskbar) {
  if (main_ == nullptr) return false;
  if (fromTaskbar) {
    PostMessageW(App(), WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    PostMessageW(main_, WM_CLOSE, 0, 0);
  }
  return tabvane_.WaitExit(kWait).has_value();
}

bool Rig::Minimized() const { return IsIconic(App()) != 0 && IsWindowVisible(main_) == 0; }

HWND Rig::Combo() const { return drv::FindChild(main_, WC_COMBOBOXW); }

std::vector<std::string> Rig::ComboItems() const { return drv::ComboItems(Combo()); }

HWND Rig::PageControl() const {
  for (const HWND tabs : drv::Children(main_, WC_TABCONTROLW)) {
    if ((GetWindowLongPtrW(tabs, GWL_STYLE) & TCS_VERTICAL) != 0) return tabs;
  }
  return nullptr;
}

int Rig::ActivePage() const { return drv::TabSelection(PageControl()); }

HWND Rig::ActiveStrip() const {
  const HWND pages = PageControl();
  for (const HWND tabs : drv::Children(main_, WC_TABCONTROLW)) {
    if (tabs != pages && IsWindowVisible(tabs) != 0) return tabs;
  }
  return nullptr;
}

HWND Rig::ActiveGrid() const {
  for (const HWND grid : drv::Children(main_, L"TabvaneGrid")) {
    if (IsWindowVisible(grid) != 0) return grid;
  }
  return nullptr;
}

int Rig::ActiveTab() const { return drv::TabSelection(ActiveStrip()); }

bool Rig::Focus() const { return drv::BringToForeground(main_, kWait); }

void Rig::ClickRow(int row) const { drv::ClickClient(ActiveGrid(), NameCellPoint(row)); }

void Rig::PointAtRow(int row) const {
  drv::MoveMouse(drv::ClientToScreenPoint(ActiveGrid(), NameCellPoint(row)));
}

RECT Rig::RowRect(int row) const {
  const POINT centre = drv::ClientToScreenPoint(ActiveGrid(), NameCellPoint(row));
  const RECT grid = drv::ClientRectOnScreen(ActiveGrid());
  return RECT{grid.left, centre.y - 12, grid.right, centre.y + 12};
}

void Rig::DoubleClickRow(int row) const {
  drv::DoubleClickClient(ActiveGrid(), NameCellPoint(row));
}

HWND Rig::WaitTabvaneWindow(std::string_view caption) const {
  drv::WindowMatch match;
  match.processId = tabvane_.Id();
  match.title = std::string(caption);
  return drv::FindTopWindow(match, kWait);
}

std::string Rig::AppFile(std::string_view name) const {
  return drv::ReadFileBytes(Wide(app_ + std::string(name))).value_or("");
}

}  // namespace tabvane::e2e
