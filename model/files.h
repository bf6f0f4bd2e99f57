// The file layer: everything the program does with files goes through Files. Implementations:
// host/posix (native builds), host/win32 (W functions, code page 932 paths), and test wrappers
// that fail on demand.
// Paths are Shift-JIS bytes. All I/O is binary: bytes are read and written unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tabvane {

class WriteHandle {
 public:
  virtual ~WriteHandle() = default;
  // Appends bytes; false on any failure.
  virtual bool Write(std::string_view bytes) = 0;
  // Flushes to the disk and closes; false on any failure. Called once.
  virtual bool Close() = 0;
};

struct ReadResult {
  bool opened = false;    // the file could be opened
  bool complete = false;  // and was read to its end without an error
  std::string bytes;
};

// When a file was last written and how long it is: a change of either is a change of the file.
struct FileStamp {
  uint64_t writeTime = 0;
  uint64_t size = 0;
  bool operator==(const FileStamp&) const = default;
};

class Files {
 public:
  virtual ~Files() = default;
  // A file exists at path (a folder does not count).
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Reads the whole file, opened for reading with others allowed to read too. A read error
  // part-way keeps the bytes read so far with complete == false.
  virtual ReadResult Read(const std::string& path) = 0;
  // Creates or truncates path for writing (others may read meanwhile); nullptr on failure.
  virtual std::unique_ptr<WriteHandle> Create(const std::string& path) = 0;
  // Replaces target by source in one step (source is gone afterwards); false on failure.
  virtual bool Replace(const std::string& source, const std::string& target) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // The file's stamp in one cheap call; nullopt when there is no file or it cannot be asked.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
  // Creates the folder path (its parent exists already); false on failure. A layer that makes
  // no folders (a test's wrapper) keeps this answer.
  virtual bool CreateFolder(const std::string& path) {
    (void)path;
    return false;
  }
  // Whether the call that just failed may work when made again in a moment: another program
  // (antivirus, the search indexer, a cloud-sync client) holds the file. Asked right after the
  // failure; a layer that cannot tell says no.
  virtual bool FailureIsMomentary() { return false; }
  // Waits ms milliseconds between such tries, dispatching nothing.
  virtual void Pause(uint32_t ms) { (void)ms; }
  // The system's words (Shift-JIS) for why the call just made failed, whichever of this
  // layer's calls or a handle's it was; asked right after the failure. May be empty.
  virtual std::string FailureText() = 0;
};

// How a save ended: written, or not, with the system's words for why not.
struct SaveResult {
  bool ok = false;
  std::string error;  // empty when ok
  explicit operator bool() const { return ok; }
};

// How often and how far apart the replace of a save is tried while another program holds the
// file: about a second in all.
inline constexpr int kReplaceTries = 10;
inline constexpr uint32_t kReplacePauseMs = 100;

// Writes bytes to a temporary file beside path, then replaces path with it, trying the replace
// again while the failure is momentary. On any failure the temporary file is removed and the
// old file at path is left untouched. When the file at path holds these bytes already, nothing
// is written at all (so a read-only file or place is no failure when nothing changed).
SaveResult SaveAtomically(Files& files, const std::string& path, std::string_view bytes);

// Creates folder (with its trailing separator) and every missing folder above it; whether it
// exists afterwards.
bool CreateFolders(Files& files, std::string_view folder);

// Creates or truncates path and writes bytes into it, as the bridge batch is written.
SaveResult WriteInPlace(Files& files, const std::string& path, std::string_view bytes);

}  // namespace tabvane
