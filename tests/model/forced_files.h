// The platform's real files for the model tests, with a read result that can be forced, so a
// test can make a file unreadable or cut short, or feed bytes without touching the disk.
#pragma once

#include <optional>

#include "tests/fakes/platform_files.h"

namespace tabvane::test {

class ForcedFiles : public Files {
 public:
  // When set, every file exists and every read gives this result.
  std::optional<ReadResult> forced;

  bool FileExists(const std::string& path) override { return forced || real_.FileExists(path); }
  bool FolderExists(const std::string& path) override { return real_.FolderExists(path); }
  ReadResult Read(const std::string& path) override { return forced ? *forced : real_.Read(path); }
  std::unique_ptr<WriteHandle> Create(const std::string& path) override { return real_.Create(path); }
  bool Replace(const std::string& source, const std::string& target) override {
    return real_.Replace(source, target);
  }
  bool Remove(const std::string& path) override { return real_.Remove(path); }
  std::optional<FileStamp> Stamp(const std::string& path) override { return real_.Stamp(path); }
  std::string FailureText() override { return real_.FailureText(); }

 private:
  Files& real_ = fakes::PlatformFiles();
};

}  // namespace tabvane::test
