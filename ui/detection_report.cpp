// The detection view's text. No platform headers.
#include "ui/detection_report.h"

#include <algorithm>
#include <string_view>

#include "text/texts.h"
#include "ui/controls.h"

namespace tabvane {
namespace {

class Lines {
 public:
  void Add(std::string_view line) {
    text_ += line;
    text_ += "\r\n";
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

// "com_list.txt 12 行目  ページ「作図」  タブ「線」"
std::string Where(const TCommandEntry& entry) {
  std::string text("com_list.txt ");
  text += std::to_string(entry.Line);
  text += texts::kLineSuffix;
  text += "  ";
  text += texts::kPage;
  if (entry.Page >= 0 && entry.Page < kPageCount) {
    text += texts::kOpenQuote;
    text += texts::kPageCaptions[static_cast<std::size_t>(entry.Page)];
    text += texts::kCloseQuote;
  } else {
    text += ' ';
    text += std::to_string(entry.Page);
  }
  text += "  ";
  text += texts::kTab;
  text += texts::kOpenQuote;
  text += entry.TabName;
  text += texts::kCloseQuote;
  return text;
}

void AddTarget(Lines& lines, const DetectionFacts& facts) {
  if (facts.target != 0 && facts.targetLive) {
    lines.Add(std::string(texts::kTarget) + facts.targetTitle);
    lines.Add(std::string(texts::kHandle) + std::to_string(facts.target));
  } else {
    lines.Add(texts::kNoTarget);
  }
  std::string bridge(texts::kBridgeFolder);
  switch (facts.bridge.source) {
    case BridgeFolder::Source::Process:
      bridge += facts.bridge.folder + std::string(texts::kFromProcess);
      break;
    case BridgeFolder::Source::Registry:
      bridge += facts.bridge.folder + std::string(texts::kFromRegistry);
      break;
    case BridgeFolder::Source::VirtualStore:
      bridge += facts.bridge.folder + std::string(texts::kFromVirtualStore);
      break;
    case BridgeFolder::Source::None: bridge += texts::kNone; break;
  }
  lines.Add(bridge);
  std::string encoding(texts::kListEncoding);
  encoding += facts.listEncoding == ListEncoding::ShiftJis ? "Shift-JIS"
              : facts.listEncoding == ListEncoding::Utf8   ? "UTF-8"
                                                           : "UTF-8 (BOM)";
  lines.Add(encoding);
  if (facts.unmappable > 0) {
    lines.Add("  " + std::to_string(facts.unmappable) + std::string(texts::kUnmappableChars));
  }
}

void AddCaptions(Lines& lines, const DetectionFacts& facts) {
  lines.Add(texts::kCaptionsRead);
  if (facts.skipped != DetectionFacts::Skipped::No) {
    lines.Add("  " + std::string(texts::kNotRead));
    return;
  }
  std::size_t n = 0;
  for (const std::string& caption : facts.captions.all) {
    std::string line = "  " + std::to_string(++n) + ". ";
    switch (KindOfCaption(caption)) {
      case CaptionKind::Command: line += caption; break;
      case CaptionKind::Panel: line += caption + std::string(texts::kPanelMark); break;
      case CaptionKind::Blank: line += texts::kBlankMark; break;
    }
    lines.Add(line);
  }
  if (n == 0) lines.Add("  " + std::string(texts::kNone));
}

void AddResult(Lines& lines, const DetectionFacts& facts, const std::vector<TCommandEntry>& entries,
               std::string_view captionText) {
  lines.Add(texts::kResult);
  std::string_view reason;
  if (facts.skipped == DetectionFacts::Skipped::FreePage) reason = texts::kOnFreePage;
  if (facts.skipped == DetectionFacts::Skipped::EditMode) reason = texts::kEditMode;
  if (reason.empty() && (facts.target == 0 || !facts.targetLive)) reason = texts::kNoTarget;
  if (reason.empty() && facts.switches.empty()) reason = texts::kNoFullMatch;
  if (!reason.empty()) {
    lines.Add(std::string(texts::kNoSwitch) + std::string(reason));
    return;
  }
  const TCommandEntry& winner = entries[facts.switches.back()];
  lines.Add(std::string(texts::kSwitchedTo) + Where(winner));
  std::vector<std::string> keywords;
  SplitCommaText(winner.Keywords, keywords);
  const std::vector<bool> found = KeywordsFound(winner, captionText);
  std::string marks(texts::kKeywords);
  for (std::size_t k = 0; k < keywords.size() && k < found.size(); ++k) {
    marks += "  " + keywords[k] + ' ';
    marks += found[k] ? texts::kCircle : texts::kCross;
  }
  lines.Add(marks);
}

// The entries that came closest besides the winner: most keywords found first, then in list
// order; only entries with a keyword found.
void AddRunnersUp(Lines& lines, const DetectionFacts& facts,
                  const std::vector<TCommandEntry>& entries, std::string_view captionText) {
  if (facts.skipped != DetectionFacts::Skipped::No) return;
  struct Score {
    std::size_t entry;
    std::size_t found;
    std::size_t total;
  };
  std::vector<Score> scores;
  const std::size_t winner = facts.switches.empty() ? entries.size() : facts.switches.back();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i == winner) continue;
    const std::vector<bool> found = KeywordsFound(entries[i], captionText);
    const auto count = static_cast<std::size_t>(std::count(found.begin(), found.end(), true));
    if (count > 0) scores.push_back({i, count, found.size()});
  }
  std::stable_sort(scores.begin(), scores.end(),
                   [](const Score& a, const Score& b) { return a.found > b.found; });
  lines.Add("");
  lines.Add(texts::kRunnersUp);
  if (scores.empty()) lines.Add("  " + std::string(texts::kNone));
  for (std::size_t i = 0; i < scores.size() && i < kRunnersUp; ++i) {
    lines.Add("  " + Where(entries[scores[i].entry]) + "  " + std::to_string(scores[i].found) +
              " / " + std::to_string(scores[i].total));
  }
}

}  // namespace

std::string DetectionReport(const DetectionFacts& facts, const std::vector<TCommandEntry>& entries) {
  const std::string captionText = CaptionText(facts.captions.commands);
  Lines lines;
  AddTarget(lines, facts);
  lines.Add("");
  AddCaptions(lines, facts);
  lines.Add("");
  AddResult(lines, facts, entries, captionText);
  AddRunnersUp(lines, facts, entries, captionText);
  return lines.Take();
}

}  // namespace tabvane
