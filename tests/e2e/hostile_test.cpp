// Hostile and huge input files: Tabvane.exe starts on them, stays responsive, runs a slot where a
// menu survives, keeps its memory in proportion to the input and closes cleanly (exit code 0, no
// error dialog). Under Wine the memory figure comes from the Linux process's /proc entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <random>
#include <set>

#include "host/win32/wide.h"
#include "tests/e2e/rig.h"

namespace tabvane::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kCommandFile = "com_list.txt";
constexpr std::string_view kMenuFile = "ga_list.txt";
constexpr std::string_view kSettingsFile = "Tabvane.dat";
constexpr std::size_t kMiB = std::size_t{1} << 20;

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 engine(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(engine));
  return bytes;
}

// A line repeated until the text has at least size bytes.
std::string Repeated(std::string_view line, std::size_t size) {
  std::string bytes;
  bytes.reserve(size + line.size());
  while (bytes.size() < size) bytes += line;
  return bytes;
}

// Resident memory of the Linux process that runs a Wine process, read through drive Z:. The
// process is found by a text of its command line (the full path of its exe).
class LinuxMemory {
 public:
  explicit LinuxMemory(const std::string& commandLinePart) {
    const std::wstring dir = drv::LinuxProcFolder(commandLinePart);
    if (!dir.empty()) status_ = dir + L"status";
  }

  bool Found() const { return !status_.empty(); }

  // Remembers the largest anonymous (private) resident size and resident peak seen so far;
  // false once the process is gone.
  bool Sample() {
    const std::optional<std::string> status = drv::ReadFileBytes(status_);
    if (!status || status->empty()) return false;
    peakAnonKb_ = std::max(peakAnonKb_, drv::ProcStatusField(*status, "RssAnon:"));
    peakRssKb_ = std::max(peakRssKb_, drv::ProcStatusField(*status, "VmHWM:"));
    return true;
  }

  double PeakAnonMiB() const { return static_cast<double>(peakAnonKb_) / 1024.0; }
  double PeakRssMiB() const { return static_cast<double>(peakRssKb_) / 1024.0; }

 private:
  std::wstring status_;
  long long peakAnonKb_ = 0;
  long long peakRssKb_ = 0;
};

// Windows of the dialog class, in which Wine shows its crash report too.
std::set<HWND> DialogWindows() {
  drv::WindowMatch match;
  match.className = L"#32770";
  const std::vector<HWND> found = drv::TopWindows(match);
  return {found.begin(), found.end()};
}

// What is written over the sample files of a rig: nothing for a file kept as the sample.
struct Inputs {
  std::optional<std::string> commands, menus, settings;
};

// Starts Tabvane on the inputs beside the stand-in, runs slot 0 of the first menu (or, without
// one, checks that the window answers and keeps its start caption), closes it and checks the
// end. Prints start time and memory for the record.
void StartUseAndClose(const char* name, Rig& rig, const Inputs& in, bool slotRuns,
                      int firstPageTabs = 2) {
  std::size_t inputBytes = 0;
  for (const auto& [file, bytes] : {std::pair{kCommandFile, &in.commands},
                                    std::pair{kMenuFile, &in.menus},
                                    std::pair{kSettingsFile, &in.settings}}) {
    if (*bytes) {
      rig.WriteAppFile(file, **bytes);
      inputBytes += (*bytes)->size();
    } else {
      inputBytes += rig.AppFile(file).size();
    }
  }
  const std::set<HWND> dialogsBefore = DialogWindows();
  rig.StartHost();

  const Clock::time_point started = Clock::now();
  rig.StartTabvane();
  const double startS = std::chrono::duration<double>(Clock::now() - started).count();
  ASSERT_NE(rig.Main(), nullptr);
  if (slotRuns) {
    EXPECT_EQ(drv::TabCount(rig.ActiveStrip()), firstPageTabs);
  }
  LinuxMemory memory(rig.AppPath("Tabvane.exe"));
  EXPECT_TRUE(memory.Found() && memory.Sample()) << "no /proc entry of Tabvane's process";

  if (slotRuns) {
    ASSERT_TRUE(rig.Focus());
    drv::TypeText(L"0");
    const std::string path = rig.BatchPath(kSampleSlots[0].file);
    EXPECT_EQ(rig.WaitHostLog(1), "run " + path);
    EXPECT_EQ(rig.Bridge().value_or("(missing)"), BridgeBytes(path));
  } else {
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(rig.Main(), WM_NULL, 0, 0, SMTO_NORMAL,
                                  static_cast<UINT>(kWait.count()), &result),
              0)
        << "the main window does not answer";
    EXPECT_EQ(drv::WindowText(rig.Main()), kStartCaption);
  }
  memory.Sample();

  // The shutdown writes the files again, so memory is watched until the process is gone.
  PostMessageW(rig.Main(), WM_CLOSE, 0, 0);
  std::optional<DWORD> exitCode;
  drv::WaitUntil(
      [&] {
        memory.Sample();
        exitCode = rig.WaitTabvaneExit(drv::Ms{0});
        return exitCode.has_value();
      },
      drv::Ms{30000}, drv::Ms{10});
  EXPECT_EQ(exitCode, std::optional<DWORD>(0)) << "no clean end after WM_CLOSE";
  std::set<HWND> dialogsAfter = DialogWindows();
  for (const HWND old : dialogsBefore) dialogsAfter.erase(old);
  for (const HWND dialog : dialogsAfter) {
    ADD_FAILURE() << "a dialog appeared: " << drv::WindowText(dialog);
  }

  const double inputMiB = static_cast<double>(inputBytes) / static_cast<double>(kMiB);
  EXPECT_LT(memory.PeakAnonMiB(), 4 * inputMiB + 64) << "memory out of proportion to the input";
  std::printf(
      "[hostile] %-40s input %8.2f MiB  start %6.2f s  anon peak %7.1f MiB  rss peak %7.1f MiB\n",
      name, inputMiB, startS, memory.PeakAnonMiB(), memory.PeakRssMiB());
}

TEST(E2eHostile, GarbageFilesStartAndCloseCleanly) {
  struct Case {
    const char* name;
    // From the sample command list and menu file: the hostile texts.
    Inputs (*inputs)(const std::string& commands, const std::string& menus);
    bool slotRuns;  // the command list still opens page 0's first tab on the sample's first menu
  };
  const Case cases[] = {
      {"random bytes in every file",
       [](const std::string&, const std::string&) {
         return Inputs{RandomBytes(64 * 1024, 1), RandomBytes(64 * 1024, 2), RandomBytes(4096, 3)};
       },
       false},
      {"random bytes after valid lists, random settings",
       [](const std::string& c, const std::string& m) {
         return Inputs{c + RandomBytes(256 * 1024, 4), m + RandomBytes(256 * 1024, 5),
                       RandomBytes(4096, 6)};
       },
       true},
      {"NUL bytes in every file",
       [](const std::string&, const std::string&) {
         const std::string nul(64 * 1024, '\0');
         return Inputs{nul, nul, nul};
       },
       false},
      {"NUL bytes after valid lists",
       [](const std::string& c, const std::string& m) {
         const std::string nul(64 * 1024, '\0');
         return Inputs{c + nul, m + nul + "\t" + nul, nul};
       },
       true},
      {"a lone 0x1A in every file",
       [](const std::string&, const std::string&) {
         return Inputs{std::string("\x1A"), std::string("\x1A"), std::string("\x1A")};
       },
       false},
      {"10 MB lines without a line end",
       [](const std::string& c, const std::string& m) {
         const std::string half(5 * kMiB, 'x');
         return Inputs{c + half + "\t" + half, m + half + "\t" + half, std::string(10 * kMiB, '9')};
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    StartUseAndClose(c.name, rig, c.inputs(rig.AppFile(kCommandFile), rig.AppFile(kMenuFile)),
                     c.slotRuns);
  }
}

TEST(E2eHostile, AbsurdSettingsStillRunASlot) {
  struct Case {
    const char* name;
    Settings settings;
    std::size_t folderLineBytes;  // line 10 as a folder path of that many bytes; 0: the app folder
  };
  const Case cases[] = {
      {"huge bounds, interval 0", Settings{INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0}, 0},
      {"negative bounds, interval -1", Settings{INT_MIN, INT_MIN, -1, -100, -1}, 0},
      {"huge interval, 1 MB folder line", Settings{192, 107, 387, 483, INT_MAX}, kMiB},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    const std::string folder = c.folderLineBytes == 0
                                   ? rig.AppPath("")
                                   : "C:\\" + std::string(c.folderLineBytes, 'd');
    StartUseAndClose(c.name, rig, Inputs{{}, {}, SettingsFileBytes(c.settings, folder)}, true);
  }
}

// A menu file of some 100 MB: the sample's menus and one slot line repeated, all kept as lines
// beyond the command list's menus and written back at the end.
TEST(E2eHostile, HugeMenuFile) {
  Rig rig;
  const std::string_view line =
      "Some transform\tC:\\Program Files\\jww\\transforms\\some_transform.bat\r\n";
  const std::string slots = Repeated(line, 100 * kMiB);
  const std::string menus = rig.AppFile(kMenuFile) + slots;
  StartUseAndClose("100 MB ga_list.txt", rig, Inputs{{}, menus, {}}, true);
  // Written back in blocks of a menu's slots, each followed by an empty line.
  const std::size_t blocks = (slots.size() / line.size() + kSlotCount - 1) / kSlotCount;
  EXPECT_EQ(rig.AppFile(kMenuFile).size(), menus.size() + 2 * blocks);
}

TEST(E2eHostile, ManyCommandEntriesAndTabs) {
  struct Case {
    const char* name;
    std::string commands;
    bool afterSample;  // appended to the sample command list
    int firstPageTabs;
  };
  // 10,000 entries with keywords on pages beyond the six shown ones: no tabs, but the
  // automatic switching walks them all at every look at the host.
  std::string beyond = "\r\nextra\r\n";
  for (int k = 0; k < 10000; ++k) {
    const std::string n = std::to_string(k);
    beyond.append("T").append(n).append("\tkw").append(n).append(",x").append(n).append("\r\n");
  }
  // 3,000 tabs on page 0 (names alternate, so each line opens one), then the sample's pages.
  // ﾌｧｲﾙ, then the sample's first tab: 線 TAB 線,水平・垂直
  std::string tabs =
      "\xCC\xA7\xB2\xD9\r\n\x90\xFC\t\x90\xFC,\x90\x85\x95\xBD\x81\x45\x90\x82\x92\xBC\r\n";
  for (int k = 1; k < 3000; ++k) {
    const std::string n = std::to_string(k);
    tabs.append("Tab").append(n).append("\tkw").append(n).append("\r\n");
  }
  // 編集, 作図, 設定, その他, フリー
  tabs += "\x95\xD2\x8F\x57\r\n\x8D\xEC\x90\x7D\r\n\x90\xDD\x92\xE8\r\n\x82\xBB\x82\xCC\x91\xBC\r\n"
          "\x83\x74\x83\x8A\x81\x5B\r\n";
  const Case cases[] = {{"10,000 entries beyond the pages", beyond, true, 2},
                        {"3,000 tabs on one page", tabs, false, 3000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    const std::string commands = c.afterSample ? rig.AppFile(kCommandFile) + c.commands
                                               : c.commands;
    StartUseAndClose(c.name, rig, Inputs{commands, {}, {}}, true, c.firstPageTabs);
  }
}

// A menu file the user made read-only is left as it is at the end, and no temporary file
// stays beside it. Lines that end in LF only read as the menus do but differ from what Tabvane
// writes: the close says that the menus could not be saved and asks whether to try again, and
// No closes. Lines as Tabvane writes them differ in nothing: the close writes nothing and asks
// nothing.
TEST(E2eHostile, ReadOnlyMenuFileSurvivesTheEnd) {
  for (const bool lfOnly : {true, false}) {
    SCOPED_TRACE(lfOnly ? "LF only: asked" : "as written: not asked");
    Rig rig;
    std::string menus = rig.AppFile(kMenuFile);
    for (std::size_t at = menus.find("\r\n"); lfOnly && at != std::string::npos;
         at = menus.find("\r\n", at)) {
      menus.erase(at, 1);
    }
    rig.WriteAppFile(kMenuFile, menus);
    const std::wstring path = WideFromSjis(rig.AppPath(kMenuFile));
    ASSERT_NE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY), 0);
    rig.StartHost();
    rig.StartTabvane();
    PostMessageW(rig.Main(), WM_CLOSE, 0, 0);
    if (lfOnly) {
      drv::WindowMatch question;
      question.processId = rig.TabvaneProcessId();
      question.className = L"#32770";
      question.title = "Tabvane";
      const HWND box = drv::FindTopWindow(question, kWait);
      ASSERT_NE(box, nullptr) << "no question at the close";
      const HWND text = drv::FindChildById(box, 0xFFFF);  // the box's static text
      EXPECT_NE(drv::WindowText(text).find(rig.AppPath(kMenuFile)), std::string::npos);
      PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
    EXPECT_EQ(rig.WaitTabvaneExit(), std::optional<DWORD>(0));
    EXPECT_EQ(rig.AppFile(kMenuFile), menus);
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(GetFileAttributesW(WideFromSjis(rig.AppPath("ga_list.txt.tmp")).c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "a temporary file was left";
    if (!lfOnly) {
      EXPECT_EQ(GetFileAttributesW(WideFromSjis(rig.AppPath("ga_list.bak")).c_str()),
                INVALID_FILE_ATTRIBUTES)
          << "a backup of menus nobody changed";
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the scratch folder can go
  }
}

// A menu file another program holds open for a moment (antivirus, the search indexer) while an
// edit saves it: the save waits for it, and no caption says that it failed.
TEST(E2eHostile, AMenuFileHeldForAMomentIsSavedAllTheSame) {
  Rig rig;
  rig.StartHost();
  rig.StartTabvane();
  ASSERT_TRUE(rig.Focus());
  const std::string before = rig.AppFile(kMenuFile);
  // Open as such programs open a file: others may read and write it, but not replace it.
  const HANDLE held =
      CreateFileW(WideFromSjis(rig.AppPath(kMenuFile)).c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  rig.ClickRow(1);
  drv::PressKey(VK_DELETE);
  Sleep(300);  // the other program's moment, not a wait for Tabvane
  CloseHandle(held);
  EXPECT_TRUE(drv::WaitUntil([&] { return rig.AppFile(kMenuFile) != before; }, kWait))
      << "the edit was never saved";
  // 保存できません
  const std::string cantSave = "\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
  EXPECT_EQ(drv::WindowText(rig.Main()).find(cantSave), std::string::npos)
      << drv::WindowText(rig.Main());
  ASSERT_TRUE(rig.CloseTabvane());
}

}  // namespace
}  // namespace tabvane::e2e
