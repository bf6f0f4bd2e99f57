// Deterministic sample data for the benchmarks: Shift-JIS words, host captions, a command
// list and a menu file of any size. Same seed, same bytes, on every platform.
// Depends on the standard library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tabvane::bench {

// A small generator with a fixed sequence (splitmix64).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // Uniform in lo..hi (both included).
  uint32_t Between(uint32_t lo, uint32_t hi);

 private:
  uint64_t state_;
};

// A vocabulary of words of 1 to 4 characters: mostly kanji and kana (trail bytes include
// 0x5C), a fifth ASCII words.
std::vector<std::string> Vocabulary(std::size_t count, uint64_t seed);

// count host captions of 1 to 3 words each, drawn from the first `shown` vocabulary words
// (the words a host shows at one moment are a part of all the words keywords use).
std::vector<std::string> Captions(const std::vector<std::string>& words, std::size_t shown,
                                  std::size_t count, uint64_t seed);

// One keyword list per entry: 1 to 6 vocabulary words joined with ",".
std::vector<std::string> KeywordLists(const std::vector<std::string>& words, std::size_t count,
                                      uint64_t seed);

// Command list bytes with entryCount entry lines "name TAB keywords" in tabs of 1 to 4
// lines, spread evenly over `pages` pages (at most 6); lines end in CR LF. The keywords are
// KeywordLists(words, entryCount, seed + 1).
std::string CommandListBytes(const std::vector<std::string>& words, std::size_t entryCount,
                             int pages, uint64_t seed);

// Menu file bytes of menuCount menus: 36 lines "name TAB batch path" and one empty line each.
std::string MenuFileBytes(const std::vector<std::string>& words, std::size_t menuCount,
                          uint64_t seed);

// The one workload of every detection figure, natively and under Wine: 1,000 words, 200
// captions shown by the host, 1,000 command entries with their keyword lists.
inline constexpr std::size_t kCaptionCount = 200;
inline constexpr std::size_t kEntryCount = 1000;
std::vector<std::string> WorkloadWords();
std::vector<std::string> WorkloadCaptions();
std::vector<std::string> WorkloadKeywordLists();
// The workload's entries as a command list file over `pages` pages.
std::string WorkloadCommandList(int pages);

}  // namespace tabvane::bench
