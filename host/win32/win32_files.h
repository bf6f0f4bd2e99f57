// The file layer on the W functions: Shift-JIS paths converted with code page 932, every
// byte read and written unchanged. Win32 only.
#pragma once

#include "model/files.h"

namespace tabvane {

class Win32Files : public Files {
 public:
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  ReadResult Read(const std::string& path) override;
  std::unique_ptr<WriteHandle> Create(const std::string& path) override;
  bool Replace(const std::string& source, const std::string& target) override;
  bool Remove(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool FailureIsMomentary() override;
  void Pause(uint32_t ms) override;
  std::string FailureText() override;
};

}  // namespace tabvane
