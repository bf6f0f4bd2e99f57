// What one detection costs: DetectSwitches over 1,000 command entries and 200 host captions,
// against the bare search of every keyword in the caption text (keywords split beforehand).
// Native only; Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "host/host_scan.h"
#include "text/func.h"

namespace tabvane::bench {
namespace {

struct DetectionData {
  std::vector<TCommandEntry> entries;
  std::vector<std::vector<std::string>> keywords;  // entries' keywords, split once
  std::string captionText;
};

const DetectionData& Data() {
  static const DetectionData data = [] {
    DetectionData d;
    d.captionText = CaptionText(WorkloadCaptions());
    int32_t tab = 0;
    for (std::string& list : WorkloadKeywordLists()) {
      TCommandEntry entry;
      entry.Page = tab % 6;
      entry.TabIndex = tab++ / 6;
      entry.TabName = "tab";
      entry.Keywords = std::move(list);
      std::vector<std::string> items;
      SplitCommaText(entry.Keywords, items);
      d.keywords.push_back(std::move(items));
      d.entries.push_back(std::move(entry));
    }
    return d;
  }();
  return data;
}

void Detection(benchmark::State& state) {
  const DetectionData& d = Data();
  std::size_t switches = 0;
  for (auto _ : state) {
    const std::vector<std::size_t> found = DetectSwitches(d.entries, d.captionText);
    switches = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["switches"] = static_cast<double>(switches);
  state.counters["text_bytes"] = static_cast<double>(d.captionText.size());
}
BENCHMARK(Detection);

// The raw cost of the question detection answers: every keyword looked up in the text.
void DetectionBaseline(benchmark::State& state) {
  const DetectionData& d = Data();
  for (auto _ : state) {
    std::size_t complete = 0;
    for (const std::vector<std::string>& keywords : d.keywords) {
      std::size_t found = 0;
      for (const std::string& keyword : keywords) {
        if (::memmem(d.captionText.data(), d.captionText.size(), keyword.data(), keyword.size())) {
          ++found;
        }
      }
      if (found == keywords.size()) ++complete;
    }
    benchmark::DoNotOptimize(complete);
  }
}
BENCHMARK(DetectionBaseline);

}  // namespace
}  // namespace tabvane::bench
