// The find box's filter per keystroke over the 1,000-menu sample (36,000 slots), against a plain
// memmem of the same typed bytes over the same names and paths. Native only; Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_data.h"
#include "model/command_list.h"
#include "model/find.h"
#include "model/menus.h"

namespace tabvane::bench {
namespace {

constexpr std::size_t kMenus = 1000;

// 1,000 tabs spread over the six pages, each with its menu, filled from the sample menu file.
struct Sample {
  std::vector<TCommandEntry> entries;
  std::vector<TMenu> menus{kMenus};
  std::string query;  // a word the sample uses, as typed

  Sample() {
    for (std::size_t m = 0; m < kMenus; ++m) {
      const auto page = static_cast<int32_t>(m * kPageCount / kMenus);
      const auto firstOfPage =
          (static_cast<std::size_t>(page) * kMenus + kPageCount - 1) / kPageCount;
      entries.push_back({page, static_cast<int32_t>(m - firstOfPage), static_cast<int32_t>(m + 1),
                         std::to_string(m), ""});
    }
    const std::string bytes = MenuFileBytes(WorkloadWords(), kMenus, 5);
    std::string_view rest = bytes;
    for (std::size_t m = 0; m < kMenus; ++m) {
      for (std::size_t s = 0; s <= kSlotCount; ++s) {
        const std::size_t end = rest.find("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 2);
        const std::size_t tab = line.find('\t');
        if (s == kSlotCount || tab == std::string_view::npos) continue;
        menus[m].Names[s] = std::string(line.substr(0, tab));
        menus[m].BatchFiles[s] = std::string(line.substr(tab + 1));
      }
    }
    // The first two-byte name of the middle menu.
    for (const std::string& name : menus[kMenus / 2].Names) {
      if (name.size() >= 4 && static_cast<unsigned char>(name[0]) >= 0x81) {
        query = name.substr(0, 4);
        break;
      }
    }
  }
};

const Sample& TheSample() {
  static const Sample sample;
  return sample;
}

void FindFilter(benchmark::State& state) {
  const Sample& sample = TheSample();
  const FindIndex index(sample.entries, sample.menus);
  std::size_t hits = 0;
  for (auto _ : state) {
    const std::vector<FindHit> found = index.Filter(sample.query);
    hits = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["slots"] = static_cast<double>(index.Size());
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(FindFilter);

// The same typed bytes searched with memmem in every name, and in the path where the name has none,
// the slots found collected likewise.
void FindFilterBaseline(benchmark::State& state) {
  const Sample& sample = TheSample();
  const std::string& query = sample.query;
  const auto holds = [&](const std::string& text) {
    return ::memmem(text.data(), text.size(), query.data(), query.size()) != nullptr;
  };
  for (auto _ : state) {
    std::vector<FindHit> found;
    std::vector<FindHit> byPath;
    for (std::size_t m = 0; m < sample.menus.size(); ++m) {
      const TMenu& menu = sample.menus[m];
      for (int32_t s = 0; s < kSlotCount; ++s) {
        const auto slot = static_cast<std::size_t>(s);
        if (menu.Names[slot].empty()) continue;
        if (holds(menu.Names[slot])) {
          found.push_back({0, 0, s, m});
        } else if (holds(menu.BatchFiles[slot])) {
          byPath.push_back({0, 0, s, m});
        }
      }
    }
    found.insert(found.end(), byPath.begin(), byPath.end());
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(FindFilterBaseline);

// Opening the box: every name and path folded into the index.
void FindIndexBuild(benchmark::State& state) {
  const Sample& sample = TheSample();
  for (auto _ : state) {
    const FindIndex index(sample.entries, sample.menus);
    benchmark::DoNotOptimize(index.Size());
  }
}
BENCHMARK(FindIndexBuild);

}  // namespace
}  // namespace tabvane::bench
