// The full path of the running executable or of another process's, with buffers that grow past
// MAX_PATH.
#include "host/win32/exe_path.h"

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

std::optional<std::wstring> ProcessImagePathW(DWORD processId) {
  // Limited information is all that a process of a lower integrity level may ask of one of a
  // higher level, and all that this needs.
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return std::nullopt;
  std::optional<std::wstring> result;
  for (DWORD room = MAX_PATH; room <= 32768 && !result; room *= 2) {
    std::wstring path(room, L'\0');
    DWORD length = room;
    if (QueryFullProcessImageNameW(process, 0, path.data(), &length) != 0) {
      path.resize(length);
      result = std::move(path);
    } else if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
      break;
    }
  }
  CloseHandle(process);
  return result;
}

}  // namespace tabvane
