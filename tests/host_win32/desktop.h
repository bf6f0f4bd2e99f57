// Desktop helpers for the Win32 tests: polling with a time-out while the test's own messages
// keep flowing, windows of the test process, and the stand-in host run from a private copy.
// Win32 only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace tabvane::desktop {

// Polls condition until it holds or timeoutMs pass, dispatching the test thread's messages
// meanwhile. Returns the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A window of the test process that counts the key-down and key-up messages it receives.
class TestWindow {
 public:
  // parent is the owner of a top-level window and the parent of a WS_CHILD one.
  TestWindow(std::string_view titleSjis, DWORD style, HWND parent = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }
  int KeyMessages() const { return keyMessages_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  HWND window_ = nullptr;
  int keyMessages_ = 0;
};

// Starts a program and waits for its exit code; -1 when it does not start or end in time.
int RunToExit(const std::string& exeSjis, std::wstring_view arguments, DWORD timeoutMs);

// The stand-in host, copied from beside the test exe to folder + exeName (Shift-JIS) so that
// its bridge batch and log stay in that folder. It lives in a job that ends it with the test
// process, and is asked to close (then terminated) when this object goes.
class Standin {
 public:
  Standin(const std::string& folder, std::string_view exeName);
  ~Standin();
  Standin(const Standin&) = delete;
  Standin& operator=(const Standin&) = delete;

  // The copy is in place.
  bool Copied() const { return copied_; }
  const std::string& ExePath() const { return exePath_; }
  // Runs the copy with arguments and waits until its host window shows; false on time-out.
  bool Start(std::wstring_view arguments);
  HWND Window() const { return window_; }

 private:
  std::string exePath_;
  bool copied_ = false;
  HANDLE job_ = nullptr;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace tabvane::desktop
