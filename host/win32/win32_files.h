// The file layer on the W functions: Shift-JIS paths converted with code page 932, every
// byte read and written unchanged. Win32 only.
#pragma once

#include "model/command_list_edit.h"
#include "model/files.h"

namespace tabvane {

// UTF-8 <-> code page 932 through UTF-16.
class Win32Codec : public TextCodec {
 public:
  std::string SjisFromUtf8(std::string_view utf8, std::size_t& unmappable) override;
  std::string Utf8FromSjis(std::string_view sjis) override;
};

class Win32Files : public Files {
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
