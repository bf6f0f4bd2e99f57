// Desktop helpers for the Win32 tests, on top of the driver library: waits that keep the test's
// own windows answering, windows of the test process, and the stand-in host run from a private
// copy.
#include "tests/host_win32/desktop.h"

#include "host/win32/wide.h"
#include "host/win32/win32_platform.h"

namespace tabvane::desktop {
namespace {

constexpr wchar_t kTestClass[] = L"TabvaneTestWindow";
constexpr wchar_t kStandinClass[] = L"TabvaneStandinHost";
constexpr wchar_t kStandinFile[] = L"standin_host.exe";

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, driver::Ms timeout) {
  Win32Platform platform;
  return driver::WaitUntil(
      [&] {
        platform.PumpMessages();
        return condition();
      },
      timeout);
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

Standin::Standin(const std::string& folder, std::string_view exeName)
    : exePath_(folder + std::string(exeName)) {
  const std::wstring source = driver::ExeFolder() + kStandinFile;
  copied_ = CopyFileW(source.c_str(), WideFromSjis(exePath_).c_str(), FALSE) != FALSE;
}

Standin::~Standin() {
  process_.Close();
  if (job_ != nullptr) CloseHandle(job_);
}

bool Standin::Start(const std::vector<std::wstring>& arguments) {
  if (!copied_ || process_.Started()) return false;
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_ != nullptr) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  // A second try: a program that creates its first window while Wine's virtual desktop is
  // being replaced (right after the previous test's programs ended) dies of an X error.
  for (int attempt = 0; attempt < 2 && window_ == nullptr; ++attempt) {
    process_ = driver::Process::Start(WideFromSjis(exePath_), arguments);
    if (!process_.Started()) return false;
    if (job_ != nullptr) AssignProcessToJobObject(job_, process_.Handle());

    driver::WindowMatch match;
    match.processId = process_.Id();
    match.className = kStandinClass;
    WaitUntil([&] {
      const std::vector<HWND> found = driver::TopWindows(match);
      window_ = found.empty() ? nullptr : found.front();
      return window_ != nullptr || !process_.Running();
    });
  }
  return window_ != nullptr;
}

}  // namespace tabvane::desktop
