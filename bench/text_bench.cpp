// The text helpers on typical inputs: a keyword list, the caption text of a detection and
// the numbers of the settings file and the host selector. Native only; Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_data.h"
#include "host/host_scan.h"
#include "text/func.h"
#include "text/sjis.h"

namespace tabvane::bench {
namespace {

const std::string& WorkloadCaptionText() {
  static const std::string text = CaptionText(WorkloadCaptions());
  return text;
}

void SplitKeywordList(benchmark::State& state) {
  // 線,寸法,"基点,中心",15度毎
  const std::string list =
      "\x90\xFC,\x90\xA1\x96\x40,\"\x8A\xEE\x93\x5F,\x92\x86\x90\x53\",15\x93\x78\x96\x88";
  std::vector<std::string> items;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SplitCommaText(list, items));
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(SplitKeywordList);

// A keyword that is not in the text: the whole text is searched.
constexpr std::string_view kAbsent = "\x8B\xE9\x8C\x60\x8A\xEE";  // 矩形基

void FindTextAbsent(benchmark::State& state) {
  const std::string& text = WorkloadCaptionText();
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, kAbsent));
  state.counters["text_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(FindTextAbsent);

void FindTextAbsentBaseline(benchmark::State& state) {
  const std::string& text = WorkloadCaptionText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(::memmem(text.data(), text.size(), kAbsent.data(), kAbsent.size()));
  }
}
BENCHMARK(FindTextAbsentBaseline);

// The last caption: found at the end of the text, after every character before it.
void FindTextLate(benchmark::State& state) {
  const std::string& text = WorkloadCaptionText();
  const std::string needle = WorkloadCaptions().back();
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, needle));
}
BENCHMARK(FindTextLate);

void FindTextLateBaseline(benchmark::State& state) {
  const std::string& text = WorkloadCaptionText();
  const std::string needle = WorkloadCaptions().back();
  for (auto _ : state) {
    benchmark::DoNotOptimize(::memmem(text.data(), text.size(), needle.data(), needle.size()));
  }
}
BENCHMARK(FindTextLateBaseline);

void TextToIntDecimal(benchmark::State& state) {
  const std::string text = "3000";
  for (auto _ : state) benchmark::DoNotOptimize(TextToInt(text));
}
BENCHMARK(TextToIntDecimal);

void TextToIntHandle(benchmark::State& state) {
  const std::string text = "4294967294";  // a handle beyond the signed range: 0
  for (auto _ : state) benchmark::DoNotOptimize(TextToInt(text));
}
BENCHMARK(TextToIntHandle);

void TextToIntHex(benchmark::State& state) {
  const std::string text = "$0001A2B4";
  for (auto _ : state) benchmark::DoNotOptimize(TextToInt(text));
}
BENCHMARK(TextToIntHex);

}  // namespace
}  // namespace tabvane::bench
