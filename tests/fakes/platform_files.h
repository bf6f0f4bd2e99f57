// The real file layer of the platform the tests run on, and a scratch folder per test.
#pragma once

#include <string>

#include "model/command_list_edit.h"
#include "model/files.h"

namespace tabvane::fakes {

// PosixFiles natively, Win32Files under Wine.
Files& PlatformFiles();
// PosixCodec natively, Win32Codec under Wine.
TextCodec& PlatformCodec();

// A fresh empty folder for one test (ends with the platform's separator); removed on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Reads / writes a file's bytes with the C++ library in binary mode (ASCII paths only),
// independent of the file layer under test.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace tabvane::fakes
