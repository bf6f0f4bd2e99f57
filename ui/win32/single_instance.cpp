// One Tabvane per folder: the folder's mutex and the first copy's window.
#include "ui/win32/single_instance.h"

#include <cstdint>
#include <cwchar>
#include <optional>

#include "host/win32/exe_path.h"
#include "host/win32/swallowed.h"

namespace tabvane {
namespace {

constexpr wchar_t kAppClass[] = L"TabvaneApp";  // the first copy's taskbar entry
constexpr DWORD kWaitForFirstMs = 5000;
constexpr DWORD kPollMs = 50;

// The folder of a full exe path as one key for all its names: its long form (an 8.3 short name
// or a name typed in another case names the same folder), in capitals, without the last "\".
std::wstring FolderKey(const std::wstring& exePath) {
  std::wstring folder = exePath.substr(0, exePath.find_last_of(L"\\/") + 1);
  if (folder.empty()) return {};
  const DWORD needed = GetLongPathNameW(folder.c_str(), nullptr, 0);
  if (needed > 0) {
    std::wstring longForm(needed, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), longForm.data(), needed);
    if (length > 0 && length < needed) folder.assign(longForm, 0, length);
  }
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  std::wstring upper(folder.size(), L'\0');
  const int mapped = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, folder.c_str(),
                                   static_cast<int>(folder.size()), upper.data(),
                                   static_cast<int>(upper.size()), nullptr, nullptr, 0);
  return mapped > 0 ? upper.substr(0, static_cast<std::size_t>(mapped)) : folder;
}

// A mutex name for the key: object names may hold no "\", so the key goes in as its hash.
std::wstring MutexName(const std::wstring& key) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the UTF-16 units
  for (const wchar_t unit : key) {
    hash = (hash ^ static_cast<uint16_t>(unit)) * 1099511628211ull;
  }
  wchar_t name[64] = {};
  std::swprintf(name, 64, L"Local\\Tabvane-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

struct Search {
  const std::wstring* key;
  HWND found;
};

// A taskbar entry of another Tabvane process whose exe lies in the same folder.
BOOL CALLBACK FindFirstCopy(HWND window, LPARAM data) noexcept {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wcscmp(className, kAppClass) != 0) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == GetCurrentProcessId()) return TRUE;
  try {
    const std::optional<std::wstring> exe = ProcessImagePathW(processId);
    if (!exe || FolderKey(*exe) != *search.key) return TRUE;
  } catch (...) {
    ReportSwallowed("the search for the first copy");
    return TRUE;  // not this window: the search goes on
  }
  search.found = window;
  return FALSE;
}

}  // namespace

SingleInstance::SingleInstance(const std::wstring& exePath) : folderKey_(FolderKey(exePath)) {
  if (folderKey_.empty()) return;  // no folder to guard
  mutex_ = CreateMutexW(nullptr, FALSE, MutexName(folderKey_).c_str());
  const DWORD error = GetLastError();
  // Access denied: the mutex exists, made by a copy this one may not open, as when the first
  // copy runs as administrator and this one does not. Another copy runs either way. Any other
  // failure tells nothing, and this copy runs.
  first_ = error != ERROR_ALREADY_EXISTS && !(mutex_ == nullptr && error == ERROR_ACCESS_DENIED);
}

SingleInstance::~SingleInstance() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

void SingleInstance::ActivateFirst() const {
  Search search{&folderKey_, nullptr};
  for (DWORD waited = 0; waited <= kWaitForFirstMs; waited += kPollMs) {
    EnumWindows(FindFirstCopy, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) break;
    Sleep(kPollMs);
  }
  if (search.found == nullptr) return;
  // Neither call waits for the other copy's thread. Restoring the taskbar entry shows the main
  // window again; activating it passes the activation on to the main window.
  if (IsIconic(search.found)) ShowWindowAsync(search.found, SW_RESTORE);
  SetForegroundWindow(search.found);
}

}  // namespace tabvane
