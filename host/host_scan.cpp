// The host scan: host window list and target, command captions of the target and the entries
// they switch to. Depends on text/, model/ and the platform interface only.
#include "host/host_scan.h"

#include <algorithm>
#include <array>

#include "text/func.h"
#include "text/sjis.h"

namespace tabvane {
namespace {

// A top-level window is a host window when its title holds one of these.
constexpr std::string_view kHostMarker = "- jw_win";
constexpr std::string_view kBlockMarker =
    "\x81\x9F\x81\x9F\x81\x9F\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x81\x79";  // "◆◆◆ブロック図形【"

// The class of the window the system shows in place of a hung one.
constexpr std::string_view kGhostClass = "Ghost";

// Captions of the host's fixed panels: they never name the active command.
constexpr std::string_view kPanelNames[] = {
    "\x8F\xF0\x8C\x8F\x90\xDD\x92\xE8",                          // 条件設定
    "\x83\x81\x83\x43\x83\x93",                                  // メイン
    "\x95\xD2\x8F\x57(1)",                                       // 編集(1)
    "\x95\xD2\x8F\x57(2)",                                       // 編集(2)
    "\x8D\xEC\x90\x7D(1)",                                       // 作図(1)
    "\x8D\xEC\x90\x7D(2)",                                       // 作図(2)
    "\x90\xDD\x92\xE8",                                          // 設定
    "\x82\xBB\x82\xCC\x91\xBC(1)",                               // その他(1)
    "\x82\xBB\x82\xCC\x91\xBC(2)",                               // その他(2)
    "\x82\xBB\x82\xCC\x91\xBC(11)",                              // その他(11)
    "\x82\xBB\x82\xCC\x91\xBC(12)",                              // その他(12)
    "\x82\xBB\x82\xCC\x91\xBC(21)",                              // その他(21)
    "\x82\xBB\x82\xCC\x91\xBC(22)",                              // その他(22)
    "\x83\x8C\x83\x43\x83\x84",                                  // レイヤ
    "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76",  // レイヤグループ
    "\x90\xFC\x91\xAE\x90\xAB(1)",                               // 線属性(1)
    "\x90\xFC\x91\xAE\x90\xAB(2)",                               // 線属性(2)
    "\x83\x86\x81\x5B\x83\x55\x81\x5B(1)",                       // ユーザー(1)
    "\x83\x86\x81\x5B\x83\x55\x81\x5B(2)",                       // ユーザー(2)
    "All", "><",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "A", "B", "C", "D", "E", "F",
};

bool IsHostTitle(std::string_view title) {
  return ContainsText(title, kHostMarker) || ContainsText(title, kBlockMarker);
}

// The bytes and byte pairs of one caption text. A keyword holding a byte or an adjacent pair
// of bytes that the text lacks cannot occur in it; that settles most keywords of a detection
// without searching the text. Only the search decides that a keyword occurs.
class BytePairs {
 public:
  explicit BytePairs(std::string_view text) : pairs_(kPairWords, 0) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      Set(singles_, Byte(text, i));
      if (i + 1 < text.size()) Set(pairs_, Pair(text, i));
    }
  }

  bool MayOccur(std::string_view keyword) const {
    if (keyword.size() == 1) return Has(singles_, Byte(keyword, 0));
    for (std::size_t i = 0; i + 1 < keyword.size(); ++i) {
      if (!Has(pairs_, Pair(keyword, i))) return false;
    }
    return true;
  }

 private:
  static constexpr std::size_t kPairWords = 65536 / 64;

  static std::size_t Byte(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  }
  static std::size_t Pair(std::string_view text, std::size_t i) {
    return Byte(text, i) << 8 | Byte(text, i + 1);
  }
  template <typename Bits>
  static void Set(Bits& bits, std::size_t n) {
    bits[n / 64] |= uint64_t{1} << (n % 64);
  }
  template <typename Bits>
  static bool Has(const Bits& bits, std::size_t n) {
    return (bits[n / 64] >> (n % 64) & 1) != 0;
  }

  std::array<uint64_t, 256 / 64> singles_{};
  std::vector<uint64_t> pairs_;
};

}  // namespace

WindowHandle EntryHandle(std::string_view entry) {
  const std::size_t at = FindText(entry, kEntrySeparator);
  if (at == std::string_view::npos) return 0;
  return static_cast<WindowHandle>(TextToInt(entry.substr(at + kEntrySeparator.size())));
}

bool EnumHostWindowsProc(HostPlatform& platform, std::vector<std::string>& entries,
                         WindowHandle& target, WindowHandle window) {
  if (platform.Owner(window) != 0 || !platform.IsVisible(window)) return true;
  std::string entry = platform.WindowText(window);
  if (!IsHostTitle(entry)) return true;
  // The stand-in the system shows for a hung window carries its title: it is not the host.
  if (platform.ClassName(window) == kGhostClass) return true;
  if (platform.ForegroundWindow() == window) target = window;
  entry += kEntrySeparator;
  entry += std::to_string(window);
  entries.push_back(std::move(entry));
  return true;
}

HostList ListHostWindows(HostPlatform& platform, WindowHandle& target) {
  HostList list;
  platform.EnumTopLevelWindows([&](WindowHandle window) {
    return EnumHostWindowsProc(platform, list.entries, target, window);
  });

  int32_t first = 0;
  WindowHandle firstHandle = 0;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const std::string& entry = list.entries[i];
    if (!ContainsText(entry, kEntrySeparator)) continue;
    const auto item = static_cast<int32_t>(i + 1);  // item 0 is the selector's label
    const WindowHandle handle = EntryHandle(entry);
    if (handle == target) list.selected = item;
    if (firstHandle == 0) {
      firstHandle = handle;
      first = item;
    }
  }
  // Handles are read as signed 32-bit numbers, so only the positive ones can become the target.
  if (target == 0 && static_cast<int32_t>(firstHandle) > 0 && first > 0) {
    target = firstHandle;
    list.selected = first;
  }
  return list;
}

void ComboBox1Select(HostPlatform& platform, std::string_view entry, bool maximizeHost,
                     WindowHandle& target) {
  if (!ContainsText(entry, kEntrySeparator)) return;
  // The choice stands even when the window has closed since the scan.
  target = EntryHandle(entry);
  if (platform.IsWindow(target)) {
    platform.ShowWindowAsync(target, maximizeHost);
    platform.SetForegroundWindow(target);
  }
}

CaptionKind KindOfCaption(std::string_view caption) {
  const std::string_view trimmed = Trim(caption);
  if (trimmed.empty()) return CaptionKind::Blank;
  for (const std::string_view name : kPanelNames) {
    if (trimmed == name) return CaptionKind::Panel;
  }
  return CaptionKind::Command;
}

bool EnumHostChildProc(HostPlatform& platform, ChildCaptions& captions, WindowHandle window) {
  if (platform.Owner(window) != 0 || !platform.IsVisible(window)) return true;
  std::string caption = platform.WindowText(window);
  if (IsCommandCaption(caption)) captions.commands.push_back(caption);
  captions.all.push_back(std::move(caption));
  return true;
}

ChildCaptions ReadChildCaptions(HostPlatform& platform, WindowHandle target) {
  ChildCaptions captions;
  if (static_cast<int32_t>(target) > 0) {
    platform.EnumChildWindows(target, [&](WindowHandle window) {
      return EnumHostChildProc(platform, captions, window);
    });
  }
  return captions;
}

std::string CaptionText(const std::vector<std::string>& captions) {
  std::string text;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (i > 0) text += ',';
    text += captions[i];
  }
  return text;
}

std::vector<std::size_t> DetectSwitches(const std::vector<TCommandEntry>& entries,
                                        std::string_view captionText) {
  std::vector<std::size_t> switches;
  std::vector<std::string> keywords;  // reused for every entry
  const BytePairs textBytes(captionText);
  const auto occurs = [&](std::string_view keyword) {
    return textBytes.MayOccur(keyword) && ContainsText(captionText, keyword);
  };
  int32_t best = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int32_t n = SplitCommaText(entries[i].Keywords, keywords);
    // n == 0 never beats best >= 0; a failed split (-1) never has j == n.
    if (n <= best) continue;
    // An entry switches only when every one of its n keywords occurs: the first keyword that
    // does not occur settles it.
    const std::size_t readable = std::min(static_cast<std::size_t>(n), keywords.size());
    std::size_t j = 0;
    while (j < readable && occurs(keywords[j])) ++j;
    if (j == static_cast<std::size_t>(n)) {
      switches.push_back(i);
      best = n;
    }
  }
  return switches;
}

std::vector<bool> KeywordsFound(const TCommandEntry& entry, std::string_view captionText) {
  std::vector<std::string> keywords;
  if (SplitCommaText(entry.Keywords, keywords) < 0) return {};
  std::vector<bool> found;
  found.reserve(keywords.size());
  for (const std::string& keyword : keywords) found.push_back(ContainsText(captionText, keyword));
  return found;
}

ScanResult ScanHost(HostPlatform& platform, const std::vector<TCommandEntry>& entries,
                    WindowHandle& target, bool detect) {
  ScanResult result;
  result.hosts = ListHostWindows(platform, target);
  if (detect) {
    result.captions = ReadChildCaptions(platform, target);
    result.switches = DetectSwitches(entries, CaptionText(result.captions->commands));
  }
  return result;
}

}  // namespace tabvane
