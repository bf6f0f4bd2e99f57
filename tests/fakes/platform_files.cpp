// The platform's real file layer for tests, scratch folders and a plain byte reader/writer
// that does not go through the layer under test.
#include "tests/fakes/platform_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <atomic>

#include "host/win32/wide.h"
#include "host/win32/win32_files.h"
#else
#include <cstdlib>

#include "host/posix/posix_codec.h"
#include "host/posix/posix_files.h"
#endif

namespace tabvane::fakes {

Files& PlatformFiles() {
#ifdef _WIN32
  static Win32Files files;
#else
  static PosixFiles files;
#endif
  return files;
}

TextCodec& PlatformCodec() {
#ifdef _WIN32
  static Win32Codec codec;
#else
  static PosixCodec codec;
#endif
  return codec;
}

#ifdef _WIN32

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring folder = std::wstring(temp, length) + L"tabvane-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
      path_ = SjisFromWide(folder) + "\\";
      return;
    }
  }
}

ScratchDir::~ScratchDir() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(WideFromSjis(path_)), error);
}

#else

ScratchDir::ScratchDir() {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/tabvane-XXXXXX";
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
}

ScratchDir::~ScratchDir() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(path_), error);
}

#endif

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tabvane::fakes
