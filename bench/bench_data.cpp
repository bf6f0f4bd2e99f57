// Deterministic sample data for the benchmarks. Depends on the standard library only.
#include "bench/bench_data.h"

#include <algorithm>

namespace tabvane::bench {

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

uint32_t Random::Between(uint32_t lo, uint32_t hi) {
  return lo + static_cast<uint32_t>(Next() % (static_cast<uint64_t>(hi) - lo + 1));
}

namespace {

void AppendDoubleByte(std::string& text, uint32_t lead, uint32_t trail) {
  text.push_back(static_cast<char>(lead));
  text.push_back(static_cast<char>(trail));
}

// A trail byte 0x40..0xFC without 0x7F.
uint32_t TrailByte(Random& random) {
  const uint32_t t = random.Between(0x40, 0xFB);
  return t >= 0x7F ? t + 1 : t;
}

void AppendCharacter(std::string& text, Random& random) {
  const uint32_t kind = random.Between(0, 9);
  if (kind < 5) {  // kanji of the first level
    AppendDoubleByte(text, random.Between(0x89, 0x98), TrailByte(random));
  } else if (kind < 8) {  // katakana
    uint32_t t = random.Between(0x40, 0x95);
    AppendDoubleByte(text, 0x83, t >= 0x7F ? t + 1 : t);
  } else {  // hiragana
    AppendDoubleByte(text, 0x82, random.Between(0x9F, 0xF1));
  }
}

}  // namespace

std::vector<std::string> Vocabulary(std::size_t count, uint64_t seed) {
  Random random(seed);
  std::vector<std::string> words;
  words.reserve(count);
  while (words.size() < count) {
    std::string word;
    if (random.Between(0, 4) == 0) {
      const uint32_t length = random.Between(2, 6);
      for (uint32_t i = 0; i < length; ++i) {
        word.push_back(static_cast<char>(random.Between('A', 'Z')));
      }
    } else {
      const uint32_t length = random.Between(1, 4);
      for (uint32_t i = 0; i < length; ++i) AppendCharacter(word, random);
    }
    words.push_back(std::move(word));
  }
  return words;
}

namespace {

const std::string& AnyWord(const std::vector<std::string>& words, Random& random) {
  return words[random.Next() % words.size()];
}

}  // namespace

std::vector<std::string> Captions(const std::vector<std::string>& words, std::size_t shown,
                                  std::size_t count, uint64_t seed) {
  Random random(seed);
  std::vector<std::string> captions;
  captions.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string caption;
    const uint32_t parts = random.Between(1, 3);
    for (uint32_t p = 0; p < parts; ++p) {
      if (p > 0 && random.Between(0, 1) == 0) caption += ' ';
      caption += words[random.Next() % std::min(shown, words.size())];
    }
    captions.push_back(std::move(caption));
  }
  return captions;
}

std::vector<std::string> KeywordLists(const std::vector<std::string>& words, std::size_t count,
                                      uint64_t seed) {
  Random random(seed);
  std::vector<std::string> lists;
  lists.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string list;
    const uint32_t n = random.Between(1, 6);
    for (uint32_t k = 0; k < n; ++k) {
      if (k > 0) list += ',';
      list += AnyWord(words, random);
    }
    lists.push_back(std::move(list));
  }
  return lists;
}

std::string CommandListBytes(const std::vector<std::string>& words, std::size_t entryCount,
                             int pages, uint64_t seed) {
  Random random(seed);
  const std::vector<std::string> keywords = KeywordLists(words, entryCount, seed + 1);
  std::string bytes;
  pages = std::clamp(pages, 1, 6);
  const std::size_t perPage = (entryCount + static_cast<std::size_t>(pages) - 1) /
                              static_cast<std::size_t>(pages);
  std::size_t written = 0;
  for (int page = 0; page < pages && written < entryCount; ++page) {
    bytes += "[page ";
    bytes += std::to_string(page + 1);
    bytes += "]\r\n";
    std::size_t onPage = 0;
    while (onPage < perPage && written < entryCount) {
      const std::string& name = AnyWord(words, random);
      const uint32_t lines = random.Between(1, 4);
      for (uint32_t l = 0; l < lines && onPage < perPage && written < entryCount; ++l) {
        bytes += name;
        bytes += '\t';
        bytes += keywords[written];
        bytes += "\r\n";
        ++onPage;
        ++written;
      }
    }
  }
  return bytes;
}

std::string MenuFileBytes(const std::vector<std::string>& words, std::size_t menuCount,
                          uint64_t seed) {
  Random random(seed);
  std::string bytes;
  for (std::size_t m = 0; m < menuCount; ++m) {
    for (int s = 0; s < 36; ++s) {
      if (random.Between(0, 3) != 0) {  // about a quarter of the slots stay empty
        const std::string& name = AnyWord(words, random);
        bytes += name;
        bytes += '\t';
        bytes += "C:\\jww\\";
        bytes += AnyWord(words, random);
        bytes += '\\';
        bytes += name;
        bytes += ".bat";
      } else {
        bytes += '\t';
      }
      bytes += "\r\n";
    }
    bytes += "\r\n";
  }
  return bytes;
}

namespace {
constexpr uint64_t kWordSeed = 1;
constexpr uint64_t kCaptionSeed = 2;
constexpr uint64_t kListSeed = 2;  // keyword lists: kListSeed + 1
constexpr std::size_t kWordCount = 1000;
constexpr std::size_t kShownWords = 300;
}  // namespace

std::vector<std::string> WorkloadWords() { return Vocabulary(kWordCount, kWordSeed); }

std::vector<std::string> WorkloadCaptions() {
  return Captions(WorkloadWords(), kShownWords, kCaptionCount, kCaptionSeed);
}

std::vector<std::string> WorkloadKeywordLists() {
  return KeywordLists(WorkloadWords(), kEntryCount, kListSeed + 1);
}

std::string WorkloadCommandList(int pages) {
  return CommandListBytes(WorkloadWords(), kEntryCount, pages, kListSeed);
}

}  // namespace tabvane::bench
