// PosixFiles: open/read/write/fsync/rename/unlink, binary and unbuffered.
// No Windows headers.
#include "host/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace tabvane {

namespace {

class PosixWriteHandle : public WriteHandle {
 public:
  explicit PosixWriteHandle(int fd) : fd_(fd) {}
  ~PosixWriteHandle() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixWriteHandle(const PosixWriteHandle&) = delete;
  PosixWriteHandle& operator=(const PosixWriteHandle&) = delete;

  bool Write(std::string_view bytes) override {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return synced && closed;
  }

 private:
  int fd_;
};

bool StatMode(const std::string& path, mode_t kind) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}

}  // namespace

bool PosixFiles::FileExists(const std::string& path) { return StatMode(path, S_IFREG); }

bool PosixFiles::FolderExists(const std::string& path) { return StatMode(path, S_IFDIR); }

ReadResult PosixFiles::Read(const std::string& path) {
  ReadResult result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return result;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {  // a folder is no file to read
    ::close(fd);
    return result;
  }
  result.opened = true;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      break;  // keeps what was read so far, incomplete
    }
    if (n == 0) {
      result.complete = true;
      break;
    }
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return result;
}

std::unique_ptr<WriteHandle> PosixFiles::Create(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixWriteHandle>(fd);
}

bool PosixFiles::Replace(const std::string& source, const std::string& target) {
  // A file without write permission stays as the user made it (rename alone would replace it).
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0) {
    errno = EACCES;
    return false;
  }
  return std::rename(source.c_str(), target.c_str()) == 0;
}

bool PosixFiles::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFiles::CreateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool PosixFiles::FailureIsMomentary() { return errno == EBUSY; }

void PosixFiles::Pause(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string PosixFiles::FailureText() { return std::strerror(errno); }

std::optional<FileStamp> PosixFiles::Stamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const auto nanoseconds = static_cast<uint64_t>(info.st_mtim.tv_sec) * 1000000000U +
                           static_cast<uint64_t>(info.st_mtim.tv_nsec);
  return FileStamp{nanoseconds, static_cast<uint64_t>(info.st_size)};
}

}  // namespace tabvane
