// Fuzz target: any ga_list.txt read into 0..4 menus, written back and read again gives the same
// slots and surplus lines; no slot text can hold a line break, so every bridge batch written
// from a loaded path has its 11 lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/host_launch.h"
#include "model/menus.h"
#include "tests/fuzz/fuzz_common.h"
#include "text/lines.h"

using namespace tabvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int32_t menuCount = data[0] % 5;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string path = "C:\\app\\ga_list.txt";
  fuzz::FuzzFiles files;
  files.folders.insert("C:\\app\\");
  files.files[path] = bytes;
  const MenuStore first = LoadMenus(files, path, menuCount);
  FUZZ_CHECK(first.FMenus.size() == static_cast<std::size_t>(menuCount));
  FUZZ_CHECK(!first.unreadable);

  // The i-th line holding a TAB is slot i: menus first, then the surplus as read.
  std::vector<std::string> slotLines;
  for (const std::string& line : fuzz::RefLines(bytes)) {
    if (line.find('\t') != std::string::npos) slotLines.push_back(line);
  }
  const std::size_t capacity = static_cast<std::size_t>(menuCount) * kSlotCount;
  for (std::size_t i = 0; i < capacity; ++i) {
    const TMenu& menu = first.FMenus[i / kSlotCount];
    const std::string& name = menu.Names[i % kSlotCount];
    const std::string& batch = menu.BatchFiles[i % kSlotCount];
    FUZZ_CHECK(name.find('\t') == std::string::npos);
    FUZZ_CHECK(!fuzz::HasLineBreakByte(name) && !fuzz::HasLineBreakByte(batch));
    FUZZ_CHECK(i < slotLines.size() ? slotLines[i] == name + '\t' + batch : name.empty() && batch.empty());
    // Whatever path a slot holds, the bridge batch keeps its 11 lines.
    if (!batch.empty()) {
      const std::vector<std::string> lines = fuzz::RefLines(BridgeBatchBytes(batch));
      FUZZ_CHECK(lines.size() == 11 && lines[6] == "REM  #h/" + batch);
    }
  }
  const std::vector<std::string> surplus(slotLines.begin() + static_cast<std::ptrdiff_t>(std::min(capacity, slotLines.size())),
                                         slotLines.end());
  FUZZ_CHECK(first.surplusLines == surplus);

  // Written and read again: the same menus and surplus, and the same bytes once more.
  const std::string written = MenuFileBytes(first);
  FUZZ_CHECK(written.empty() || written.size() >= 2);
  FUZZ_CHECK(written.empty() || written.compare(written.size() - 2, 2, "\r\n") == 0);
  files.files[path] = written;
  const MenuStore second = LoadMenus(files, path, menuCount);
  for (std::size_t m = 0; m < first.FMenus.size(); ++m) {
    FUZZ_CHECK(second.FMenus[m].Names == first.FMenus[m].Names);
    FUZZ_CHECK(second.FMenus[m].BatchFiles == first.FMenus[m].BatchFiles);
  }
  FUZZ_CHECK(second.surplusLines == first.surplusLines);
  FUZZ_CHECK(MenuFileBytes(second) == written);

  // Saved through the file layer: the file holds exactly those bytes, no temporary is left.
  FUZZ_CHECK(SaveMenus(files, path, second));
  FUZZ_CHECK(files.files.size() == 1 && files.files[path] == written);
  return 0;
}
