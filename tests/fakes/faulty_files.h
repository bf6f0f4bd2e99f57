// A Files wrapper for fault injection: passes every call to a real file layer, but can fail the
// k-th write, a Create, a Close, a Replace (or hold the file for some tries) or a Remove, or stop
// the program (an exception) just before a Replace, when the temporary file is written and the
// old file not yet replaced.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "model/files.h"

namespace tabvane::fakes {

struct FileFaults {
  int failWriteCall = 0;        // the k-th Write call (from 1, over all handles) fails; 0: none
  bool failCreate = false;      // every Create fails
  std::string failCreateIn{};    // Create fails for paths that begin with this folder (read-only)
  bool failClose = false;       // Close closes the file but reports a failure (a failed flush)
  bool failReplace = false;     // Replace fails and changes nothing
  bool failRemove = false;      // Remove fails and changes nothing
  bool stopBeforeReplace = false;  // Replace throws Stopped: the program ends right there
  int holdReplace = 0;          // Replace fails momentarily this many times (a file held)
};

// Thrown to model the program stopping (power cut, killed) in the middle of a save.
struct Stopped {};

class FaultyFiles : public Files {
 public:
  using Faults = FileFaults;
  using Stopped = fakes::Stopped;

  explicit FaultyFiles(Files& real, Faults chosen = {}) : faults(std::move(chosen)), real_(real) {}

  Faults faults;
  int writeCalls = 0;  // Write calls so far, over all handles
  int createCalls = 0;
  int replaceCalls = 0;
  int pausedMs = 0;    // the pauses between tries, summed

  bool FileExists(const std::string& path) override { return real_.FileExists(path); }
  bool FolderExists(const std::string& path) override { return real_.FolderExists(path); }
  ReadResult Read(const std::string& path) override { return real_.Read(path); }
  std::unique_ptr<WriteHandle> Create(const std::string& path) override {
    ++createCalls;
    if (faults.failCreate) return nullptr;
    if (!faults.failCreateIn.empty() && path.rfind(faults.failCreateIn, 0) == 0) return nullptr;
    std::unique_ptr<WriteHandle> handle = real_.Create(path);
    if (!handle) return nullptr;
    return std::make_unique<Handle>(*this, std::move(handle));
  }
  bool Replace(const std::string& source, const std::string& target) override {
    ++replaceCalls;
    if (faults.stopBeforeReplace) throw Stopped{};
    held_ = faults.holdReplace > 0;
    if (held_) --faults.holdReplace;
    return !held_ && !faults.failReplace && real_.Replace(source, target);
  }
  bool Remove(const std::string& path) override { return !faults.failRemove && real_.Remove(path); }
  std::optional<FileStamp> Stamp(const std::string& path) override { return real_.Stamp(path); }
  bool FailureIsMomentary() override { return held_; }
  void Pause(uint32_t ms) override { pausedMs += static_cast<int>(ms); }
  std::string FailureText() override { return "injected fault"; }

 private:
  class Handle : public WriteHandle {
   public:
    Handle(FaultyFiles& owner, std::unique_ptr<WriteHandle> real) : owner_(owner), real_(std::move(real)) {}
    bool Write(std::string_view bytes) override {
      if (++owner_.writeCalls == owner_.faults.failWriteCall) {
        real_->Write(bytes.substr(0, bytes.size() / 2));  // a disk that fills up part-way
        return false;
      }
      return real_->Write(bytes);
    }
    bool Close() override { return real_->Close() && !owner_.faults.failClose; }

   private:
    FaultyFiles& owner_;
    std::unique_ptr<WriteHandle> real_;
  };

  Files& real_;
  bool held_ = false;  // the last Replace failed as a held file does
};

}  // namespace tabvane::fakes
