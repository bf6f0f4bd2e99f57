// One Tabvane per folder: a named mutex per exe folder in the session's namespace. A second copy
// started from the same folder brings the first one forward and ends; copies from different
// folders run side by side, each with its own files. Win32 only.
#pragma once

#include <windows.h>

#include <string>

namespace tabvane {

class SingleInstance {
 public:
  // Takes the mutex of the folder of exePath (a full path).
  explicit SingleInstance(const std::wstring& exePath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when a copy started from the same folder runs already, this user's or an elevated one.
  bool First() const { return first_; }
  // Brings that copy's window forward, restored when it is minimized; waits a few seconds for
  // a copy that is still starting.
  void ActivateFirst() const;

 private:
  std::wstring folderKey_;
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};

}  // namespace tabvane
