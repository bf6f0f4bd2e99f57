// The running executable's full path, with a buffer that grows past MAX_PATH.
#include "host/win32/exe_path.h"

#include <windows.h>

namespace tabvane {

std::wstring ExePathW() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace tabvane
