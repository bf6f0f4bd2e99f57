// Fuzz target: any settings file read, written and read again gives the same values, and the
// written file always has 14 lines; covers reads that stop part-way and missing folders.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/settings.h"
#include "tests/fuzz/fuzz_common.h"

using namespace tabvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const uint8_t mode = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string path = "C:\\app\\Tabvane.dat";
  const std::string exeDir = "C:\\app\\";
  fuzz::FuzzFiles files;
  files.folders.insert(exeDir);
  files.everyFolder = (mode & 1) != 0;
  files.incomplete = (mode & 2) != 0;
  files.readLimit = static_cast<std::size_t>(mode >> 2) * 4;
  files.files[path] = bytes;

  TSettings first;
  LoadSettings(files, path, exeDir, first);
  FUZZ_CHECK(!first.FLastDir.empty());
  FUZZ_CHECK(!fuzz::HasLineBreakByte(first.FLastDir));

  const std::string written = SettingsFileBytes(first);
  const auto lines = fuzz::RefLines(written);
  FUZZ_CHECK(lines.size() == 14);
  std::size_t crlf = 0;
  for (std::size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2)) ++crlf;
  FUZZ_CHECK(crlf == 14 && written.compare(written.size() - 2, 2, "\r\n") == 0);

  files.incomplete = false;
  FUZZ_CHECK(SaveSettings(files, path, first));
  FUZZ_CHECK(files.files.size() == 1 && files.files[path] == written);
  TSettings second;
  second.main = {1, 2, 3, 4};  // every value must come from the file
  second.slotEditor = {5, 6};
  second.settingsDialog = {7, 8};
  LoadSettings(files, path, exeDir, second);
  FUZZ_CHECK(second == first);
  return 0;
}
