// The host path from the registry, the bridge batch and every way a launch ends.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_launch.h"
#include "tests/fakes/fake_desktop.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

using fakes::FakeDesktop;

constexpr const char* kOpenKey = "Jwwin.Document\\shell\\open\\command";

TEST(GetHostExePath, CutsArgumentsAndQuotes) {
  const struct {
    std::optional<std::string> value;
    std::string path;
    std::string folder;
  } cases[] = {
      {"\"C:\\Host\\host.exe\" \"%1\"", "C:\\Host\\host.exe", "C:\\Host\\"},
      {"C:\\Host\\host.exe %1", "C:\\Host\\host.exe", "C:\\Host\\"},
      {"\"C:\\Program Files\\Host\\host.exe\" %1", "C:\\Program Files\\Host\\host.exe",
       "C:\\Program Files\\Host\\"},
      {"C:\\A %x \"%1", "C:\\A %x", "C:\\"},
      {"\"C:\\Host\\host.exe %1", "C:\\Host\\host.exe", "C:\\Host\\"},
      {"C:\\Host\\host.exe\" %1", "C:\\Host\\host.exe\"", "C:\\Host\\"},
      {"host.exe", "host.exe", ""},
      {"", "", ""},
      {std::nullopt, "", ""},
      // 表 ends in 0x5C: a folder separator only where it starts a character.
      {"\"D:\\\x95\x5C\\h.exe\" %1", "D:\\\x95\x5C\\h.exe", "D:\\\x95\x5C\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.value_or("(missing)"));
    FakeDesktop desk;
    if (c.value) desk.registry[kOpenKey] = *c.value;
    const std::string path = GetHostExePath(desk);
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(FolderPart(path), c.folder);
  }
}

TEST(BridgeBatch, ElevenLinesByteForByte) {
  const std::string batch = "D:\\\x95\x5C\\x.bat";  // 表 with its 0x5C trail byte
  EXPECT_EQ(
      BridgeBatchBytes(batch),
      "@rem Tabvane\r\n@echo off\r\ngoto  END\r\nREM \r\nREM  #jww\r\nREM  #cd\r\n"
      "REM  #h/D:\\\x95\x5C\\x.bat\r\nREM  #e\r\n:END\r\necho on\r\nREM \x8F\x49\x97\xB9 \r\n");

  FakeDesktop desk;
  desk.files.folders = {"C:\\Host\\"};
  desk.files.files["C:\\Host\\Tabvane.bat"] = "older and longer content";
  WriteBridgeBatch(desk.files, "C:\\Host\\host.exe", batch);
  EXPECT_EQ(desk.files.files["C:\\Host\\Tabvane.bat"], BridgeBatchBytes(batch));
  EXPECT_FALSE(WriteBridgeBatch(desk.files, "E:\\Missing\\", batch));
  EXPECT_EQ(desk.files.files.count("E:\\Missing\\Tabvane.bat"), 0u);
}

constexpr const char* kBatch = "D:\\bat\\x.bat";
constexpr const char* kBridge = "C:\\Host\\Tabvane.bat";
constexpr const char* kProcessBridge = "E:\\Run\\Tabvane.bat";
constexpr const char* kProgramsBridge = "C:\\Program Files\\Jw\\Tabvane.bat";
constexpr const char* kStoreBridge =
    "C:\\Users\\u\\AppData\\Local\\VirtualStore\\Program Files\\Jw\\Tabvane.bat";
constexpr const char* kCaption = "Tabvane \x81\xA8 Name";  // "Tabvane → Name"
constexpr const char* kNormal = "show 7 normal";
// "Tabvane → Tabvane.bat を書き込めません"
constexpr const char* kNotWritten =
    "Tabvane \x81\xA8 Tabvane.bat \x82\xF0\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1";
// "Tabvane → Jw_cad が管理者として実行中のため実行できません"
constexpr const char* kElevated =
    "Tabvane \x81\xA8 Jw_cad \x82\xAA\x8A\xC7\x97\x9D\x8E\xD2\x82\xC6\x82\xB5\x82\xC4\x8E\xC0\x8D"
    "\x73\x92\x86\x82\xCC\x82\xBD\x82\xDF\x8E\xC0\x8D\x73\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
// "Tabvane → Jw_cad を前面にできませんでした"
constexpr const char* kNotInFront =
    "Tabvane \x81\xA8 Jw_cad \x82\xF0\x91\x4F\x96\xCA\x82\xC9\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82"
    "\xF1\x82\xC5\x82\xB5\x82\xBD";
// "Tabvane → キー送信が拒否されました"
constexpr const char* kKeysRefused =
    "Tabvane \x81\xA8 \x83\x4C\x81\x5B\x91\x97\x90\x4D\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82"
    "\xDC\x82\xB5\x82\xBD";

using Keys = std::vector<KeyEvent>;
const Keys kCtrlB = {{0x11, false}, {0x42, false}, {0x42, true}, {0x11, true}};

// One launch's inputs: a fake desktop with the target 7 behind another program, and the state
// the main window hands over.
struct Launch {
  FakeDesktop desk;
  std::vector<TCommandEntry> entries = {{0, 0, 1, "t0", ""}, {0, 1, 0, "t1", ""}};
  std::vector<TMenu> menus = std::vector<TMenu>(1);
  WindowHandle target = 7;
  TSettings settings;
};

struct LaunchCase {
  const char* name;
  std::function<void(Launch&)> change;
  int32_t tab, slot;
  const char* caption;  // nullptr: unchanged
  const char* bridge;   // where Tabvane.bat is written; nullptr: nowhere
  const char* show;     // the ShowWindow call before the foreground call, nullptr for none
  Keys keys;            // the key events the system took
  bool minimize;
};

TEST(RunSlot, EveryWayALaunchEnds) {
  const auto none = [](Launch&) {};
  const LaunchCase cases[] = {
      {"launch", none, 0, 3, kCaption, kBridge, kNormal, kCtrlB, true},
      {"maximized", [](Launch& r) { r.settings.FMaximizeHost = true; },
       0, 3, kCaption, kBridge, "show 7 max", kCtrlB, true},
      {"empty name", [](Launch& r) { r.menus[0].Names[3].clear(); },
       0, 3, "Tabvane \x81\xA8 ", kBridge, kNormal, kCtrlB, true},
      {"no minimizing", [](Launch& r) { r.settings.FMinimizeAfterRun = false; },
       0, 3, kCaption, kBridge, kNormal, kCtrlB, false},
      {"tab without menu", none, 1, 3, nullptr, nullptr, nullptr, {}, false},
      {"slot 36", none, 0, 36, nullptr, nullptr, nullptr, {}, false},
      {"slot -1", none, 0, -1, nullptr, nullptr, nullptr, {}, false},
      {"empty batch path", [](Launch& r) { r.menus[0].BatchFiles[3].clear(); },
       0, 3, nullptr, nullptr, nullptr, {}, false},
      {"batch missing", [](Launch& r) { r.desk.files.files.erase(kBatch); },
       0, 3, nullptr, nullptr, nullptr, {}, false},
      {"registry key missing", [](Launch& r) { r.desk.registry.clear(); },
       0, 3, nullptr, nullptr, nullptr, {}, false},
      {"host path without folder", [](Launch& r) { r.desk.registry[kOpenKey] = "host.exe %1"; },
       0, 3, nullptr, nullptr, nullptr, {}, false},
      {"bridge where the target's process runs",
       [](Launch& r) { r.desk.windows[7].exePath = "E:\\Run\\host.exe"; },
       0, 3, kCaption, kProcessBridge, kNormal, kCtrlB, true},
      {"the running host without a registry value",
       [](Launch& r) {
         r.desk.windows[7].exePath = "E:\\Run\\host.exe";
         r.desk.registry.clear();
       },
       0, 3, kCaption, kProcessBridge, kNormal, kCtrlB, true},
      {"a host in Program Files",
       [](Launch& r) { r.desk.windows[7].exePath = "C:\\Program Files\\Jw\\host.exe"; },
       0, 3, kCaption, kProgramsBridge, kNormal, kCtrlB, true},
      {"a virtualised host in Program Files reads its store: folders made there",
       [](Launch& r) {
         r.desk.windows[7].exePath = "C:\\Program Files\\Jw\\host.exe";
         r.desk.windows[7].virtualized = true;
       },
       0, 3, kCaption, kStoreBridge, kNormal, kCtrlB, true},
      {"a virtualised host outside the protected folders",
       [](Launch& r) {
         r.desk.windows[7].exePath = "E:\\Run\\host.exe";
         r.desk.windows[7].virtualized = true;
       },
       0, 3, kCaption, kProcessBridge, kNormal, kCtrlB, true},
      {"bridge not writable: no activation, no keys",
       [](Launch& r) { r.desk.files.folders.erase("C:\\Host\\"); },
       0, 3, kNotWritten, nullptr, nullptr, {}, false},
      {"no target", [](Launch& r) { r.target = 0; },
       0, 3, kCaption, kBridge, nullptr, {}, false},
      {"target closed", [](Launch& r) { r.desk.Close(7); }, 0, 3, kCaption, kBridge, nullptr, {},
       true},
      {"elevated host", [](Launch& r) { r.desk.windows[7].integrity = 0x3000; },
       0, 3, kElevated, kBridge, nullptr, {}, false},
      {"host that will not show its level",
       [](Launch& r) { r.desk.windows[7].integrity = kIntegrityRefused; },
       0, 3, kElevated, kBridge, nullptr, {}, false},
      {"no integrity levels at all",
       [](Launch& r) {
         r.desk.windows[7].integrity = std::nullopt;
         r.desk.ownIntegrity = std::nullopt;
       },
       0, 3, kCaption, kBridge, kNormal, kCtrlB, true},
      {"host refuses the foreground", [](Launch& r) { r.desk.refuseForeground = true; },
       0, 3, kNotInFront, kBridge, kNormal, {}, false},
      {"foreground taken during the wait",
       [](Launch& r) { r.desk.onPump = [&r] { r.desk.foreground = 2; }; },
       0, 3, kNotInFront, kBridge, kNormal, {}, false},
      {"held Shift, Alt and Windows keys are let go under Ctrl",
       [](Launch& r) { r.desk.keysDown = {0xA1, 0xA4, 0x5B, 0x11}; },
       0, 3, kCaption, kBridge, kNormal,
       {{0x11, false}, {0xA1, true}, {0xA4, true}, {0x5B, true}, {0x42, false}, {0x42, true},
        {0x11, true}},
       true},
      {"keys refused part-way", [](Launch& r) { r.desk.keysTaken = 2; },
       0, 3, kKeysRefused, kBridge, kNormal, {{0x11, false}, {0x42, false}}, false},
  };
  for (const LaunchCase& c : cases) {
    SCOPED_TRACE(c.name);
    Launch launch;
    launch.menus[0].Names[3] = "Name";
    launch.menus[0].BatchFiles[3] = kBatch;
    launch.settings.FMinimizeAfterRun = true;
    launch.desk.AddWindow(7, "a - jw_win");
    launch.desk.AddWindow(2, "other program");
    launch.desk.foreground = 2;
    launch.desk.registry[kOpenKey] = "\"C:\\Host\\host.exe\" \"%1\"";
    launch.desk.files.folders = {"C:\\Host\\", "D:\\bat\\", "E:\\Run\\", "C:\\Program Files\\Jw\\",
                                 "C:\\Users\\u\\AppData\\Local\\"};
    launch.desk.files.files[kBatch] = "@REM x\r\n";
    c.change(launch);

    const LaunchOutcome outcome = RunSlot(launch.desk, launch.entries, launch.menus, launch.target,
                                          launch.settings, 0, c.tab, c.slot);

    EXPECT_EQ(outcome.caption, c.caption ? std::optional<std::string>(c.caption) : std::nullopt);
    for (const char* bridge : {kBridge, kProcessBridge, kProgramsBridge, kStoreBridge}) {
      const bool expected = c.bridge != nullptr && std::string(c.bridge) == bridge;
      EXPECT_EQ(launch.desk.files.files.count(bridge), expected ? 1u : 0u) << bridge;
    }
    const std::vector<std::string> calls =
        c.show ? std::vector<std::string>{c.show, "foreground 7"} : std::vector<std::string>{};
    EXPECT_EQ(launch.desk.calls, calls);
    if (c.show) {
      EXPECT_GT(launch.desk.tick, 5000u + 100u);  // the keys go only after the wait
    }
    EXPECT_EQ(launch.desk.keys, c.keys);
    EXPECT_EQ(outcome.minimize, c.minimize);
    // A missing batch file leaves the slot as it was.
    EXPECT_EQ(launch.menus[0].BatchFiles[3] == kBatch,
              c.name != std::string("empty batch path"));
  }
}

}  // namespace
}  // namespace tabvane
