// The platform's file layer on real files (natively and under Wine): bytes pass unchanged,
// Shift-JIS names work, and a failed save leaves the old file and no temporary file behind.
#include "model/files.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/platform_files.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <optional>
#include <thread>

#include "host/win32/wide.h"
#endif

namespace tabvane {
namespace {

using fakes::PlatformFiles;
using fakes::ReadBytes;
using fakes::ScratchDir;
using fakes::WriteBytes;

std::string EveryByte() {
  std::string bytes = "a\r\nb\x1A";
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes + "\r\x1A\n";
}

TEST(FilesLayer, WritesAndReadsBytesUnchanged) {
  ScratchDir dir;
  ASSERT_FALSE(dir.path().empty());
  Files& files = PlatformFiles();
  const std::string bytes = EveryByte();

  auto handle = files.Create(dir / "w.bin");
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(handle->Write(bytes.substr(0, 7)));
  EXPECT_TRUE(handle->Write(bytes.substr(7)));
  EXPECT_TRUE(handle->Close());
  EXPECT_EQ(ReadBytes(dir / "w.bin"), bytes);

  WriteBytes(dir / "r.bin", bytes);
  const ReadResult read = files.Read(dir / "r.bin");
  EXPECT_TRUE(read.opened);
  EXPECT_TRUE(read.complete);
  EXPECT_EQ(read.bytes, bytes);

  const std::string large(300000, '\x1A');  // more than one read or write chunk
  ASSERT_TRUE(WriteInPlace(files, dir / "large.bin", large));
  EXPECT_EQ(files.Read(dir / "large.bin").bytes, large);
}

TEST(FilesLayer, TellsFilesFromFolders) {
  ScratchDir dir;
  Files& files = PlatformFiles();
  WriteBytes(dir / "f.txt", "x");
  const std::string folder = dir.path().substr(0, dir.path().size() - 1);
  const struct { std::string path; bool file, folder; } cases[] = {
      {dir / "f.txt", true, false}, {dir.path(), false, true}, {folder, false, true},
      {dir / "missing.txt", false, false}, {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files.FileExists(c.path), c.file) << c.path;
    EXPECT_EQ(files.FolderExists(c.path), c.folder) << c.path;
  }
  EXPECT_FALSE(files.Read(dir / "missing.txt").opened);
  EXPECT_FALSE(files.Read(folder).opened);
}

TEST(FilesLayer, ShiftJisFileNames) {
  ScratchDir dir;
  Files& files = PlatformFiles();
  const std::string name = "\x95\x5C\x8E\xA6\x83\x5C.txt";  // 表示ソ.txt: two 0x5C second bytes
  ASSERT_TRUE(SaveAtomically(files, dir / name, "abc\r\n"));
  EXPECT_TRUE(files.FileExists(dir / name));
  EXPECT_EQ(files.Read(dir / name).bytes, "abc\r\n");
  EXPECT_FALSE(files.FileExists(dir / "\x95"));  // no file named by the cut-off first byte
#ifdef _WIN32
  // The name on disk is the Unicode text, whatever the system's ANSI code page is.
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(WideFromSjis(dir.path()) + L"\u8868\u793A\u30BD.txt")));
  EXPECT_EQ(SjisFromWide(L"\u8868\u793A\u30BD"), "\x95\x5C\x8E\xA6\x83\x5C");
  EXPECT_EQ(SjisFromWide(L"a\u0E01b"), "a?b");  // a Thai letter has no code page 932 form
  EXPECT_EQ(WideFromSjis("\xB1" "a\x82\xA0"), L"\uFF71a\u3042");
#endif
}

TEST(FilesLayer, SavingReplacesAndWritingInPlaceTruncates) {
  ScratchDir dir;
  Files& files = PlatformFiles();
  const std::string path = dir / "ga_list.txt";
  WriteBytes(path, "old contents that are longer\r\n");
  ASSERT_TRUE(SaveAtomically(files, path, "new\r\n"));
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  EXPECT_FALSE(files.FileExists(path + ".tmp"));

  ASSERT_TRUE(WriteInPlace(files, path, "x"));
  EXPECT_EQ(ReadBytes(path), "x");
  EXPECT_FALSE(WriteInPlace(files, dir / "missing/x.bat", "x"));
}

// The real file layer with one step made to fail.
class FailingFiles : public Files {
 public:
  enum class Step { Create, Write, Close, Replace };
  FailingFiles(Files& real, Step step) : real_(real), step_(step) {}

  bool FileExists(const std::string& path) override { return real_.FileExists(path); }
  bool FolderExists(const std::string& path) override { return real_.FolderExists(path); }
  ReadResult Read(const std::string& path) override { return real_.Read(path); }
  std::unique_ptr<WriteHandle> Create(const std::string& path) override {
    auto handle = real_.Create(path);  // the file exists even when the step fails
    if (step_ == Step::Create) return nullptr;
    return std::make_unique<Handle>(std::move(handle), step_);
  }
  bool Replace(const std::string& source, const std::string& target) override {
    return step_ != Step::Replace && real_.Replace(source, target);
  }
  bool Remove(const std::string& path) override { return real_.Remove(path); }
  std::optional<FileStamp> Stamp(const std::string& path) override { return real_.Stamp(path); }
  // The failing step's own words; the cleanup after it says something else.
  std::string FailureText() override {
    return failuresSeen_++ == 0 ? "step " + std::to_string(static_cast<int>(step_)) : "cleanup";
  }

 private:
  int failuresSeen_ = 0;
  class Handle : public WriteHandle {
   public:
    Handle(std::unique_ptr<WriteHandle> real, Step step) : real_(std::move(real)), step_(step) {}
    bool Write(std::string_view bytes) override {
      if (step_ != Step::Write) return real_->Write(bytes);
      real_->Write(bytes.substr(0, bytes.size() / 2));  // a partial write
      return false;
    }
    bool Close() override { return real_->Close() && step_ != Step::Close; }

   private:
    std::unique_ptr<WriteHandle> real_;
    Step step_;
  };

  Files& real_;
  Step step_;
};

TEST(FilesLayer, FailedSaveKeepsTheOldFileAndNoTemporary) {
  using Step = FailingFiles::Step;
  const std::string old = "line 1\r\nline 2\r\n";
  for (const Step step : {Step::Create, Step::Write, Step::Close, Step::Replace}) {
    ScratchDir dir;
    const std::string path = dir / "settings.dat";
    WriteBytes(path, old);
    FailingFiles files(PlatformFiles(), step);
    const SaveResult result = SaveAtomically(files, path, "new contents\r\n");
    EXPECT_FALSE(result) << static_cast<int>(step);
    EXPECT_EQ(result.error, "step " + std::to_string(static_cast<int>(step)));
    EXPECT_EQ(ReadBytes(path), old) << static_cast<int>(step);
    EXPECT_FALSE(PlatformFiles().FileExists(path + ".tmp")) << static_cast<int>(step);
  }
}

TEST(FilesLayer, SaveOverAReadOnlyFileLeavesItAndNoTemporary) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string path = dir / "ga_list.txt";
  WriteBytes(path, "a\tb\n");
  constexpr fs::perms kWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(fs::path(path), kWrite, fs::perm_options::remove);
  EXPECT_FALSE(SaveAtomically(PlatformFiles(), path, "a\tb\r\n"));
  EXPECT_EQ(ReadBytes(path), "a\tb\n");
  EXPECT_FALSE(PlatformFiles().FileExists(path + ".tmp"));
  fs::permissions(fs::path(path), fs::perms::owner_write, fs::perm_options::add);  // so it can go
}

TEST(FilesLayer, SaveIntoAMissingFolderOrOverAFolderFailsCleanly) {
  ScratchDir dir;
  Files& files = PlatformFiles();
  EXPECT_FALSE(SaveAtomically(files, dir / "missing/ga_list.txt", "x"));
  EXPECT_FALSE(files.FileExists(dir / "missing/ga_list.txt.tmp"));

  // A folder where the file should be: the temporary file is written, the replace fails.
  std::error_code error;
  ASSERT_TRUE(std::filesystem::create_directory(std::filesystem::path(dir / "sub"), error));
  WriteBytes(dir / "sub.tmp", "stale");
  EXPECT_FALSE(SaveAtomically(files, dir / "sub", "x"));
  EXPECT_TRUE(files.FolderExists(dir / "sub"));
  EXPECT_FALSE(files.FileExists(dir / "sub.tmp"));
}

#ifdef _WIN32
// A file another program holds open for a moment without letting it be replaced (as antivirus
// does): the save tries again and replaces it once it is let go.
TEST(FilesLayer, SaveWaitsForAFileHeldForAMoment) {
  ScratchDir dir;
  const std::string path = dir / "ga_list.txt";
  WriteBytes(path, "old\r\n");
  const HANDLE held =
      CreateFileW(WideFromSjis(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(300);
    CloseHandle(held);
  });
  const SaveResult result = SaveAtomically(PlatformFiles(), path, "new\r\n");
  release.join();
  EXPECT_TRUE(result) << result.error;
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  EXPECT_FALSE(PlatformFiles().FileExists(path + ".tmp"));
}

// A path code page 932 cannot hold is named by its short form, which names the same file; a
// look-alike is never taken for a character (no best fit: "¥" is not "\\").
TEST(FilesLayer, PathsWithoutAShiftJisNameUseTheirShortForm) {
  ScratchDir dir;
  const std::wstring folder = WideFromSjis(dir.path()) + L"caf\u00E9";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::optional<std::string> sjis = SjisPathFromWide(folder);
  ASSERT_TRUE(sjis.has_value()) << "no short name";
  EXPECT_EQ(sjis->find('?'), std::string::npos) << *sjis;
  EXPECT_TRUE(PlatformFiles().FolderExists(*sjis)) << *sjis;
  EXPECT_EQ(SjisPathFromWide(WideFromSjis(dir.path()) + L"missing\u00E9"), std::nullopt);
  EXPECT_EQ(SjisFromWide(L"C:\u00A5x"), "C:?x");
  EXPECT_EQ(SjisPathFromWide(WideFromSjis(dir.path())), dir.path());
}
#endif

}  // namespace
}  // namespace tabvane
