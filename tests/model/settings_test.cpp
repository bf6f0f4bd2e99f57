// Settings file: its path, reading files of every length with their defaults, and writing.
#include "model/settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "tests/model/forced_files.h"

namespace tabvane {

void PrintTo(const TSettings& s, std::ostream* os) {
  *os << "main " << s.main.left << ',' << s.main.top << ',' << s.main.width << ',' << s.main.height
      << " editor " << s.slotEditor.left << ',' << s.slotEditor.top << " interval " << s.FInterval
      << " flags " << s.FMaximizeHost << s.FMinimizeAfterRun << s.FEditMode << " dir " << s.FLastDir
      << " dialog " << s.settingsDialog.left << ',' << s.settingsDialog.top;
}

namespace {

TEST(Settings, PathReplacesTheFileNamesExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\App\\Tabvane.exe", "C:\\App\\Tabvane.dat"},
      {"C:\\App\\a.b.exe", "C:\\App\\a.b.dat"},
      {"C:\\my.app\\Tabvane", "C:\\my.app\\Tabvane.dat"},
      {"D:Tabvane.exe", "D:Tabvane.dat"},
      {"/opt/app.d/tabvane", "/opt/app.d/tabvane.dat"},
      {"C:\\App\\v1.\x95\x5C", "C:\\App\\v1.dat"},  // 表: its second byte is not a separator
  };
  for (const auto& [exe, dat] : cases) EXPECT_EQ(SettingsPath(exe), dat) << exe;
}

// Settings other than the defaults, so that a test sees which values LoadSettings sets.
TSettings Stale() {
  TSettings s;
  s.FInterval = 1;
  s.FMaximizeHost = s.FMinimizeAfterRun = true;
  s.FEditMode = false;
  s.FLastDir = "stale";
  return s;
}

TEST(Settings, LoadReadsWhatTheFileHasAndDefaultsTheRest) {
  fakes::ScratchDir exe, last;
  const std::string exeDir = exe.path();
  const std::string lastDir = last.path();
  const std::string ten = "-1280\r\n-20\r\n400\r\n500\r\n7\r\n8\r\n50\r\nTRUE\r\n0\r\n" + lastDir + "\r\n";
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: no file
    TSettings expected;
  };
  const Case cases[] = {
      {"no file", std::nullopt, {.FLastDir = exeDir}},
      {"empty file", "", {.main = {0, 0, 0, 0}, .slotEditor = {0, 0}, .FInterval = 0, .FLastDir = exeDir}},
      {"10 lines", ten,
       {.main = {-1280, -20, 400, 500}, .slotEditor = {7, 8}, .FInterval = 50, .FMaximizeHost = true,
        .FLastDir = lastDir}},
      {"11 lines", ten + "ON\r\n",
       {.main = {-1280, -20, 400, 500}, .slotEditor = {7, 8}, .FInterval = 50, .FMaximizeHost = true,
        .FMinimizeAfterRun = true, .FLastDir = lastDir}},
      {"12 lines, LF only, folder gone", "1\n2\n3\n4\n5\n6\n7\n0\n1\n" + lastDir + "gone\n0\n0\n",
       {.main = {1, 2, 3, 4}, .slotEditor = {5, 6}, .FInterval = 7, .FEditMode = false, .FLastDir = exeDir,
        .settingsDialog = {0, 0}}},
      {"14 lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n1\r\n1\r\n\r\n1\r\n1\r\n-5\r\n-6\r\n",
       {.main = {1, 2, 3, 4}, .slotEditor = {5, 6}, .FInterval = 7, .FMaximizeHost = true,
        .FMinimizeAfterRun = true, .FLastDir = exeDir, .settingsDialog = {-5, -6}}},
      {"0x1A at a line start ends the file",
       "9\r\n\x1A\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n1\r\n0\r\n",
       {.main = {9, 0, 0, 0}, .slotEditor = {0, 0}, .FInterval = 0, .FLastDir = exeDir}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScratchDir dir;
    if (c.bytes) fakes::WriteBytes(dir / "Tabvane.dat", *c.bytes);
    TSettings settings = Stale();
    LoadSettings(fakes::PlatformFiles(), dir / "Tabvane.dat", exeDir, settings);
    EXPECT_EQ(settings, c.expected);
  }
}

TEST(Settings, AReadErrorKeepsTheDefaultsOfWhatWasNotRead) {
  const TSettings defaults{.FLastDir = "exe\\"};
  test::ForcedFiles files;
  files.forced = ReadResult{false, false, ""};
  TSettings settings = Stale();
  LoadSettings(files, "Tabvane.dat", "exe\\", settings);
  EXPECT_EQ(settings, defaults);

  files.forced = ReadResult{true, false, "1\r\n2\r\n3\r\n"};
  settings = Stale();
  LoadSettings(files, "Tabvane.dat", "exe\\", settings);
  TSettings expected = defaults;
  expected.main = {1, 2, 3, defaults.main.height};
  EXPECT_EQ(settings, expected);
}

TEST(Settings, SaveWritesFourteenLinesThatReadBackUnchanged) {
  fakes::ScratchDir exe, last;
  const TSettings saved{.main = {-1280, -20, 400, 500}, .slotEditor = {-3, 4}, .FInterval = 99999,
                        .FMaximizeHost = true, .FEditMode = false, .FLastDir = last.path(),
                        .settingsDialog = {-2147483647 - 1, 2147483647}};
  const std::string path = exe / "Tabvane.dat";
  ASSERT_TRUE(SaveSettings(fakes::PlatformFiles(), path, saved));
  EXPECT_EQ(fakes::ReadBytes(path), "-1280\r\n-20\r\n400\r\n500\r\n-3\r\n4\r\n99999\r\n1\r\n1\r\n" +
                                        last.path() +
                                        "\r\n0\r\n0\r\n-2147483648\r\n2147483647\r\n");
  TSettings read;
  LoadSettings(fakes::PlatformFiles(), path, exe.path(), read);
  EXPECT_EQ(read, saved);
}

}  // namespace
}  // namespace tabvane
