// Fault injection on saving the menu file and the settings file, on real files (natively and
// under Wine): whatever step fails, or wherever the program stops, the previous file is left
// byte for byte and no temporary file stays behind where it can be removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "model/menus.h"
#include "model/settings.h"
#include "tests/fakes/faulty_files.h"
#include "tests/fakes/platform_files.h"

#ifdef _WIN32
#include <windows.h>

#include "host/win32/wide.h"
#endif

namespace tabvane {
namespace {

using fakes::FaultyFiles;
using fakes::PlatformFiles;
using fakes::ReadBytes;
using fakes::ScratchDir;
using fakes::WriteBytes;
using Faults = FaultyFiles::Faults;

// One of the two files saved at shutdown: its name, the bytes a previous run left and a save
// of different contents.
struct SavedFile {
  const char* name;
  std::string oldBytes;
  std::function<SaveResult(Files&, const std::string&)> save;
  std::string newBytes;
};

std::vector<SavedFile> SavedFiles() {
  MenuStore store;
  store.FMenus.resize(2);
  store.FMenus[0].Names[0] = "\x90\xFC";  // 線
  store.FMenus[0].BatchFiles[0] = "C:\\jw\\line.bat";
  store.FMenus[1].Names[35] = "last";
  store.surplusLines = {"kept\tC:\\jw\\kept.bat"};
  TSettings settings;
  settings.main = {-1200, 40, 500, 600};
  settings.FInterval = 1500;
  settings.FEditMode = false;
  settings.FLastDir = "C:\\jw\\";
  return {
      {"ga_list.txt", "old\tC:\\old.bat\r\n\r\n",
       [store](Files& files, const std::string& path) { return SaveMenus(files, path, store); },
       MenuFileBytes(store)},
      {"Tabvane.dat", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n3000\r\n0\r\n1\r\nC:\\\r\n0\r\n1\r\n7\r\n8\r\n",
       [settings](Files& files, const std::string& path) { return SaveSettings(files, path, settings); },
       SettingsFileBytes(settings)},
  };
}

// The names of the files in a folder, sorted.
std::vector<std::string> Listing(const ScratchDir& dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(dir.path()), error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

enum class Outcome { Saved, Failed, Stopped };
enum class TempAfter { None, NewBytes };

TEST(SaveFaults, PreviousFileSurvivesEveryFailedStep) {
  const struct {
    const char* fault;
    Faults faults;
    bool staleTemp;    // a temporary file left by an earlier run that stopped
    bool oldFile;      // a previous file exists
    Outcome outcome;
    TempAfter temp;
    int replaces = 0;  // the tries of the replace, when they count
  } cases[] = {
      {"no fault", {}, false, true, Outcome::Saved, TempAfter::None},
      {"no fault, stale temporary", {}, true, true, Outcome::Saved, TempAfter::None},
      {"temporary cannot be created", {.failCreate = true}, false, true, Outcome::Failed, TempAfter::None},
      {"temporary cannot be created, stale temporary", {.failCreate = true}, true, true, Outcome::Failed,
       TempAfter::None},
      {"1st write fails half-way", {.failWriteCall = 1}, false, true, Outcome::Failed, TempAfter::None},
      {"close (flush) fails", {.failClose = true}, false, true, Outcome::Failed, TempAfter::None},
      {"replace fails", {.failReplace = true}, false, true, Outcome::Failed, TempAfter::None, 1},
      {"file held for 3 tries, then let go", {.holdReplace = 3}, false, true, Outcome::Saved,
       TempAfter::None, 4},
      {"file held longer than the tries", {.holdReplace = 99}, false, true, Outcome::Failed,
       TempAfter::None, kReplaceTries},
      {"replace fails, temporary cannot be removed", {.failReplace = true, .failRemove = true}, false, true,
       Outcome::Failed, TempAfter::NewBytes},
      {"stopped before the replace", {.stopBeforeReplace = true}, false, true, Outcome::Stopped,
       TempAfter::NewBytes},
      {"no previous file, 1st write fails", {.failWriteCall = 1}, false, false, Outcome::Failed, TempAfter::None},
      {"no previous file, replace fails", {.failReplace = true}, false, false, Outcome::Failed, TempAfter::None},
  };
  for (const SavedFile& file : SavedFiles()) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(file.name) + ": " + c.fault);
      ScratchDir dir;
      ASSERT_FALSE(dir.path().empty());
      const std::string path = dir / file.name;
      const std::string temp = path + ".tmp";
      if (c.oldFile) WriteBytes(path, file.oldBytes);
      if (c.staleTemp) WriteBytes(temp, "half a file from an earlier run");

      FaultyFiles files(PlatformFiles(), c.faults);
      Outcome outcome = Outcome::Stopped;
      try {
        outcome = file.save(files, path) ? Outcome::Saved : Outcome::Failed;
      } catch (const FaultyFiles::Stopped&) {
      }
      EXPECT_EQ(outcome, c.outcome);
      if (c.replaces > 0) {
        EXPECT_EQ(files.replaceCalls, c.replaces);
        EXPECT_EQ(files.pausedMs, (c.replaces - 1) * static_cast<int>(kReplacePauseMs));
      }

      std::vector<std::string> expected;
      if (c.oldFile || c.outcome == Outcome::Saved) expected.push_back(file.name);
      if (c.temp == TempAfter::NewBytes) expected.push_back(std::string(file.name) + ".tmp");
      EXPECT_EQ(Listing(dir), expected);
      if (c.outcome == Outcome::Saved) {
        EXPECT_EQ(ReadBytes(path), file.newBytes);
      } else if (c.oldFile) {
        EXPECT_EQ(ReadBytes(path), file.oldBytes);
      }
      if (c.temp == TempAfter::NewBytes) {
        EXPECT_EQ(ReadBytes(temp), file.newBytes);
      }

      // The next save without faults succeeds and clears up whatever was left.
      ASSERT_TRUE(file.save(PlatformFiles(), path));
      EXPECT_EQ(ReadBytes(path), file.newBytes);
      EXPECT_EQ(Listing(dir), std::vector<std::string>{file.name});
    }
  }
}

// Bytes equal to the file's: no temporary file, no replace, so a read-only file or place is no
// failure when nothing changed.
TEST(SaveFaults, UnchangedBytesWriteNothing) {
  for (const SavedFile& file : SavedFiles()) {
    SCOPED_TRACE(file.name);
    ScratchDir dir;
    const std::string path = dir / file.name;
    WriteBytes(path, file.newBytes);
    FaultyFiles files(PlatformFiles(), {.failCreate = true, .failReplace = true});
    EXPECT_TRUE(file.save(files, path));
    EXPECT_EQ(files.createCalls, 0);
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{file.name});
  }
}

TEST(SaveFaults, MenusThatCouldNotBeReadAreNeverWritten) {
  ScratchDir dir;
  const std::string path = dir / "ga_list.txt";
  const std::string old = "a\tb\r\n";
  WriteBytes(path, old);
  MenuStore store;
  store.FMenus.resize(1);
  store.unreadable = true;
  EXPECT_FALSE(SaveMenus(PlatformFiles(), path, store));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(Listing(dir), std::vector<std::string>{"ga_list.txt"});
}

// True when a folder without write permission really refuses new files: not so for root, and
// not under Wine, where a folder's read-only attribute does not restrict what goes into it.
bool FolderPermissionsEnforced(const ScratchDir& dir) {
#ifdef _WIN32
  (void)dir;
  return false;
#else
  namespace fs = std::filesystem;
  const fs::path probe(dir / "probe");
  std::error_code error;
  fs::create_directory(probe, error);
  fs::permissions(probe, fs::perms::owner_read | fs::perms::owner_exec, error);
  const bool refused = PlatformFiles().Create((dir / "probe/x")) == nullptr;
  fs::permissions(probe, fs::perms::owner_all, error);
  fs::remove_all(probe, error);
  return refused;
#endif
}

// Sets or clears the file's read-only attribute (Windows) or write permission (POSIX).
void SetReadOnly(const std::string& path, bool readOnly) {
#ifdef _WIN32
  SetFileAttributesW(WideFromSjis(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
  namespace fs = std::filesystem;
  std::error_code error;
  fs::permissions(fs::path(path), readOnly ? fs::perms::owner_read : fs::perms::owner_read | fs::perms::owner_write,
                  error);
#endif
}

// True when the platform refuses to replace a read-only file, as Windows does. Wine running as
// root replaces it all the same, and a POSIX rename never looks at the target's own permission
// bits: there the refusal is injected instead.
bool ReadOnlyFileRefusesReplace(const ScratchDir& dir) {
  const std::string probe = dir / "probe.txt";
  WriteBytes(probe, "old");
  WriteBytes(dir / "probe.new", "new");
  SetReadOnly(probe, true);
  const bool refused = !PlatformFiles().Replace(dir / "probe.new", probe);
  SetReadOnly(probe, false);
  PlatformFiles().Remove(probe);
  PlatformFiles().Remove(dir / "probe.new");
  return refused;
}

TEST(SaveFaults, ReadOnlyFileOrFolderLeavesThePreviousFile) {
  for (const SavedFile& file : SavedFiles()) {
    {
      SCOPED_TRACE(std::string(file.name) + ": read-only file");
      ScratchDir dir;
      const std::string path = dir / file.name;
      const bool real = ReadOnlyFileRefusesReplace(dir);
      WriteBytes(path, file.oldBytes);
      SetReadOnly(path, true);
      FaultyFiles files(PlatformFiles(), {.failReplace = !real});
      EXPECT_FALSE(file.save(files, path));
      SetReadOnly(path, false);
      EXPECT_EQ(ReadBytes(path), file.oldBytes);
      EXPECT_EQ(Listing(dir), std::vector<std::string>{file.name});
    }
    {
      SCOPED_TRACE(std::string(file.name) + ": read-only folder");
      ScratchDir dir;
      const std::string path = dir / file.name;
      WriteBytes(path, file.oldBytes);
      const bool real = FolderPermissionsEnforced(dir);
      std::error_code error;
      namespace fs = std::filesystem;
      if (real) fs::permissions(fs::path(dir.path()), fs::perms::owner_read | fs::perms::owner_exec, error);
      FaultyFiles files(PlatformFiles(), {.failCreateIn = real ? std::string() : dir.path()});
      EXPECT_FALSE(file.save(files, path));
      if (real) fs::permissions(fs::path(dir.path()), fs::perms::owner_all, error);
      EXPECT_EQ(ReadBytes(path), file.oldBytes);
      EXPECT_EQ(Listing(dir), std::vector<std::string>{file.name});
    }
  }
}

}  // namespace
}  // namespace tabvane
