// Win32Files: CreateFileW / ReadFile / WriteFile / FlushFileBuffers / MoveFileExW, no C
// runtime text mode anywhere (which would stop at 0x1A and fold CR LF). Win32 only.
#include "host/win32/win32_files.h"

#include <windows.h>

#include <algorithm>

#include "host/win32/wide.h"

namespace tabvane {

namespace {

constexpr std::size_t kChunk = 1u << 20;

class Win32WriteHandle : public WriteHandle {
 public:
  explicit Win32WriteHandle(HANDLE file) : file_(file) {}
  ~Win32WriteHandle() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  Win32WriteHandle(const Win32WriteHandle&) = delete;
  Win32WriteHandle& operator=(const Win32WriteHandle&) = delete;

  bool Write(std::string_view bytes) override {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    while (!bytes.empty()) {
      const DWORD part = static_cast<DWORD>(std::min(bytes.size(), kChunk));
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data(), part, &written, nullptr) || written == 0) return false;
      bytes.remove_prefix(written);
    }
    return true;
  }

  bool Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file_) != 0;
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return flushed && closed;
  }

 private:
  HANDLE file_;
};

DWORD Attributes(const std::string& path) { return GetFileAttributesW(WideFromSjis(path).c_str()); }

}  // namespace

bool Win32Files::FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Files::FolderExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

ReadResult Win32Files::Read(const std::string& path) {
  ReadResult result;
  const HANDLE file = CreateFileW(WideFromSjis(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return result;
  result.opened = true;
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) break;
    if (got == 0) {
      result.complete = true;
      break;
    }
    result.bytes.append(buffer, 0, got);
  }
  CloseHandle(file);
  return result;
}

std::unique_ptr<WriteHandle> Win32Files::Create(const std::string& path) {
  const std::wstring wide = WideFromSjis(path);
  // A read-only, hidden or system file stays as the user made it: Windows refuses to replace
  // one with a normal file; Wine, run by a user who may write anything, would not.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32WriteHandle>(file);
}

bool Win32Files::Replace(const std::string& source, const std::string& target) {
  const std::wstring to = WideFromSjis(target);
  // A read-only file stays as the user made it. Windows refuses to move over one; Wine does not.
  // Its own error, not the access denied of a file held for a moment, which is tried again.
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_FILE_READ_ONLY);
    return false;
  }
  return MoveFileExW(WideFromSjis(source).c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Files::Remove(const std::string& path) { return DeleteFileW(WideFromSjis(path).c_str()) != 0; }

std::optional<FileStamp> Win32Files::Stamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(WideFromSjis(path).c_str(), GetFileExInfoStandard, &data) == 0 ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  const auto join = [](DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; };
  return FileStamp{join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                   join(data.nFileSizeHigh, data.nFileSizeLow)};
}

bool Win32Files::CreateFolder(const std::string& path) {
  return CreateDirectoryW(WideFromSjis(path).c_str(), nullptr) != 0;
}

// Antivirus, the search indexer and cloud-sync clients open a file just written without letting
// others delete or replace it: the replace fails with a sharing violation, or access denied,
// until they let go.
bool Win32Files::FailureIsMomentary() {
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

void Win32Files::Pause(uint32_t ms) { Sleep(ms); }

std::string Win32Files::FailureText() {
  const DWORD error = GetLastError();
  if (error == ERROR_SUCCESS) return {};
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring words = length > 0 && text != nullptr ? std::wstring(text, length)
                                                     : L"error " + std::to_wstring(error);
  if (text != nullptr) LocalFree(text);
  // The system's text ends in a line break.
  while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ')) {
    words.pop_back();
  }
  return SjisFromWide(words);
}

std::string Win32Codec::SjisFromUtf8(std::string_view utf8, std::size_t& unmappable) {
  const std::wstring wide = WideFromUtf8(utf8);
  std::string sjis;
  sjis.reserve(wide.size() * 2);
  // Converted a run at a time; a run that needs the default character is done again one
  // character (a surrogate pair counts as one) at a time to mark exactly those.
  for (std::size_t i = 0; i < wide.size();) {
    const std::size_t run = std::min<std::size_t>(wide.size() - i, 4096);
    std::wstring_view part(wide.data() + i, run);
    // Never split a surrogate pair between runs.
    if (run > 1 && IS_HIGH_SURROGATE(part.back())) part.remove_suffix(1);
    if (const std::optional<std::string> whole = SjisExactFromWide(part)) {
      sjis += *whole;
    } else {
      for (std::size_t k = 0; k < part.size();) {
        const std::size_t units = IS_HIGH_SURROGATE(part[k]) && k + 1 < part.size() ? 2 : 1;
        const std::optional<std::string> one = SjisExactFromWide(part.substr(k, units));
        if (one) {
          sjis += *one;
        } else {
          sjis += kUnmappable;
          ++unmappable;
        }
        k += units;
      }
    }
    i += part.size();
  }
  return sjis;
}

std::string Win32Codec::Utf8FromSjis(std::string_view sjis) {
  return Utf8FromWide(WideFromSjis(sjis));
}

}  // namespace tabvane
