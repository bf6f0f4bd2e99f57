// The full path of the running executable or of another process's, with buffers that grow past
// MAX_PATH, and the loading of system DLLs from the system folder alone.
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

void SearchDllsInSystemFolderOnly() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return;
  const auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  if (setDirectories != nullptr) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemDll(const wchar_t* name) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0) return nullptr;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(length);  // the room it asks for, its zero included
  }
  path += L'\\';
  path += name;
  return LoadLibraryW(path.c_str());
}

}  // namespace tabvane
