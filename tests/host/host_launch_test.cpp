// The host path from the registry, the bridge batch and every way a launch ends.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_link.h"
#include "tests/host/rig.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

using fakes::FakeDesktop;
using fakes::Rig;

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
  WriteBridgeBatch(desk.files, "E:\\Missing\\", batch);  // swallowed
  EXPECT_EQ(desk.files.files.count("E:\\Missing\\Tabvane.bat"), 0u);
}

constexpr const char* kBatch = "D:\\bat\\x.bat";
constexpr const char* kBridge = "C:\\Host\\Tabvane.bat";
constexpr const char* kCaption = "Tabvane \x81\xA8 Name";  // "Tabvane → Name"
constexpr const char* kNormal = "show 7 normal";

struct LaunchCase {
  const char* name;
  std::function<void(Rig&)> change;
  int32_t tab, slot;
  const char* caption;  // nullptr: unchanged
  bool bridge;
  const char* show;     // the ShowWindow call before the foreground call, nullptr for none
  bool ctrlB;
  int minimized;
};

TEST(RunSlot, EveryWayALaunchEnds) {
  const auto none = [](Rig&) {};
  const LaunchCase cases[] = {
      {"launch", none, 0, 3, kCaption, true, kNormal, true, 1},
      {"maximized", [](Rig& r) { r.state.settings.FMaximizeHost = true; },
       0, 3, kCaption, true, "show 7 max", true, 1},
      {"empty name", [](Rig& r) { r.state.menus.FMenus[0].Names[3].clear(); },
       0, 3, "Tabvane \x81\xA8 ", true, kNormal, true, 1},
      {"no minimizing", [](Rig& r) { r.state.settings.FMinimizeAfterRun = false; },
       0, 3, kCaption, true, kNormal, true, 0},
      {"tab without menu", none, 1, 3, nullptr, false, nullptr, false, 0},
      {"slot 36", none, 0, 36, nullptr, false, nullptr, false, 0},
      {"slot -1", none, 0, -1, nullptr, false, nullptr, false, 0},
      {"empty batch path", [](Rig& r) { r.state.menus.FMenus[0].BatchFiles[3].clear(); },
       0, 3, nullptr, false, nullptr, false, 0},
      {"batch missing", [](Rig& r) { r.desk.files.files.erase(kBatch); },
       0, 3, nullptr, false, nullptr, false, 0},
      {"registry key missing", [](Rig& r) { r.desk.registry.clear(); },
       0, 3, nullptr, false, nullptr, false, 0},
      {"host path without folder", [](Rig& r) { r.desk.registry[kOpenKey] = "host.exe %1"; },
       0, 3, nullptr, false, nullptr, false, 0},
      {"bridge not writable", [](Rig& r) { r.desk.files.folders.clear(); },
       0, 3, kCaption, false, kNormal, true, 1},
      {"no target", [](Rig& r) { r.state.FTargetWnd = 0; },
       0, 3, kCaption, true, nullptr, false, 0},
      {"target closed", [](Rig& r) { r.desk.Close(7); }, 0, 3, kCaption, true, nullptr, false, 1},
      {"host refuses the foreground", [](Rig& r) { r.desk.refuseForeground = true; },
       0, 3, kCaption, true, kNormal, false, 1},
      {"foreground taken during the wait",
       [](Rig& r) { r.desk.onPump = [&r] { r.desk.foreground = 2; }; },
       0, 3, kCaption, true, kNormal, false, 1},
  };
  for (const LaunchCase& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.state.FEntries = {{0, 0, 1, "t0", ""}, {0, 1, 0, "t1", ""}};
    rig.state.menus.FMenus.resize(1);
    rig.state.menus.FMenus[0].Names[3] = "Name";
    rig.state.menus.FMenus[0].BatchFiles[3] = kBatch;
    rig.state.FTargetWnd = 7;
    rig.state.settings.FMinimizeAfterRun = true;
    rig.desk.AddWindow(7, "a - jw_win");
    rig.desk.AddWindow(2, "other program");
    rig.desk.foreground = 2;
    rig.desk.registry[kOpenKey] = "\"C:\\Host\\host.exe\" \"%1\"";
    rig.desk.files.folders = {"C:\\Host\\", "D:\\bat\\"};
    rig.desk.files.files[kBatch] = "@REM x\r\n";
    rig.fc.window.caption = "Tabvane";
    rig.fc.timer.Start(3000);
    c.change(rig);

    RunSlot(rig.state, rig.controls, rig.desk, 0, c.tab, c.slot);

    EXPECT_EQ(rig.fc.window.caption, c.caption ? c.caption : "Tabvane");
    EXPECT_EQ(rig.desk.files.files.count(kBridge), c.bridge ? 1u : 0u);
    const std::vector<std::string> calls =
        c.show ? std::vector<std::string>{c.show, "foreground 7"} : std::vector<std::string>{};
    EXPECT_EQ(rig.desk.calls, calls);
    if (c.show) {
      EXPECT_GT(rig.desk.tick, 5000u + 100u);  // the keys go only after the wait
    }
    using Keys = std::vector<std::pair<uint8_t, bool>>;
    const Keys ctrlB = {{0x11, false}, {0x42, false}, {0x42, true}, {0x11, true}};
    EXPECT_EQ(rig.desk.keys, c.ctrlB ? ctrlB : Keys{});
    EXPECT_EQ(rig.fc.window.minimized, c.minimized);
    EXPECT_FALSE(rig.fc.timer.running);
    // A missing batch file leaves the slot as it was.
    EXPECT_EQ(rig.state.menus.FMenus[0].BatchFiles[3] == kBatch,
              c.name != std::string("empty batch path"));
  }
}

}  // namespace
}  // namespace tabvane
