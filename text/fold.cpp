// Folding of case and character widths for the find box.
#include "text/fold.h"

#include <array>
#include <cstdint>

#include "text/sjis.h"

namespace tabvane {
namespace {

// The full-width character of each half-width katakana and punctuation byte 0xA1..0xDF.
constexpr std::array<uint16_t, 0xE0 - 0xA1> kFullWidth = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A,
    0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360,
    0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374,
    0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B};

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

// The full-width character of half-width kana c followed by mark, or 0 when the code page has no
// such joined character. Voiced kana follow their plain one in the code page: カ+1 is ガ, ハ+1 is バ
// and ハ+2 is パ; ウ with the mark is ヴ, apart.
uint16_t Joined(unsigned char c, unsigned char mark) {
  const uint16_t plain = kFullWidth[c - 0xA1];
  const bool kst = c >= 0xB6 && c <= 0xC4;  // ｶ .. ﾄ
  const bool h = c >= 0xCA && c <= 0xCE;    // ﾊ .. ﾎ
  if (mark == kVoicedMark) {
    if (kst || h) return static_cast<uint16_t>(plain + 1);
    if (c == 0xB3) return 0x8394;  // ｳﾞ
  } else if (h) {
    return static_cast<uint16_t>(plain + 2);
  }
  return 0;
}

void AppendDouble(uint16_t code, std::string& out) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

void AppendFolded(std::string_view text, std::string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsCp932Lead(c) && i + 1 < text.size()) {
      const auto trail = static_cast<unsigned char>(text[++i]);
      if (c == 0x82 && trail >= 0x4F && trail <= 0x58) {  // ０ .. ９
        out.push_back(static_cast<char>('0' + (trail - 0x4F)));
      } else if (c == 0x82 && trail >= 0x60 && trail <= 0x79) {  // Ａ .. Ｚ
        out.push_back(static_cast<char>('a' + (trail - 0x60)));
      } else if (c == 0x82 && trail >= 0x81 && trail <= 0x9A) {  // ａ .. ｚ
        out.push_back(static_cast<char>('a' + (trail - 0x81)));
      } else {
        out.push_back(static_cast<char>(c));
        out.push_back(static_cast<char>(trail));
      }
    } else if (c >= 0xA1 && c <= 0xDF) {
      const auto next = static_cast<unsigned char>(i + 1 < text.size() ? text[i + 1] : '\0');
      const uint16_t joined =
          (next == kVoicedMark || next == kSemiVoicedMark) ? Joined(c, next) : 0;
      if (joined != 0) ++i;
      AppendDouble(joined != 0 ? joined : kFullWidth[c - 0xA1], out);
    } else if (c >= 'A' && c <= 'Z') {
      out.push_back(static_cast<char>(c - 'A' + 'a'));
    } else {
      out.push_back(static_cast<char>(c));  // a lone lead byte at the end too
    }
  }
}

std::vector<std::string> FoldedWords(std::string_view query) {
  std::vector<std::string> words;
  std::string word;
  const auto endWord = [&] {
    if (!word.empty()) words.push_back(Folded(word));
    word.clear();
  };
  for (std::size_t i = 0; i < query.size(); ++i) {
    const auto c = static_cast<unsigned char>(query[i]);
    if (IsCp932Lead(c) && i + 1 < query.size()) {
      if (c == 0x81 && static_cast<unsigned char>(query[i + 1]) == 0x40) {  // the full-width blank
        endWord();
      } else {
        word.append(query.substr(i, 2));
      }
      ++i;
    } else if (c <= 0x20) {
      endWord();
    } else {
      word.push_back(static_cast<char>(c));
    }
  }
  endWord();
  return words;
}

bool ContainsAllWords(std::string_view foldedText, const std::vector<std::string>& words) {
  if (words.empty()) return false;
  for (const std::string& word : words) {
    if (!ContainsText(foldedText, word)) return false;
  }
  return true;
}

}  // namespace tabvane
