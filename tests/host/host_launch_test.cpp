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
  WriteBridgeBatch(desk.files, "E:\\Missing\\", batch);  // swallowed
  EXPECT_EQ(desk.files.files.count("E:\\Missing\\Tabvane.bat"), 0u);
}

constexpr const char* kBatch = "D:\\bat\\x.bat";
constexpr const char* kBridge = "C:\\Host\\Tabvane.bat";
constexpr const char* kCaption = "Tabvane \x81\xA8 Name";  // "Tabvane → Name"
constexpr const char* kNormal = "show 7 normal";

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
  bool bridge;
  const char* show;     // the ShowWindow call before the foreground call, nullptr for none
  bool ctrlB;
  bool minimize;
};

TEST(RunSlot, EveryWayALaunchEnds) {
  const auto none = [](Launch&) {};
  const LaunchCase cases[] = {
      {"launch", none, 0, 3, kCaption, true, kNormal, true, true},
      {"maximized", [](Launch& r) { r.settings.FMaximizeHost = true; },
       0, 3, kCaption, true, "show 7 max", true, true},
      {"empty name", [](Launch& r) { r.menus[0].Names[3].clear(); },
       0, 3, "Tabvane \x81\xA8 ", true, kNormal, true, true},
      {"no minimizing", [](Launch& r) { r.settings.FMinimizeAfterRun = false; },
       0, 3, kCaption, true, kNormal, true, false},
      {"tab without menu", none, 1, 3, nullptr, false, nullptr, false, false},
      {"slot 36", none, 0, 36, nullptr, false, nullptr, false, false},
      {"slot -1", none, 0, -1, nullptr, false, nullptr, false, false},
      {"empty batch path", [](Launch& r) { r.menus[0].BatchFiles[3].clear(); },
       0, 3, nullptr, false, nullptr, false, false},
      {"batch missing", [](Launch& r) { r.desk.files.files.erase(kBatch); },
       0, 3, nullptr, false, nullptr, false, false},
      {"registry key missing", [](Launch& r) { r.desk.registry.clear(); },
       0, 3, nullptr, false, nullptr, false, false},
      {"host path without folder", [](Launch& r) { r.desk.registry[kOpenKey] = "host.exe %1"; },
       0, 3, nullptr, false, nullptr, false, false},
      {"bridge not writable", [](Launch& r) { r.desk.files.folders.clear(); },
       0, 3, kCaption, false, kNormal, true, true},
      {"no target", [](Launch& r) { r.target = 0; },
       0, 3, kCaption, true, nullptr, false, false},
      {"target closed", [](Launch& r) { r.desk.Close(7); }, 0, 3, kCaption, true, nullptr, false, true},
      {"host refuses the foreground", [](Launch& r) { r.desk.refuseForeground = true; },
       0, 3, kCaption, true, kNormal, false, true},
      {"foreground taken during the wait",
       [](Launch& r) { r.desk.onPump = [&r] { r.desk.foreground = 2; }; },
       0, 3, kCaption, true, kNormal, false, true},
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
    launch.desk.files.folders = {"C:\\Host\\", "D:\\bat\\"};
    launch.desk.files.files[kBatch] = "@REM x\r\n";
    c.change(launch);

    const LaunchOutcome outcome = RunSlot(launch.desk, launch.entries, launch.menus, launch.target,
                                          launch.settings, 0, c.tab, c.slot);

    EXPECT_EQ(outcome.caption, c.caption ? std::optional<std::string>(c.caption) : std::nullopt);
    EXPECT_EQ(launch.desk.files.files.count(kBridge), c.bridge ? 1u : 0u);
    const std::vector<std::string> calls =
        c.show ? std::vector<std::string>{c.show, "foreground 7"} : std::vector<std::string>{};
    EXPECT_EQ(launch.desk.calls, calls);
    if (c.show) {
      EXPECT_GT(launch.desk.tick, 5000u + 100u);  // the keys go only after the wait
    }
    using Keys = std::vector<std::pair<uint8_t, bool>>;
    const Keys ctrlB = {{0x11, false}, {0x42, false}, {0x42, true}, {0x11, true}};
    EXPECT_EQ(launch.desk.keys, c.ctrlB ? ctrlB : Keys{});
    EXPECT_EQ(outcome.minimize, c.minimize);
    // A missing batch file leaves the slot as it was.
    EXPECT_EQ(launch.menus[0].BatchFiles[3] == kBatch,
              c.name != std::string("empty batch path"));
  }
}

}  // namespace
}  // namespace tabvane
