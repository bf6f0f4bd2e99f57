// Desktop helpers for the Win32 tests: polling with a time-out while the test's own messages
// keep flowing, windows of the test process, and the stand-in host run from a private copy.
#include "tests/host_win32/desktop.h"

#include "host/win32/wide.h"

namespace tabvane::desktop {
namespace {

constexpr wchar_t kTestClass[] = L"TabvaneTestWindow";
constexpr wchar_t kStandinClass[] = L"TabvaneStandinHost";
constexpr wchar_t kStandinFile[] = L"standin_host.exe";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kCloseTimeoutMs = 10000;

void PumpOwnMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The folder of the running test exe, with its trailing "\".
std::wstring TestExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool CreateProcessFor(const std::string& exeSjis, std::wstring_view arguments, DWORD flags,
                      PROCESS_INFORMATION& process) {
  const std::wstring exe = WideFromSjis(exeSjis);
  std::wstring commandLine = L"\"" + exe + L"\" " + std::wstring(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        nullptr, &startup, &process) != FALSE;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindStandinWindow(HWND window, LPARAM param) noexcept {
  auto& search = *reinterpret_cast<WindowSearch*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (processId == search.processId && IsWindowVisible(window) &&
      std::wstring_view(className) == kStandinClass) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpOwnMessages();
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

TestWindow::TestWindow(std::string_view titleSjis, DWORD style, HWND parent) {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTestClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) return;
  window_ = CreateWindowExW(0, kTestClass, WideFromSjis(titleSjis).c_str(), style, 40, 40, 320, 200,
                            parent, nullptr, GetModuleHandleW(nullptr), this);
}

TestWindow::~TestWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const bool keyEvent = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
                        message == WM_SYSKEYUP;
  if (self != nullptr && keyEvent) ++self->keyMessages_;
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return DefWindowProcW(window, message, wParam, lParam);
}

int RunToExit(const std::string& exeSjis, std::wstring_view arguments, DWORD timeoutMs) {
  PROCESS_INFORMATION process{};
  if (!CreateProcessFor(exeSjis, arguments, 0, process)) return -1;
  DWORD exitCode = 0;
  const bool ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(process.hProcess, &exitCode);
  if (!ended) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended ? static_cast<int>(exitCode) : -1;
}

Standin::Standin(const std::string& folder, std::string_view exeName)
    : exePath_(folder + std::string(exeName)) {
  const std::wstring source = TestExeFolder() + kStandinFile;
  copied_ = CopyFileW(source.c_str(), WideFromSjis(exePath_).c_str(), FALSE) != FALSE;
}

Standin::~Standin() {
  if (process_.hProcess != nullptr) {
    if (window_ != nullptr && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kCloseTimeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kCloseTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (job_ != nullptr) CloseHandle(job_);
}

bool Standin::Start(std::wstring_view arguments) {
  if (!copied_ || process_.hProcess != nullptr) return false;
  // The job ends the stand-in together with a test process that dies before closing it.
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_ != nullptr) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  if (!CreateProcessFor(exePath_, arguments, CREATE_SUSPENDED, process_)) {
    process_ = {};
    return false;
  }
  if (job_ != nullptr) AssignProcessToJobObject(job_, process_.hProcess);
  ResumeThread(process_.hThread);

  WindowSearch search{process_.dwProcessId, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(FindStandinWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      kStartTimeoutMs);
  window_ = search.found;
  return window_ != nullptr;
}

}  // namespace tabvane::desktop
