// The folded form of a text that the find box compares: case and the difference between full-width
// and half-width forms do not count there. Folding maps each character to a whole character, so a
// folded text keeps its character boundaries and FindText works on it. No project includes beyond
// text/.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabvane {

// Appends text folded to out: ASCII letters in lower case; full-width letters and digits as ASCII
// ones (letters in lower case); half-width katakana and their punctuation as full-width characters,
// a half-width voiced or semi-voiced mark joined with the kana before it where the code page has
// the joined character ("ｶﾞ" becomes "ガ"). Everything else stays as it is.
void AppendFolded(std::string_view text, std::string& out);

inline std::string Folded(std::string_view text) {
  std::string out;
  AppendFolded(text, out);
  return out;
}

// The words of a typed query, each folded: the parts between blanks (half-width, full-width, tabs).
// No word is empty; a query of blanks only has none.
std::vector<std::string> FoldedWords(std::string_view query);

// Whether every word occurs in the folded text (on a character boundary), in any order. False for
// no words.
bool ContainsAllWords(std::string_view foldedText, const std::vector<std::string>& words);

}  // namespace tabvane
