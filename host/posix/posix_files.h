// The file layer of native builds on POSIX calls: paths are used as the bytes they are.
// No Windows headers; used by native tests and tools.
#pragma once

#include "model/files.h"

namespace tabvane {

class PosixFiles : public Files {
 public:
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  ReadResult Read(const std::string& path) override;
  std::unique_ptr<WriteHandle> Create(const std::string& path) override;
  bool Replace(const std::string& source, const std::string& target) override;
  bool Remove(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool FailureIsMomentary() override;
  void Pause(uint32_t ms) override;
  std::string FailureText() override;
};

}  // namespace tabvane
