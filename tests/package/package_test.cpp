// The release folder end to end, for the x64 and the x86 exe: the release zips unpacked (or the
// x64 package laid out by the release's own layout step) into folders with a Japanese name and
// blanks, copied, and Tabvane.exe started from there as Explorer starts it (working folder = its
// own) beside the stand-in host.
// Win32 only; the driver is 64-bit and reads the tab controls of a 32-bit Tabvane too.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/win32/wide.h"
#include "tests/fakes/platform_files.h"
#include "tools/driver/driver.h"

namespace tabvane {
namespace {

namespace drv = tabvane::driver;
namespace fs = std::filesystem;

constexpr drv::Ms kWait{30000};  // generous: a loaded machine slows Wine down a lot
constexpr std::string_view kHostTitle = "sample.jww - jw_win";
// メニュー編集モード
constexpr std::string_view kEditModeItem =
    "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68";
constexpr std::string_view kRunCaptionPrefix = "Tabvane \x81\xA8 ";  // "Tabvane → "

// One package folder: which exe it holds and the folder as the fixture left it (a path of the
// Linux host, UTF-8; empty when the tree has no such package).
struct Flavour {
  const char* name;
  const char8_t* folder;
  bool wow64;  // a 32-bit exe: it runs under WoW64 beside this 64-bit test
};
constexpr Flavour kX64{"x64", u8"" PACKAGE_DIR_X64, false};
constexpr Flavour kX86{"x86", u8"" PACKAGE_DIR_X86, true};

// The folder as Windows programs see it: Wine's drive Z: is the Linux root.
fs::path PackageFolder(const Flavour& flavour) {
  std::wstring path = L"Z:" + fs::path(flavour.folder).wstring();
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return fs::path(path);
}

// TCITEMW as a 32-bit process lays it out: pointers and LPARAM are 4 bytes, no padding.
struct TcItemW32 {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  std::uint32_t pszText;
  int cchTextMax;
  int iImage;
  std::uint32_t lParam;
};
static_assert(sizeof(TcItemW32) == 28);

// True when the process runs 32-bit code on 64-bit Windows (its structures have 4-byte pointers).
bool IsWow64(HANDLE process) {
  BOOL wow64 = FALSE;
  return IsWow64Process(process, &wow64) != 0 && wow64 != FALSE;
}

// The caption of a tab, Shift-JIS, with the TCITEMW layout of the tab control's process;
// "(unreadable)" when the control does not answer.
template <typename Item>
std::string TabCaptionAs(HANDLE process, HWND tabs, int index) {
  std::array<wchar_t, 128> text{};
  drv::RemoteBlock block(process, sizeof(Item) + sizeof text);
  Item item{};
  item.mask = TCIF_TEXT;
  char* const remoteText = block.Address(sizeof item);
  if constexpr (std::is_same_v<Item, TcItemW32>) {
    // The block lies in the 32-bit process's address space.
    item.pszText = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(remoteText));
  } else {
    item.pszText = reinterpret_cast<wchar_t*>(remoteText);
  }
  item.cchTextMax = static_cast<int>(text.size());
  if (!block.Write(&item, sizeof item) ||
      !block.Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index)) ||
      !block.Read(text.data(), sizeof text, sizeof item)) {
    return "(unreadable)";
  }
  text.back() = L'\0';
  return SjisFromWide(text.data());
}

std::string TabCaption(HANDLE process, HWND tabs, int index) {
  return IsWow64(process) ? TabCaptionAs<TcItemW32>(process, tabs, index)
                          : TabCaptionAs<TCITEMW>(process, tabs, index);
}

std::vector<std::string> TabCaptions(HANDLE process, HWND tabs) {
  std::vector<std::string> captions;
  for (int i = 0; i < drv::TabCount(tabs); ++i) captions.push_back(TabCaption(process, tabs, i));
  return captions;
}

// Clicks a tab as the user does; false when its rectangle cannot be read.
bool ClickTab(HWND tabs, int index) {
  const RECT rect = drv::TabItemRect(tabs, index);
  if (IsRectEmpty(&rect) != 0) return false;
  drv::ClickClient(tabs, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  return true;
}

std::vector<std::string> Lines(std::string_view bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// One unpacked release in a scratch folder: "<scratch>\テスト フォルダ\Tabvane <version>\" (the
// two last names of the laid-out folder) with the stand-in host in "<scratch>\host\", both started.
class Release {
 public:
  explicit Release(const Flavour& flavour) : flavour_(flavour), source_(PackageFolder(flavour)) {
    const fs::path scratch(WideFromSjis(scratch_.path()));
    app_ = scratch / source_.parent_path().filename() / source_.filename();
    host_ = scratch / L"host";
    std::error_code error;
    fs::create_directories(app_, error);
    fs::copy(source_, app_, fs::copy_options::recursive, error);
    EXPECT_FALSE(error) << "copying the laid-out package: " << error.message();
    fs::create_directories(host_, error);
    fs::copy_file(drv::DosPath(STANDIN_EXE_BUILD_PATH), host_ / L"standin_host.exe", error);
    EXPECT_FALSE(error) << "copying the stand-in: " << error.message();
  }

  void Start() {
    drv::WindowMatch hostMatch;
    hostMatch.title = std::string(kHostTitle);
    host_process_ = drv::StartWithWindow((host_ / L"standin_host.exe").wstring(),
                                         {L"/register"}, host_.wstring(), hostMatch, kWait);
    host_window_ = host_process_.window;
    ASSERT_NE(host_window_, nullptr) << "the stand-in's window did not appear";

    drv::WindowMatch mainMatch;
    mainMatch.className = L"TabvaneMain";
    // Working folder: the app folder, as when Explorer starts the exe.
    tabvane_ = drv::StartWithWindow((app_ / L"Tabvane.exe").wstring(), {}, app_.wstring(),
                                    mainMatch, kWait);
    main_ = tabvane_.window;
    ASSERT_NE(main_, nullptr) << "Tabvane's main window did not appear";
    ASSERT_EQ(IsWow64(Process()), flavour_.wow64) << "not the " << flavour_.name << " exe";
    ASSERT_TRUE(drv::WaitUntil([&] { return drv::ComboItems(Combo()).size() == 2; }, kWait))
        << "the start-up scan did not list the stand-in";
  }

  bool Close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return tabvane_.process.WaitExit(kWait).has_value();
  }

  HANDLE Process() const { return tabvane_.process.Handle(); }
  HWND Main() const { return main_; }
  HWND Combo() const { return drv::FindChild(main_, WC_COMBOBOXW); }
  HWND PageControl() const {
    for (const HWND tabs : drv::Children(main_, WC_TABCONTROLW)) {
      if ((GetWindowLongPtrW(tabs, GWL_STYLE) & TCS_VERTICAL) != 0) return tabs;
    }
    return nullptr;
  }
  // The pages' tab strips in the order the window holds them.
  std::vector<HWND> Strips() const {
    std::vector<HWND> strips = drv::Children(main_, WC_TABCONTROLW);
    std::erase(strips, PageControl());
    return strips;
  }
  std::string HostEntry() const {
    const auto handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(host_window_));
    return std::string(kHostTitle) + "  \x81\x7C " + std::to_string(handle);  // "  － "
  }
  std::vector<std::string> HostLog() const {
    return Lines(drv::ReadFileBytes((host_ / L"standin_log.txt").wstring()).value_or(""));
  }
  std::string HostFile(const wchar_t* name) const {
    return drv::ReadFileBytes((host_ / name).wstring()).value_or("(missing)");
  }
  std::string AppFile(const wchar_t* name) const {
    return drv::ReadFileBytes((app_ / name).wstring()).value_or("(missing)");
  }
  std::string PackageFile(const wchar_t* name) const {
    return drv::ReadFileBytes((source_ / name).wstring()).value_or("(missing)");
  }
  // The app folder as Tabvane knows it: Shift-JIS with a trailing "\".
  std::string AppFolderText() const { return SjisFromWide(app_.wstring()) + "\\"; }

 private:
  Flavour flavour_;
  fs::path source_;
  fakes::ScratchDir scratch_;
  fs::path app_, host_;
  drv::StartedProgram host_process_, tabvane_;
  HWND host_window_ = nullptr;
  HWND main_ = nullptr;
};

// Every case runs once per exe; a package the tree was not given is skipped.
class Package : public testing::TestWithParam<Flavour> {
 protected:
  void SetUp() override {
    if (std::u8string_view(GetParam().folder).empty()) {
      GTEST_SKIP() << "no " << GetParam().name
                   << " package in this tree (configure with -DTABVANE_PACKAGE_DIST=the dist "
                      "folder of scripts/package; the x86 exe runs under a 32-bit Wine)";
    }
  }
};

TEST_P(Package, StartsWithTheSampleMenusAndWritesThemBackUnchanged) {
  // The tabs of the six pages as the sample command list gives them.
  const std::vector<std::vector<std::string>> pages = {
      {"\x90\x7D\x96\xCA", "\x88\xF3\x8D\xFC"},                      // 図面 印刷
      {"\x95\xA1\x8E\xCA", "\x8F\xC1\x8B\x8E", "\x8B\xE9\x8C\x60"},  // 複写 消去 矩形
      {"\x90\xFC", "\x89\x7E", "\x89\x7E\x8C\xCA"},                  // 線 円 円弧
      {"\x8A\xEE\x96\x7B", "\x83\x8C\x83\x43\x83\x84"},              // 基本 レイヤ
      {"\x8F\x57\x8C\x76", "\x95\x5C"},                              // 集計 表
      {"\x82\xE6\x82\xAD\x8E\x67\x82\xA4", "\x97\x5C\x94\xF5"},      // よく使う 予備
  };
  Release release(GetParam());
  release.Start();
  const std::vector<HWND> strips = release.Strips();
  ASSERT_EQ(strips.size(), pages.size());
  ASSERT_TRUE(drv::BringToForeground(release.Main(), kWait));
  for (std::size_t page = 0; page < pages.size(); ++page) {
    SCOPED_TRACE(testing::Message() << "page " << page);
    // A page's tabs come into its strip when the page is first shown: shown as a user does.
    const int index = static_cast<int>(page);
    if (index != 0) {
      ASSERT_TRUE(ClickTab(release.PageControl(), index));
    }
    ASSERT_TRUE(drv::WaitUntil(
        [&] { return drv::TabSelection(release.PageControl()) == index; }, kWait));
    EXPECT_EQ(TabCaptions(release.Process(), strips[page]), pages[page]);
  }
  // No settings file in the package: the first start is in menu edit mode.
  EXPECT_EQ(drv::ComboItems(release.Combo()),
            (std::vector<std::string>{std::string(kEditModeItem), release.HostEntry()}));

  ASSERT_TRUE(release.Close());
  EXPECT_EQ(release.AppFile(L"ga_list.txt"), release.PackageFile(L"ga_list.txt"))
      << "the menus with their relative paths must read back as shipped";
  const std::vector<std::string> settings = Lines(release.AppFile(L"Tabvane.dat"));
  ASSERT_EQ(settings.size(), 14u);
  EXPECT_EQ(settings[9], release.AppFolderText()) << "last folder: the exe's own";
  EXPECT_EQ(settings[11], "1") << "edit mode kept";
}

TEST_P(Package, SlotKeysRunTheSampleTransformsThroughTheHost) {
  struct Case {
    int page;       // clicked first unless 0, the page shown at start
    wchar_t key;
    std::string_view name;
    std::string_view batch;  // as ga_list.txt names it, relative to the app folder
  };
  const Case cases[] = {
      // 図面をＤＸＦで保存, page ﾌｧｲﾙ tab 図面 slot 0
      {0, L'0', "\x90\x7D\x96\xCA\x82\xF0\x82\x63\x82\x77\x82\x65\x82\xC5\x95\xDB\x91\xB6",
       "transforms\\dxf_save.bat"},
      // 面積計算（閉図形）, page その他 tab 集計 slot 0: a transform with a Japanese file name
      {4, L'0', "\x96\xCA\x90\xCF\x8C\x76\x8E\x5A\x81\x69\x95\xC2\x90\x7D\x8C\x60\x81\x6A",
       "transforms\\\x96\xCA\x90\xCF\x8C\x76\x8E\x5A.bat"},
  };
  Release release(GetParam());
  release.Start();
  std::size_t launches = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page);
    ASSERT_TRUE(drv::BringToForeground(release.Main(), kWait));
    if (c.page != 0) {
      ASSERT_TRUE(ClickTab(release.PageControl(), c.page));
      ASSERT_TRUE(drv::WaitUntil(
          [&] { return drv::TabSelection(release.PageControl()) == c.page; }, kWait));
    }
    drv::TypeText(std::wstring(1, c.key));
    ++launches;
    std::vector<std::string> log;
    drv::WaitUntil([&] { return (log = release.HostLog()).size() >= launches; }, kWait);
    ASSERT_EQ(log.size(), launches) << "Ctrl+B did not reach the stand-in";
    EXPECT_EQ(log.back(), "run " + std::string(c.batch));
    const std::vector<std::string> bridge = Lines(release.HostFile(L"Tabvane.bat"));
    ASSERT_EQ(bridge.size(), 11u);
    EXPECT_EQ(bridge[6], "REM  #h/" + std::string(c.batch));
    EXPECT_EQ(drv::WindowText(release.Main()),
              std::string(kRunCaptionPrefix) + std::string(c.name));
  }
  EXPECT_TRUE(release.Close());
}

void PrintTo(const Flavour& flavour, std::ostream* out) { *out << flavour.name; }

std::string FlavourName(const testing::TestParamInfo<Flavour>& flavour) {
  return flavour.param.name;
}
INSTANTIATE_TEST_SUITE_P(Exe, Package, testing::Values(kX64, kX86), FlavourName);

}  // namespace
}  // namespace tabvane
