// The running exe under Wine, beside a bare window exe built the same way: time from process
// start to the first paint of its window, private memory after start-up, and CPU used while
// idle for a while (normal mode with the default interval, scanning the benchmark desktop,
// and edit mode), beside a process that does only what a normal-mode tick does (scan_bench
// --ticks: the same full scan of that desktop at the same interval) and the bare window, all
// measured over the same minute. Tabvane runs from app folders of its own: empty (a first
// start), and with the workload's command list, a menu file and a settings file. The bare
// window's twins tell the shares of Tabvane's DLLs and of its windows (the same windows with
// no logic).
//   app_bench.exe TABVANE_EXE [idle seconds] [starts]   (bare windows, scan_bench beside it)
// Prints "RESULT key value" lines (milliseconds, bytes). Win32 only.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <optional>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "bench/win32/bench_clock.h"
#include "host/win32/wide.h"
#include "host/win32/win32_files.h"
#include "model/command_list.h"
#include "model/files.h"
#include "model/settings.h"
#include "tools/driver/driver.h"

namespace tabvane::bench {
namespace {

constexpr driver::Ms kStartTimeout{30000};
constexpr DWORD kSettleMs = 1000;
constexpr int kDefaultInterval = 3000;

// An app folder: a copy of the exe, the workload's command list over pages 0 to 4 (so a
// detection never turns to the free page and stops), one menu per tab, and the settings.
bool PrepareAppFolder(const std::wstring& folder, const std::wstring& tabvaneExe, bool editMode) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring exe = folder + L"Tabvane.exe";
  if (CopyFileW(tabvaneExe.c_str(), exe.c_str(), FALSE) == 0) return false;
  Win32Files files;
  const std::string dir = SjisFromWide(folder);
  if (!WriteInPlace(files, dir + "com_list.txt", WorkloadCommandList(5))) return false;
  std::vector<TCommandEntry> entries = LoadCommandList(files, dir + "com_list.txt");
  const int32_t menus = BuildTabs(entries, {});
  const std::string menuBytes =
      MenuFileBytes(WorkloadWords(), static_cast<std::size_t>(menus), 5);
  if (!WriteInPlace(files, dir + "ga_list.txt", menuBytes)) return false;
  TSettings settings;
  settings.FEditMode = editMode;
  settings.FInterval = kDefaultInterval;
  settings.FLastDir = dir;
  return SaveSettings(files, SettingsPath(SjisFromWide(exe)), settings).ok;
}

bool Painted(HWND window) { return GetUpdateRect(window, nullptr, FALSE) == 0; }

// The process shows a top-level window of some size, and every such window of the process and
// all their visible child windows have painted; the largest of them, or nullptr. (A window of
// no size, such as an owner kept for the taskbar, shows nothing to paint.)
HWND FirstPaintedWindow(DWORD processId) {
  driver::WindowMatch match;
  match.processId = processId;
  HWND largest = nullptr;
  LONG largestArea = 0;
  for (const HWND window : driver::TopWindows(match)) {
    const RECT rect = driver::WindowRect(window);
    const LONG area = (rect.right - rect.left) * (rect.bottom - rect.top);
    if (area <= 0) continue;
    if (!Painted(window)) return nullptr;
    for (const HWND child : driver::Children(window)) {
      if (IsWindowVisible(child) != 0 && !Painted(child)) return nullptr;
    }
    if (area > largestArea) {
      largest = window;
      largestArea = area;
    }
  }
  return largest;
}

struct Started {
  driver::Process process;
  HWND window = nullptr;
  double ms = 0;  // from CreateProcess to the first painted window
};

Started StartAndWaitPainted(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                            const std::wstring& folder) {
  Started started;
  const double t0 = NowMs();
  started.process = driver::Process::Start(exe, arguments, folder);
  if (!started.process.Started()) return started;
  const double deadline = t0 + static_cast<double>(kStartTimeout.count());
  while (NowMs() < deadline && started.process.Running()) {
    started.window = FirstPaintedWindow(started.process.Id());
    if (started.window != nullptr) break;
    Sleep(1);
  }
  started.ms = NowMs() - t0;
  return started;
}

// What Windows says of a process: private bytes (PROCESS_MEMORY_COUNTERS_EX.PrivateUsage) and
// user plus kernel time in milliseconds. Wine answers these wrongly for other processes (0
// bytes; the asking process's own times), so under Wine the figures come from Linux.
struct WindowsFigures {
  double privateBytes = 0;
  double cpuMs = 0;
};

WindowsFigures FiguresOf(HANDLE process) {
  WindowsFigures figures;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters) != 0) {
    figures.privateBytes = static_cast<double>(counters.PrivateUsage);
  }
  FILETIME created{}, exited{}, kernel{}, user{};
  if (GetProcessTimes(process, &created, &exited, &kernel, &user) != 0) {
    figures.cpuMs = FileTimeMs(kernel) + FileTimeMs(user);
  }
  return figures;
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The Linux process that runs a Wine process, found by a text unique to its command line (the
// path of its app folder).
class LinuxProcess {
 public:
  static LinuxProcess Find(const std::string& commandLinePart) {
    LinuxProcess found;
    found.dir_ = driver::LinuxProcFolder(commandLinePart);
    return found;
  }

  bool Found() const { return !dir_.empty(); }

  // utime + stime of /proc/PID/stat, in clock ticks of 10 ms.
  double CpuMs() const {
    const std::optional<std::string> stat = driver::ReadFileBytes(dir_ + L"stat");
    if (!stat) return -1;
    // The fields after the command name in parentheses: state is field 3, utime 14, stime 15.
    const std::size_t close = stat->rfind(')');
    if (close == std::string::npos) return -1;
    std::vector<std::string> fields;
    std::size_t pos = close + 2;
    while (pos < stat->size()) {
      std::size_t end = stat->find(' ', pos);
      if (end == std::string::npos) end = stat->size();
      fields.push_back(stat->substr(pos, end - pos));
      pos = end + 1;
    }
    if (fields.size() < 13) return -1;
    return (std::stod(fields[11]) + std::stod(fields[12])) * 10.0;
  }

  // Anonymous memory of the process (resident and swapped): what it holds privately.
  double PrivateBytes() const {
    const std::optional<std::string> status = driver::ReadFileBytes(dir_ + L"status");
    if (!status) return -1;
    return static_cast<double>(driver::ProcStatusField(*status, "RssAnon:") +
                               driver::ProcStatusField(*status, "VmSwap:")) *
           1024;
  }

 private:
  std::wstring dir_;
};

// Private memory and CPU time of a started process: Windows' own figures, or under Wine
// those of the Linux process that runs it.
struct Measured {
  Started started;
  LinuxProcess wineProcess;

  double PrivateBytes() const {
    return wineProcess.Found() ? wineProcess.PrivateBytes()
                               : FiguresOf(started.process.Handle()).privateBytes;
  }
  double CpuMs() const {
    return wineProcess.Found() ? wineProcess.CpuMs() : FiguresOf(started.process.Handle()).cpuMs;
  }
};

// One exe in an app folder of its own; a first start removes what the previous run saved.
struct Subject {
  const char* key;
  std::wstring folder;
  std::wstring exeName;
  bool firstStart = false;
  std::vector<std::wstring> arguments = {};
};

Measured Start(const Subject& subject) {
  if (subject.firstStart) {
    for (const wchar_t* saved : {L"Tabvane.dat", L"ga_list.txt", L"Tabvane.dat.tmp"}) {
      DeleteFileW((subject.folder + saved).c_str());
    }
  }
  Measured m;
  m.started =
      StartAndWaitPainted(subject.folder + subject.exeName, subject.arguments, subject.folder);
  if (UnderWine()) m.wineProcess = LinuxProcess::Find(SjisFromWide(subject.folder + subject.exeName));
  return m;
}

bool CopyInto(const std::wstring& exe, const Subject& subject) {
  CreateDirectoryW(subject.folder.c_str(), nullptr);
  return CopyFileW(exe.c_str(), (subject.folder + subject.exeName).c_str(), FALSE) != 0;
}

// Removes a folder with everything in it.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(folder + name + L"\\");
      } else {
        DeleteFileW((folder + name).c_str());
      }
    } while (FindNextFileW(search, &data) != 0);
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

int Run(const std::wstring& tabvaneExe, int idleSeconds, int starts) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"tabvane_bench_" +
                            std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(root.c_str(), nullptr);
  const std::wstring here = driver::ExeFolder();
  const Subject bare{"bare", root + L"bare\\", L"bare.exe"};
  const Subject twin{"bare_dlls", root + L"bare_dlls\\", L"bare_dlls.exe"};
  const Subject tree{"bare_tree", root + L"bare_tree\\", L"bare_tree.exe"};
  const Subject first{"tabvane_first", root + L"first\\", L"Tabvane.exe", true};
  const Subject normal{"tabvane", root + L"normal\\", L"Tabvane.exe"};
  const Subject edit{"tabvane_edit", root + L"edit\\", L"Tabvane.exe"};
  const Subject ticks{"scan_ticks", root + L"ticks\\", L"scan_bench.exe", false,
                      {L"--ticks", std::to_wstring(kDefaultInterval)}};
  if (!CopyInto(here + L"bench_bare_window.exe", bare) ||
      !CopyInto(here + L"bench_bare_window_dlls.exe", twin) ||
      !CopyInto(here + L"bench_bare_window_tree.exe", tree) ||
      !CopyInto(here + L"scan_bench.exe", ticks) || !CopyInto(tabvaneExe, first) ||
      !PrepareAppFolder(normal.folder, tabvaneExe, false) ||
      !PrepareAppFolder(edit.folder, tabvaneExe, true)) {
    std::fprintf(stderr, "app_bench: cannot prepare the app folders in %ls\n", root.c_str());
    RemoveTree(root);
    return 1;
  }
  const int status = [&] {
    // Start-up and memory, all exes taking turns so that each sees the same load.
    const Subject* subjects[] = {&bare, &twin, &tree, &first, &normal};
    constexpr int kSubjects = 5;
    std::vector<double> startMs[kSubjects], privateBytes[kSubjects];
    for (int i = 0; i < starts; ++i) {
      for (int k = 0; k < kSubjects; ++k) {
        Measured m = Start(*subjects[k]);
        if (m.started.window == nullptr) {
          std::fprintf(stderr, "app_bench: %s showed no painted window\n", subjects[k]->key);
          return 1;
        }
        Sleep(kSettleMs);
        startMs[k].push_back(m.started.ms);
        privateBytes[k].push_back(m.PrivateBytes());
        m.started.process.Close();
        // A closed Tabvane saves its files, and the server and the X server tidy up after any
        // process: the next start, whichever exe it is, waits for a quiet machine.
        Sleep(kSettleMs);
      }
    }
    std::printf("private memory and CPU time from %s\n",
                UnderWine() ? "Linux /proc/PID (RssAnon + VmSwap; utime + stime)" : "Windows");
    for (int k = 0; k < kSubjects; ++k) {
      Result(("start_" + std::string(subjects[k]->key) + "_ms").c_str(), Median(startMs[k]));
      Result(("private_" + std::string(subjects[k]->key) + "_bytes").c_str(),
             Median(privateBytes[k]));
    }

    // Idle: the benchmark desktop gives the normal-mode Tabvane a host to scan on every tick.
    driver::Process desktop = driver::Process::Start(here + L"bench_desktop.exe");
    driver::WindowMatch hostMatch;
    hostMatch.processId = desktop.Id();
    hostMatch.title = "bench.jww - jw_win";
    if (!desktop.Started() || driver::FindTopWindow(hostMatch) == nullptr) {
      std::fprintf(stderr, "app_bench: no benchmark desktop\n");
      return 1;
    }
    // The ticking process starts last, about a second after the normal-mode Tabvane: their
    // ticks take turns rather than meet at the server.
    Measured runs[] = {Start(normal), Start(edit), Start(bare), Start(ticks)};
    constexpr int kRuns = 4;
    for (const Measured& m : runs) {
      if (m.started.window == nullptr) {
        std::fprintf(stderr, "app_bench: an idle run did not start\n");
        return 1;
      }
    }
    Sleep(2 * kSettleMs);
    // The normal-mode Tabvane must have the benchmark host in its selector: its ticks scan it.
    bool hostListed = false;
    const HWND combo = driver::FindChild(runs[0].started.window, L"ComboBox");
    for (const std::string& item : driver::ComboItems(combo)) {
      if (item.find("bench.jww - jw_win") != std::string::npos) hostListed = true;
    }
    double used[kRuns];
    for (int i = 0; i < kRuns; ++i) used[i] = runs[i].CpuMs();
    const double t0 = NowMs();
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    const double elapsed = NowMs() - t0;
    for (int i = 0; i < kRuns; ++i) used[i] = runs[i].CpuMs() - used[i];
    std::printf("idle: %.0f ms; benchmark host %s in the normal-mode selector\n", elapsed,
                hostListed ? "listed" : "NOT listed");
    Result("idle_ms", elapsed);
    Result("idle_scans", elapsed / kDefaultInterval);
    Result("idle_host_listed", hostListed ? 1 : 0);
    Result("idle_normal_cpu_ms", used[0]);
    Result("idle_edit_cpu_ms", used[1]);
    Result("idle_bare_cpu_ms", used[2]);
    Result("idle_scan_ticks_cpu_ms", used[3]);
    for (Measured& m : runs) m.started.process.Close();
    desktop.Close();
    return 0;
  }();
  RemoveTree(root);
  return status;
}

}  // namespace
}  // namespace tabvane::bench

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: app_bench TABVANE_EXE [idle seconds] [starts]\n");
    return 2;
  }
  const int idleSeconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 60;
  const int starts = argc > 3 ? std::max(1, _wtoi(argv[3])) : 9;
  return tabvane::bench::Run(argv[1], idleSeconds, starts);
}
