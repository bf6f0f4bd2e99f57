// The detection view's text. No platform headers.
#include "ui/detection_report.h"

#include <algorithm>
#include <string_view>

#include "ui/controls.h"

namespace tabvane {
namespace {

constexpr std::string_view kTarget = "\x83\x5E\x81\x5B\x83\x51\x83\x62\x83\x67: ";  // ターゲット:
constexpr std::string_view kNoTarget =  // ターゲットなし
    "\x83\x5E\x81\x5B\x83\x51\x83\x62\x83\x67\x82\xC8\x82\xB5";
constexpr std::string_view kHandle = "  \x83\x6E\x83\x93\x83\x68\x83\x8B: ";  // ハンドル:
constexpr std::string_view kBridge =  // Tabvane.bat の書き込み先:
    "  Tabvane.bat \x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x90\xE6: ";
constexpr std::string_view kFromProcess =  // （実行中の Jw_cad のフォルダー）
    "\x81\x69\x8E\xC0\x8D\x73\x92\x86\x82\xCC Jw_cad \x82\xCC\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B"
    "\x81\x6A";
constexpr std::string_view kFromRegistry =  // （レジストリの関連付けから）
    "\x81\x69\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x82\xCC\x8A\xD6\x98\x41\x95\x74\x82\xAF\x82\xA9"
    "\x82\xE7\x81\x6A";
constexpr std::string_view kNone = "\x82\xC8\x82\xB5";  // なし
constexpr std::string_view kCaptionsRead =  // 読み取った文字（前回の走査）:
    "\x93\xC7\x82\xDD\x8E\xE6\x82\xC1\x82\xBD\x95\xB6\x8E\x9A\x81\x69\x91\x4F\x89\xF1\x82\xCC\x91\x96"
    "\x8D\xB8\x81\x6A:";
constexpr std::string_view kNotRead =  // 読み取っていません
    "\x93\xC7\x82\xDD\x8E\xE6\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";
constexpr std::string_view kPanel = "\x81\x69\x8C\xC5\x92\xE8\x81\x6A";  // （固定）
constexpr std::string_view kBlank = "\x81\x69\x8B\xF3\x94\x92\x81\x6A";  // （空白）
constexpr std::string_view kResult = "\x8C\x9F\x8F\x6F\x8C\x8B\x89\xCA:";  // 検出結果:
constexpr std::string_view kSwitchedTo = "  \x90\xD8\x82\xE8\x91\xD6\x82\xA6\x90\xE6: ";  // 切り替え先:
constexpr std::string_view kKeywords = "  \x83\x4C\x81\x5B\x83\x8F\x81\x5B\x83\x68:";  // キーワード:
constexpr std::string_view kFound = " \x81\x9B";     // ○
constexpr std::string_view kNotFound = " \x81\x7E";  // ×
constexpr std::string_view kNoSwitch =  // 切り替えなし:
    "  \x90\xD8\x82\xE8\x91\xD6\x82\xA6\x82\xC8\x82\xB5: ";
constexpr std::string_view kOnFreePage =  // フリーページを表示中
    "\x83\x74\x83\x8A\x81\x5B\x83\x79\x81\x5B\x83\x57\x82\xF0\x95\x5C\x8E\xA6\x92\x86";
constexpr std::string_view kInEditMode =  // メニュー編集モード
    "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68";
constexpr std::string_view kNoFullMatch =  // すべてのキーワードがそろう行がありません
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83\x4C\x81\x5B\x83\x8F\x81\x5B\x83\x68\x82\xAA\x82\xBB\x82\xEB"
    "\x82\xA4\x8D\x73\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
constexpr std::string_view kRunnersUpHeading =  // 次点（見つかったキーワード / 全部）:
    "\x8E\x9F\x93\x5F\x81\x69\x8C\xA9\x82\xC2\x82\xA9\x82\xC1\x82\xBD\x83\x4C\x81\x5B\x83\x8F\x81\x5B"
    "\x83\x68 / \x91\x53\x95\x94\x81\x6A:";
constexpr std::string_view kLineSuffix = " \x8D\x73\x96\xDA";        // 行目
constexpr std::string_view kPageOpen = "\x83\x79\x81\x5B\x83\x57";  // ページ
constexpr std::string_view kTabOpen = "\x83\x5E\x83\x75";          // タブ
constexpr std::string_view kOpenQuote = "\x81\x75";                // 「
constexpr std::string_view kCloseQuote = "\x81\x76";               // 」

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
  text += kLineSuffix;
  text += "  ";
  text += kPageOpen;
  if (entry.Page >= 0 && entry.Page < kPageCount) {
    text += kOpenQuote;
    text += kPageCaptions[static_cast<std::size_t>(entry.Page)];
    text += kCloseQuote;
  } else {
    text += ' ';
    text += std::to_string(entry.Page);
  }
  text += "  ";
  text += kTabOpen;
  text += kOpenQuote;
  text += entry.TabName;
  text += kCloseQuote;
  return text;
}

void AddTarget(Lines& lines, const DetectionFacts& facts) {
  if (facts.target != 0 && facts.targetLive) {
    lines.Add(std::string(kTarget) + facts.targetTitle);
    lines.Add(std::string(kHandle) + std::to_string(facts.target));
  } else {
    lines.Add(kNoTarget);
  }
  std::string bridge(kBridge);
  switch (facts.bridge.source) {
    case BridgeFolder::Source::Process: bridge += facts.bridge.folder + std::string(kFromProcess); break;
    case BridgeFolder::Source::Registry: bridge += facts.bridge.folder + std::string(kFromRegistry); break;
    case BridgeFolder::Source::None: bridge += kNone; break;
  }
  lines.Add(bridge);
}

void AddCaptions(Lines& lines, const DetectionFacts& facts) {
  lines.Add(kCaptionsRead);
  if (facts.skipped != DetectionFacts::Skipped::No) {
    lines.Add("  " + std::string(kNotRead));
    return;
  }
  std::size_t n = 0;
  for (const std::string& caption : facts.captions.all) {
    std::string line = "  " + std::to_string(++n) + ". ";
    switch (KindOfCaption(caption)) {
      case CaptionKind::Command: line += caption; break;
      case CaptionKind::Panel: line += caption + std::string(kPanel); break;
      case CaptionKind::Blank: line += kBlank; break;
    }
    lines.Add(line);
  }
  if (n == 0) lines.Add("  " + std::string(kNone));
}

void AddResult(Lines& lines, const DetectionFacts& facts, const std::vector<TCommandEntry>& entries,
               std::string_view captionText) {
  lines.Add(kResult);
  std::string_view reason;
  if (facts.skipped == DetectionFacts::Skipped::FreePage) reason = kOnFreePage;
  if (facts.skipped == DetectionFacts::Skipped::EditMode) reason = kInEditMode;
  if (reason.empty() && (facts.target == 0 || !facts.targetLive)) reason = kNoTarget;
  if (reason.empty() && facts.switches.empty()) reason = kNoFullMatch;
  if (!reason.empty()) {
    lines.Add(std::string(kNoSwitch) + std::string(reason));
    return;
  }
  const TCommandEntry& winner = entries[facts.switches.back()];
  lines.Add(std::string(kSwitchedTo) + Where(winner));
  std::vector<std::string> keywords;
  SplitCommaText(winner.Keywords, keywords);
  const std::vector<bool> found = KeywordsFound(winner, captionText);
  std::string marks(kKeywords);
  for (std::size_t k = 0; k < keywords.size() && k < found.size(); ++k) {
    marks += "  " + keywords[k] + std::string(found[k] ? kFound : kNotFound);
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
  lines.Add(kRunnersUpHeading);
  if (scores.empty()) lines.Add("  " + std::string(kNone));
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
