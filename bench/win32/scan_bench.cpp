// What one tick costs on a real desktop under Wine: a full ScanHost (TForm1's scan with the host
// logic, Win32Platform, the shell's real ComboBox1 and ListBox1, in-memory pages, tabs and grids) with 300 unrelated
// top-level windows and a host with 200 children,
// against the bare platform loop (the same user32 calls, no logic) in the same run; and the
// logic's own share, timed on a recording of that desktop replayed from memory; and the
// 100 ms wait of a launch (WaitMs on the real message queue).
//   scan_bench.exe [repetitions]
// And a process that only ticks, for app_bench to set beside an idle Tabvane: the same full
// scan of the benchmark desktop (which must be running) every interval, until it is closed.
//   scan_bench.exe --ticks INTERVAL_MS
// Prints "RESULT key value" lines (milliseconds, counts). Win32 only.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "bench/win32/bench_clock.h"
#include "host/host_scan.h"
#include "host/win32/win32_platform.h"
#include "model/command_list.h"
#include "model/menus.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_views.h"
#include "tools/driver/driver.h"
#include "ui/dpi.h"
#include "ui/form1.h"
#include "ui/win32/controls.h"

namespace tabvane::bench {
namespace {

constexpr char kHostTitle[] = "bench.jww - jw_win";

// User plus kernel time of the calling thread, counted in coarse steps (10 ms under Wine, whose
// figure is its Linux thread's): only sums over many scans mean anything.
double ThreadCpuMs() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  return FileTimeMs(kernel) + FileTimeMs(user);
}

// The user32 calls of a scan and nothing else: owner, visibility and caption of every
// top-level window, then of every descendant of the host.
struct BareLoop {
  HWND host = nullptr;
  std::size_t units = 0;
  std::array<wchar_t, 511> buffer{};
};

BOOL CALLBACK BareVisit(HWND window, LPARAM param) noexcept {
  BareLoop& loop = *reinterpret_cast<BareLoop*>(param);
  if (GetWindow(window, GW_OWNER) == nullptr && IsWindowVisible(window)) {
    loop.units += static_cast<std::size_t>(
        GetWindowTextW(window, loop.buffer.data(), static_cast<int>(loop.buffer.size())));
  }
  return TRUE;
}

void BareScan(BareLoop& loop) {
  EnumWindows(BareVisit, reinterpret_cast<LPARAM>(&loop));
  EnumChildWindows(loop.host, BareVisit, reinterpret_cast<LPARAM>(&loop));
}

// The desktop as one scan saw it, answered from memory: what remains of a scan's time here is
// the logic's own (host list, caption list, detection, switching).
class ReplayDesktop : public HostPlatform {
 public:
  struct Window {
    WindowHandle handle = 0;
    WindowHandle owner = 0;
    bool visible = false;
    std::string text;
    std::string className;
  };

  ReplayDesktop(HostPlatform& real, WindowHandle target) : target_(target) {
    const auto record = [&](std::vector<Window>& into) {
      return [&real, &into](WindowHandle window) {
        into.push_back({window, real.Owner(window), real.IsVisible(window),
                        real.WindowText(window), real.ClassName(window)});
        return true;
      };
    };
    real.EnumTopLevelWindows(record(top_));
    real.EnumChildWindows(target, record(children_));
    foreground_ = real.ForegroundWindow();
  }

  std::size_t TopCount() const { return top_.size(); }
  std::size_t ChildCount() const { return children_.size(); }

  void EnumTopLevelWindows(const WindowProc& proc) override { Walk(top_, proc); }
  void EnumChildWindows(WindowHandle parent, const WindowProc& proc) override {
    if (parent == target_) Walk(children_, proc);
  }
  WindowHandle Owner(WindowHandle window) override { return Find(window).owner; }
  bool IsVisible(WindowHandle window) override { return Find(window).visible; }
  std::string WindowText(WindowHandle window) override { return Find(window).text; }
  std::string ClassName(WindowHandle window) override { return Find(window).className; }
  WindowHandle ForegroundWindow() override { return foreground_; }
  bool IsWindow(WindowHandle window) override { return window == target_; }
  void ShowWindowAsync(WindowHandle, bool) override {}
  void SetForegroundWindow(WindowHandle) override {}
  bool IsKeyDown(uint8_t) override { return false; }
  std::size_t SendKeys(const std::vector<KeyEvent>& events) override { return events.size(); }
  std::optional<std::string> ProcessImagePath(WindowHandle) override { return std::nullopt; }
  std::optional<uint32_t> IntegrityLevel(WindowHandle) override { return std::nullopt; }
  std::optional<std::string> ClassesRootDefaultValue(std::string_view) override {
    return std::nullopt;
  }
  std::optional<VirtualStore> FileVirtualization(WindowHandle) override { return std::nullopt; }
  std::string TempFolder() override { return {}; }
  bool OnNetworkDrive(const std::string&) override { return false; }
  Files& FileSystem() override { return real_files_; }
  TextCodec& Codec() override { return codec_; }
  uint32_t TickCount() override { return GetTickCount(); }
  void PumpMessages() override {}

 private:
  void Walk(const std::vector<Window>& windows, const WindowProc& proc) {
    for (const Window& window : windows) {
      current_ = &window;
      if (!proc(window.handle)) break;
    }
    current_ = nullptr;
  }
  // The window being enumerated is the one asked about; anything else is looked up.
  const Window& Find(WindowHandle handle) const {
    if (current_ != nullptr && current_->handle == handle) return *current_;
    for (const std::vector<Window>* list : {&top_, &children_}) {
      for (const Window& window : *list) {
        if (window.handle == handle) return window;
      }
    }
    return none_;
  }

  WindowHandle target_;
  WindowHandle foreground_ = 0;
  std::vector<Window> top_;
  std::vector<Window> children_;
  const Window* current_ = nullptr;
  Window none_;
  Win32Files real_files_;
  Win32Codec codec_;
};

// TForm1 on the given controls and platform, its dialogs and window in memory.
struct Scanner {
  Scanner(const MainControls& controls, HostPlatform& platform)
      : form2(editorView, platform.FileSystem()),
        form(controls, view, platform, form2, form3, "C:\\bench\\Tabvane.exe") {}

  fakes::FakeMainFormView view;
  fakes::FakeSlotEditorView editorView;
  fakes::FakeSettingsDialogView settingsView;
  TForm2 form2;
  TForm3 form3{settingsView};
  TForm1 form;
};

// The workload's command entries over pages 0 to 4 with numbered menus, normal mode, page 0.
void SetUpState(MainState& state, fakes::FakeMainControls& controls) {
  const MainControls view = controls.View();
  int32_t tab = 0;
  for (std::string& list : WorkloadKeywordLists()) {
    TCommandEntry entry;
    entry.Page = tab % 5;
    entry.TabIndex = tab / 5;
    entry.TabName = "tab " + std::to_string(tab);
    entry.Keywords = std::move(list);
    state.FEntries.push_back(std::move(entry));
    ++tab;
  }
  const int32_t menus = BuildTabs(state.FEntries, view.TabControls);
  state.menus.FMenus.resize(static_cast<std::size_t>(menus));
  for (TMenu& menu : state.menus.FMenus) {
    for (std::size_t s = 0; s < kSlotCount; ++s) {
      menu.Names[s] = "slot " + std::to_string(s);
      menu.BatchFiles[s] = "C:\\jww\\slot" + std::to_string(s) + ".bat";
    }
  }
  state.settings.FEditMode = false;
  state.settings.FInterval = 3000;
  controls.pages.active = 0;
}

// TForm1 scanning the benchmark desktop as an idle Tabvane's ticks do: Win32Platform, the
// shell's real ComboBox1 and ListBox1 on a window of their own, the workload's state, and a
// command list beside it that the first tick reads; from then on every tick finds it unchanged
// and only asks for its stamp.
class FullScanRig {
 public:
  FullScanRig() = default;
  FullScanRig(const FullScanRig&) = delete;
  FullScanRig& operator=(const FullScanRig&) = delete;
  ~FullScanRig() {
    if (!listPath_.empty()) platform_.FileSystem().Remove(listPath_);
    if (parent_ != nullptr) DestroyWindow(parent_);
  }

  // Builds the rig and scans once: the host must become the target with all its captions.
  bool Open(HWND host, bool visible) {
    const MainControls view = controls_.View();
    parent_ = CreateWindowExW(0, L"STATIC", L"scan bench",
                              WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (parent_ == nullptr ||
        !combo_.Create(parent_, 1, nullptr, USER_DEFAULT_SCREEN_DPI, design::kComboBox1.width) ||
        !list_.Create(parent_, 2, nullptr, USER_DEFAULT_SCREEN_DPI)) {
      std::fprintf(stderr, "scan_bench: no controls\n");
      return false;
    }
    const MainControls realView{view.PageControl1, view.TabControls, view.StringGrids, combo_,
                                list_, view.Timer1};
    scanner_.emplace(realView, platform_);
    TForm1& form = scanner_->form;
    SetUpState(form.state, controls_);
    form.state.FExeDir = platform_.TempFolder();
    listPath_ = form.state.FExeDir + "com_list.txt";
    if (!WriteInPlace(platform_.FileSystem(), listPath_, "p\r\nA\tx\r\n")) {
      std::fprintf(stderr, "scan_bench: no command list\n");
      return false;
    }
    // The first tick reads that list; the workload's state stays what is scanned.
    const MainState workload = form.state;
    form.Timer1Timer();
    form.state = workload;
    form.ScanHost();
    if (form.state.FTargetWnd != ToWindowHandle(host) || list_.Count() != kCaptionCount) {
      std::fprintf(stderr, "scan_bench: the scan missed the host (%d captions)\n", list_.Count());
      return false;
    }
    return true;
  }

  TForm1& Form() { return scanner_->form; }
  HWND Window() const { return parent_; }
  Win32Platform& Platform() { return platform_; }
  fakes::FakeMainControls& Controls() { return controls_; }

 private:
  Win32Platform platform_;
  fakes::FakeMainControls controls_;
  HWND parent_ = nullptr;
  ComboBoxControl combo_;
  TextListControl list_;
  std::optional<Scanner> scanner_;
  std::string listPath_;
};

HWND FindBenchHost(DWORD processId) {
  driver::WindowMatch hostMatch;
  hostMatch.processId = processId;
  hostMatch.title = kHostTitle;
  return driver::FindTopWindow(hostMatch);
}

// Ticks as an idle Tabvane in normal mode does, and does nothing else: a tick (the command
// list's stamp, then the full scan of the benchmark desktop's host) every interval, on a shown
// window, until that window is asked to close. app_bench measures its CPU time beside an idle
// Tabvane's, at the same time and in the same way.
int Tick(int intervalMs) {
  const HWND host = FindBenchHost(0);
  if (host == nullptr) {
    std::fprintf(stderr, "scan_bench: no benchmark desktop to tick on\n");
    return 1;
  }
  FullScanRig rig;
  if (!rig.Open(host, true)) return 1;
  constexpr UINT_PTR kTimerId = 1;
  SetTimer(rig.Window(), kTimerId, static_cast<UINT>(intervalMs), nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == rig.Window() && msg.message == WM_CLOSE) break;
    if (msg.hwnd == rig.Window() && msg.message == WM_TIMER) {
      rig.Form().Timer1Timer();
      rig.Controls().timer.log.clear();
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

int Run(int repetitions) {
  driver::Process desktop = driver::Process::Start(driver::ExeFolder() + L"bench_desktop.exe");
  if (!desktop.Started()) {
    std::fprintf(stderr, "scan_bench: bench_desktop.exe did not start\n");
    return 1;
  }
  const HWND host = FindBenchHost(desktop.Id());
  if (host == nullptr) {
    std::fprintf(stderr, "scan_bench: no host window\n");
    return 1;
  }
  FullScanRig rig;  // its window never shown
  if (!rig.Open(host, false)) return 1;
  TForm1& form = rig.Form();
  Win32Platform& platform = rig.Platform();
  fakes::FakeMainControls& controls = rig.Controls();
  const MainControls view = controls.View();
  const MainState& state = form.state;

  // Bare loop and full scan take turns, so both see the same load of the machine.
  BareLoop loop;
  loop.host = host;
  std::vector<double> bare;
  std::vector<double> fullScans;
  std::vector<double> ticks;
  for (int r = -2; r < repetitions; ++r) {
    const double t0 = NowMs();
    BareScan(loop);
    const double t1 = NowMs();
    form.ScanHost();
    const double t2 = NowMs();
    form.Timer1Timer();  // the same scan after the check of the command list's stamp
    const double t3 = NowMs();
    controls.timer.log.clear();
    if (r < 0) continue;  // warm-up
    bare.push_back(t1 - t0);
    fullScans.push_back(t2 - t1);
    ticks.push_back(t3 - t2);
  }

  // The logic alone: the recorded desktop and in-memory controls.
  ReplayDesktop replay(platform, state.FTargetWnd);
  Scanner logicOnly(view, replay);
  logicOnly.form.state = state;
  logicOnly.form.ScanHost();
  constexpr int kScansPerRound = 20;
  std::vector<double> logic;
  std::vector<double> detection;
  const std::string captionText = CaptionText(controls.list.items);
  std::size_t switches = 0;
  for (int r = -1; r < repetitions; ++r) {
    const double t0 = NowMs();
    for (int k = 0; k < kScansPerRound; ++k) logicOnly.form.ScanHost();
    const double t1 = NowMs();
    for (int k = 0; k < kScansPerRound; ++k) {
      switches = DetectSwitches(state.FEntries, captionText).size();
    }
    const double t2 = NowMs();
    controls.timer.log.clear();
    if (r < 0) continue;
    logic.push_back((t1 - t0) / kScansPerRound);
    detection.push_back((t2 - t1) / kScansPerRound);
  }

  // A launch's wait before its keystroke: WaitMs dispatches messages for 100 ms by its
  // definition, spinning all the while; its wall time and the CPU it burns.
  constexpr int kWaits = 5;
  std::vector<double> waits;
  const double cpuBefore = ThreadCpuMs();
  for (int i = 0; i < kWaits; ++i) {
    const double t0 = NowMs();
    WaitMs(platform, 100);
    waits.push_back(NowMs() - t0);
  }
  const double waitCpu = (ThreadCpuMs() - cpuBefore) / kWaits;

  std::printf("desktop: %zu top-level windows, host with %zu children; %zu captions listed, "
              "%zu switches per detection\n",
              replay.TopCount(), replay.ChildCount(), controls.list.items.size(), switches);
  Result("top_windows", static_cast<double>(replay.TopCount()));
  Result("host_children", static_cast<double>(replay.ChildCount()));
  Result("scan_full_ms", Median(fullScans));
  Result("tick_checked_ms", Median(ticks));
  Result("scan_bare_ms", Median(bare));
  Result("scan_logic_ms", Median(logic));
  Result("detection_wine_ms", Median(detection));
  Result("waitms_wall_ms", Median(waits));
  Result("waitms_cpu_ms", waitCpu);
  desktop.Close();
  return 0;
}

}  // namespace
}  // namespace tabvane::bench

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wcscmp(argv[1], L"--ticks") == 0) {
    return tabvane::bench::Tick(std::max(1, _wtoi(argv[2])));
  }
  const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  return tabvane::bench::Run(repetitions);
}
