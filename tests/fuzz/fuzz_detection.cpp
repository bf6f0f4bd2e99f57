// Fuzz target: the page switching decision. Every entry that switches has all its keywords in
// the caption text and strictly more of them than the switch before it, and no entry that
// should have switched is missed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/host_scan.h"
#include "tests/fuzz/fuzz_common.h"
#include "text/func.h"

using namespace tabvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<TCommandEntry> entries(input.ConsumeIntegralInRange<std::size_t>(0, 12));
  for (TCommandEntry& e : entries) {
    e.Page = input.ConsumeIntegralInRange<int32_t>(-1, 7);
    e.TabIndex = input.ConsumeIntegralInRange<int32_t>(0, 3);
    e.Keywords = input.ConsumeRandomLengthString(48);
  }
  const std::string captions = input.ConsumeRemainingBytesAsString();
  const std::vector<std::size_t> switches = DetectSwitches(entries, captions);

  // The same decision worked out from the rule, keyword by keyword with the reference search.
  std::vector<std::size_t> expected;
  std::size_t best = 0;
  std::vector<std::string> keywords;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int32_t n = SplitCommaText(entries[i].Keywords, keywords);
    if (n <= 0) continue;
    bool all = true;
    for (const std::string& k : keywords) all = all && fuzz::RefFind(captions, k) != std::string::npos;
    if (all && keywords.size() > best) {
      expected.push_back(i);
      best = keywords.size();
    }
  }
  FUZZ_CHECK(switches == expected);

  std::size_t previous = 0;
  for (std::size_t k = 0; k < switches.size(); ++k) {
    FUZZ_CHECK(switches[k] < entries.size());
    FUZZ_CHECK(k == 0 || switches[k] > switches[k - 1]);
    const int32_t n = SplitCommaText(entries[switches[k]].Keywords, keywords);
    FUZZ_CHECK(n > 0 && static_cast<std::size_t>(n) > previous);
    previous = static_cast<std::size_t>(n);
  }
  return 0;
}
