// Fuzz target: com_list.txt read from memory, the tabs built on fake tab strips, and every
// built tab found again by FindMenuNumber.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/command_list.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fuzz/fuzz_common.h"

using namespace tabvane;

namespace {

// The tab captions of each page 0..5 worked out from the lines alone: in a page block a tab
// opens at the first entry line and wherever the name changes from the line before.
std::array<std::vector<std::string>, kPageCount> ExpectedTabs(const std::vector<std::string>& lines) {
  std::array<std::vector<std::string>, kPageCount> tabs;
  int page = -1;
  bool first = true;
  std::string prev;
  for (const std::string& line : lines) {
    const std::size_t cut = line.find('\t');
    if (cut == std::string::npos) {
      ++page;
      first = true;
      continue;
    }
    const std::string name = line.substr(0, cut);
    if ((first || name != prev) && page >= 0 && page < kPageCount) {
      tabs[static_cast<std::size_t>(page)].push_back(name);
    }
    first = false;
    prev = name;
  }
  return tabs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = "C:\\app\\com_list.txt";
  fuzz::FuzzFiles files;
  files.files[path] = bytes;
  std::vector<TCommandEntry> entries = LoadCommandList(files, path);

  std::array<fakes::FakeTabStrip, kPageCount> fakeStrips;
  fakeStrips.back().tabs.assign(10, "design");  // TabControl6's design tabs must go
  std::array<TabStrip*, kPageCount> strips{};
  for (std::size_t p = 0; p < strips.size(); ++p) strips[p] = &fakeStrips[p];
  const int32_t count = BuildTabs(entries, strips);

  // Entries: fields free of line breaks, pages and tab indices counted up in steps of one.
  int32_t prevPage = -1;
  int32_t prevTab = -1;
  int32_t nextNumber = 1;
  std::vector<const TCommandEntry*> opener{nullptr};  // by menu number
  for (const TCommandEntry& e : entries) {
    FUZZ_CHECK(e.TabName.find('\t') == std::string::npos);
    FUZZ_CHECK(!fuzz::HasLineBreakByte(e.TabName) && !fuzz::HasLineBreakByte(e.Keywords));
    FUZZ_CHECK(e.Page >= prevPage);
    if (e.Page != prevPage) {
      FUZZ_CHECK(e.TabIndex == 0);
    } else {
      FUZZ_CHECK(e.TabIndex == prevTab || e.TabIndex == prevTab + 1);
    }
    if (e.MenuNumber != 0) {
      FUZZ_CHECK(e.MenuNumber == nextNumber);  // 1, 2, ... in file order
      ++nextNumber;
      opener.push_back(&e);
      FUZZ_CHECK(e.Page >= 0 && e.Page < kPageCount);
    }
    prevPage = e.Page;
    prevTab = e.TabIndex;
  }
  FUZZ_CHECK(count == nextNumber - 1);

  // Every built tab at position k of page p is found by FindMenuNumber(p, k), and its entry
  // carries the tab's caption; positions past the last tab find nothing.
  const auto expected = ExpectedTabs(fuzz::RefLines(bytes));
  int32_t tabs = 0;
  for (int32_t p = 0; p < kPageCount; ++p) {
    const fakes::FakeTabStrip& strip = fakeStrips[static_cast<std::size_t>(p)];
    FUZZ_CHECK(strip.tabs == expected[static_cast<std::size_t>(p)]);
    for (int32_t k = 0; k < strip.TabCount(); ++k) {
      const int32_t m = FindMenuNumber(entries, p, k);
      FUZZ_CHECK(m == tabs + 1 && static_cast<std::size_t>(m) < opener.size());  // page by page, tab by tab
      ++tabs;
      const TCommandEntry& e = *opener[static_cast<std::size_t>(m)];
      FUZZ_CHECK(e.Page == p && e.TabIndex == k);
      FUZZ_CHECK(e.TabName == strip.tabs[static_cast<std::size_t>(k)]);
    }
    FUZZ_CHECK(FindMenuNumber(entries, p, strip.TabCount()) == 0);
    FUZZ_CHECK(FindMenuNumber(entries, p, -1) == 0);
  }
  FUZZ_CHECK(tabs == count);
  FUZZ_CHECK(FindMenuNumber(entries, -1, 0) == 0 && FindMenuNumber(entries, kPageCount, 0) == 0);
  return 0;
}
