// The host scan and launch on a real desktop: the stand-in host in its own process is listed,
// its captions are read and followed, and a launch reaches it through the registry, the bridge
// batch and Ctrl+B, but only while it is in front.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/host_launch.h"
#include "host/host_scan.h"
#include "host/win32/wide.h"
#include "host/win32/win32_platform.h"
#include "model/files.h"
#include "tests/fakes/platform_files.h"
#include "tests/host_win32/desktop.h"
#include "text/texts.h"

namespace tabvane {
namespace {

using desktop::Standin;
using desktop::TestWindow;
using desktop::WaitUntil;
using fakes::PlatformFiles;
using fakes::ScratchDir;

constexpr std::string_view kOpenKey = "Jwwin.Document\\shell\\open\\command";
constexpr std::string_view kSlotName = "\x83\x65\x83\x58\x83\x67";  // テスト
constexpr int32_t kSlot = 3;

// The stand-in's tool buttons, which every caption list starts with.
const std::vector<std::string> kButtons = {"\x81\x5E", "\x81\xA0", "\x81\x9B"};  // ／ □ ○

std::vector<std::string> WithButtons(std::vector<std::string> captions) {
  captions.insert(captions.begin(), kButtons.begin(), kButtons.end());
  return captions;
}

std::vector<std::string> CommandCaptions(Win32Platform& platform, HWND host) {
  return ReadChildCaptions(platform, ToWindowHandle(host)).commands;
}

std::string FileBytes(const std::string& path) { return PlatformFiles().Read(path).bytes; }

// One command entry for page 0, tab 0 and its menu, whose slot 3 names batch.
struct OneSlot {
  std::vector<TCommandEntry> entries{{0, 0, 1, "tab", "keyword"}};
  std::vector<TMenu> menus = std::vector<TMenu>(1);
  TSettings settings;

  explicit OneSlot(const std::string& batch) {
    menus[0].Names[kSlot] = kSlotName;
    menus[0].BatchFiles[kSlot] = batch;
  }
};

// Puts a window of the test process in front, so that a launch has to bring the host forward.
bool BringToFront(Win32Platform& platform, HWND window) {
  platform.SetForegroundWindow(ToWindowHandle(window));
  return WaitUntil([&] { return platform.ForegroundWindow() == ToWindowHandle(window); });
}

TEST(StandinHost, ListedWithItsTitleAndAHandleThatParsesBack) {
  const struct {
    std::vector<std::wstring> arguments;
    std::string title;
  } cases[] = {
      {{}, "sample.jww - jw_win"},
      {{L"/marker2"},  // ◆◆◆ブロック図形【sample】
       "\x81\x9F\x81\x9F\x81\x9F\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x81\x79"
       "sample\x81\x7A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    const ScratchDir scratch;
    Standin standin(scratch.path(), "standin_host.exe");
    ASSERT_TRUE(standin.Start(c.arguments));

    Win32Platform platform;
    WindowHandle target = 0;
    const HostList list = ListHostWindows(platform, target);

    const WindowHandle handle = ToWindowHandle(standin.Window());
    const std::string entry = c.title + std::string(texts::kEntrySeparator) + std::to_string(handle);
    const auto found = std::find(list.entries.begin(), list.entries.end(), entry);
    ASSERT_NE(found, list.entries.end());
    EXPECT_EQ(ToHwnd(EntryHandle(*found)), standin.Window());
    // The only host window on the desktop becomes the target and is selected (item 0 is the
    // selector's label).
    EXPECT_EQ(target, handle);
    EXPECT_EQ(list.selected, found - list.entries.begin() + 1);
  }
}

TEST(StandinHost, CommandCaptionsFollowTheHostAndDriveTheScan) {
  const ScratchDir scratch;
  const std::string captionsFile = scratch / "captions.txt";
  Standin standin(scratch.path(), "standin_host.exe");
  ASSERT_TRUE(standin.Start({L"/captions", WideFromSjis(captionsFile)}));
  Win32Platform platform;

  // Panel names, the empty log label and the hidden child never count.
  EXPECT_EQ(CommandCaptions(platform, standin.Window()),
            WithButtons({"\x90\xFC", "\x90\x85\x95\xBD\x81\x45\x90\x82\x92\xBC",  // 線 水平・垂直
                         "15\x93\x78\x96\x88"}));                                 // 15度毎

  const struct {
    const char* step;
    std::string file;
    std::vector<std::string> captions;
  } steps[] = {
      // 表示 (trail byte 0x5C) and half-width ｱｲ with blanks, kept as read; no third line.
      {"bytes", "\x95\x5C\x8E\xA6\r\n \xB1\xB2 \r\n", WithButtons({"\x95\x5C\x8E\xA6", " \xB1\xB2 "})},
      // レイヤ and "設定 " are panel names; 設定1 is not.
      {"panel names", "\x83\x8C\x83\x43\x83\x84\r\n\x90\xDD\x92\xE8 \r\n\x90\xDD\x92\xE8\x31\r\n",
       WithButtons({"\x90\xDD\x92\xE8\x31"})},
      // 円弧 半径 扁平率
      {"arc", "\x89\x7E\x8C\xCA\r\n\x94\xBC\x8C\x61\r\n\x9D\x47\x95\xBD\x97\xA6\r\n",
       WithButtons({"\x89\x7E\x8C\xCA", "\x94\xBC\x8C\x61", "\x9D\x47\x95\xBD\x97\xA6"})},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    ASSERT_TRUE(SaveAtomically(PlatformFiles(), captionsFile, s.file));
    WaitUntil([&] { return CommandCaptions(platform, standin.Window()) == s.captions; });
    EXPECT_EQ(CommandCaptions(platform, standin.Window()), s.captions);
  }

  // A whole scan against the host's arc command picks the arc entry.
  std::vector<TCommandEntry> entries(2);
  entries[0].Page = 1;
  entries[0].Keywords = "\x90\xFC";  // 線
  entries[1].Page = 2;
  entries[1].Keywords = "\x89\x7E\x8C\xCA,\x94\xBC\x8C\x61";  // 円弧,半径
  WindowHandle target = ToWindowHandle(standin.Window());
  const ScanResult scan = ScanHost(platform, entries, target, true);
  ASSERT_TRUE(scan.captions.has_value());
  EXPECT_EQ(scan.captions->commands, steps[2].captions);
  EXPECT_EQ(scan.switches, std::vector<std::size_t>{1});
}

TEST(StandinHost, LaunchWritesTheBridgeBatchAndTheHostRunsItsTransform) {
  const ScratchDir scratch;
  // 表.exe and 変形表.bat: names whose last character ends in the byte 0x5C.
  Standin standin(scratch.path(), "\x95\x5C.exe");
  const std::string batch = scratch / "\x95\xCF\x8C\x60\x95\x5C.bat";
  ASSERT_TRUE(standin.Copied());
  ASSERT_TRUE(WriteInPlace(PlatformFiles(), batch, "@REM sample\r\n"));

  driver::Process registration =
      driver::Process::Start(WideFromSjis(standin.ExePath()), {L"/register-only"});
  ASSERT_EQ(registration.WaitExit(), DWORD{0});
  Win32Platform platform;
  EXPECT_EQ(platform.ClassesRootDefaultValue(kOpenKey), "\"" + standin.ExePath() + "\" \"%1\"");
  EXPECT_EQ(GetHostExePath(platform), standin.ExePath());

  ASSERT_TRUE(standin.Start({}));
  // The running host names its own executable (the bridge batch goes beside it) and runs at
  // this program's integrity level, so nothing keeps the keys from it.
  const WindowHandle host = ToWindowHandle(standin.Window());
  EXPECT_EQ(platform.ProcessImagePath(host), standin.ExePath());
  EXPECT_EQ(platform.IntegrityLevel(host), platform.IntegrityLevel(0));
  TestWindow other("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_TRUE(BringToFront(platform, other.Handle()));

  OneSlot slot(batch);
  slot.settings.FMaximizeHost = true;
  slot.settings.FMinimizeAfterRun = true;
  const LaunchOutcome outcome = RunSlot(platform, slot.entries, slot.menus,
                                        ToWindowHandle(standin.Window()), slot.settings, 0, 0, kSlot);

  EXPECT_EQ(FileBytes(scratch / "Tabvane.bat"),
            "@rem Tabvane\r\n@echo off\r\ngoto  END\r\nREM \r\nREM  #jww\r\nREM  #cd\r\n"
            "REM  #h/" + batch + "\r\nREM  #e\r\n:END\r\necho on\r\nREM \x8F\x49\x97\xB9 \r\n");
  EXPECT_EQ(outcome.caption, "Tabvane \x81\xA8 " + std::string(kSlotName));
  EXPECT_TRUE(outcome.minimize);
  EXPECT_EQ(platform.ForegroundWindow(), ToWindowHandle(standin.Window()));
  // The maximize is asynchronous: the host's own thread carries it out when it gets to it.
  EXPECT_TRUE(WaitUntil([&] { return IsZoomed(standin.Window()) != 0; }));

  const std::string expectedLog = "run " + batch + "\r\n";
  WaitUntil([&] { return FileBytes(scratch / "standin_log.txt") == expectedLog; });
  EXPECT_EQ(FileBytes(scratch / "standin_log.txt"), expectedLog);
  EXPECT_EQ(other.KeyMessages(), 0);
}

// The system refuses to bring the host forward: shows and activations do nothing.
class RefusingPlatform : public Win32Platform {
 public:
  void ShowWindowAsync(WindowHandle, bool) override {}
  void SetForegroundWindow(WindowHandle) override {}
};

TEST(StandinHost, NoKeystrokeWhileTheHostIsNotInFront) {
  const ScratchDir scratch;
  Standin standin(scratch.path(), "standin_host.exe");
  const std::string batch = scratch / "transform.bat";
  ASSERT_TRUE(WriteInPlace(PlatformFiles(), batch, "@REM sample\r\n"));
  ASSERT_TRUE(standin.Start({L"/register"}));
  const std::string log = scratch / "standin_log.txt";

  Win32Platform platform;
  TestWindow front("front", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_TRUE(BringToFront(platform, front.Handle()));

  RefusingPlatform refusing;
  const OneSlot slot(batch);
  RunSlot(refusing, slot.entries, slot.menus, ToWindowHandle(standin.Window()), slot.settings, 0,
          0, kSlot);

  // The launch got as far as the keystroke, and then sent nothing to anyone: neither the
  // window in front nor the host sees a key within a second.
  EXPECT_TRUE(PlatformFiles().FileExists(scratch / "Tabvane.bat"));
  EXPECT_FALSE(WaitUntil([&] { return front.KeyMessages() > 0 || PlatformFiles().FileExists(log); },
                         std::chrono::milliseconds(1000)));
  EXPECT_EQ(platform.ForegroundWindow(), ToWindowHandle(front.Handle()));

  // The same host answers Ctrl+B once it is in front, so the silence above was no accident.
  ASSERT_TRUE(BringToFront(platform, standin.Window()));
  platform.SendKeys({{0x11, false}, {0x42, false}, {0x42, true}, {0x11, true}});
  WaitUntil([&] { return FileBytes(log) == "run " + batch + "\r\n"; });
  EXPECT_EQ(FileBytes(log), "run " + batch + "\r\n");
}

}  // namespace
}  // namespace tabvane
