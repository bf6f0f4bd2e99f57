// Desktop helpers for the Win32 tests, on top of the driver library: waits that keep the test's
// own windows answering, windows of the test process, and the stand-in host run from a private
// copy. Win32 only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/driver/driver.h"

namespace tabvane::desktop {

// driver::WaitUntil that dispatches the test thread's messages before each look.
bool WaitUntil(const std::function<bool()>& condition,
               driver::Ms timeout = driver::kDefaultTimeout);

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

// The stand-in host, copied from beside the test exe to folder + exeName (Shift-JIS) so that
// its bridge batch and log stay in that folder. A job ends it together with a test process
// that dies first; otherwise it is asked to close (then ended) when this object goes.
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
  bool Start(const std::vector<std::wstring>& arguments);
  HWND Window() const { return window_; }

 private:
  std::string exePath_;
  bool copied_ = false;
  HANDLE job_ = nullptr;
  driver::Process process_;
  HWND window_ = nullptr;
};

}  // namespace tabvane::desktop
