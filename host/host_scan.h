// The host scan: the host window list and the target (the first half of a scan), and the
// command captions of the target with the entries they switch to (its second half). It reads
// the desktop and computes; the window logic shows the results and keeps the timer.
// Depends on text/, model/ and the platform interface only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform.h"
#include "model/command_list.h"

namespace tabvane {

// Handle of a ComboBox1 entry (a host window's title, texts::kEntrySeparator and its handle):
// TextToInt of the text after the first separator; 0 without one.
WindowHandle EntryHandle(std::string_view entry);

// EnumHostWindowsProc for one top-level window: lists a host window as an entry (title,
// separator, handle) and makes it the target when it is the foreground window.
bool EnumHostWindowsProc(HostPlatform& platform, std::vector<std::string>& entries,
                         WindowHandle& target, WindowHandle window);

// The host windows as ComboBox1 lists them after its item 0, and the item to select.
struct HostList {
  std::vector<std::string> entries;  // items 1..n
  int32_t selected = 0;              // the target's item; 0 when it is not listed
};

// Lists the host windows and chooses the target: the foreground host window, else the first
// one listed when there is no target.
HostList ListHostWindows(HostPlatform& platform, WindowHandle& target);

// The user's choice of a ComboBox1 entry other than item 0: an entry with a separator makes its
// handle the target, whether or not it still names a window, and a live one is shown and
// brought forward. An entry without a separator changes nothing.
void ComboBox1Select(HostPlatform& platform, std::string_view entry, bool maximizeHost,
                     WindowHandle& target);

// What a child's caption is to the detection: a command caption, one of the fixed panel
// names, or blank (nothing but bytes 0x20 and below).
enum class CaptionKind { Command, Panel, Blank };
CaptionKind KindOfCaption(std::string_view caption);

// True when the trimmed caption is not empty and none of the fixed panel names.
inline bool IsCommandCaption(std::string_view caption) {
  return KindOfCaption(caption) == CaptionKind::Command;
}

// The captions of the target's visible children without owner, as read.
struct ChildCaptions {
  std::vector<std::string> all;       // every one, in enumeration order
  std::vector<std::string> commands;  // the command captions among them, in the same order
};

// EnumHostChildProc for one child window: lists the caption of a visible window without owner,
// and among the command captions when it is one.
bool EnumHostChildProc(HostPlatform& platform, ChildCaptions& captions, WindowHandle window);

// The captions of the target's descendants in enumeration order; none for a target that is 0
// or negative as a signed number.
ChildCaptions ReadChildCaptions(HostPlatform& platform, WindowHandle target);

// The captions joined with ",".
std::string CaptionText(const std::vector<std::string>& captions);

// The entries that switch during one detection against the caption text, in the order they
// switch; the last one stands. Empty when nothing switches.
std::vector<std::size_t> DetectSwitches(const std::vector<TCommandEntry>& entries,
                                        std::string_view captionText);

// Whether each keyword of the entry occurs in the caption text, in the order of its keyword
// list; empty for an entry whose list does not split.
std::vector<bool> KeywordsFound(const TCommandEntry& entry, std::string_view captionText);

// What one scan found.
struct ScanResult {
  HostList hosts;
  // The detection's part, when it ran: the captions read and the entries that switch.
  std::optional<ChildCaptions> captions;
  std::vector<std::size_t> switches;
};

// One scan: the host list and the target, then, when detect is set, the target's command
// captions and the entries they switch to.
ScanResult ScanHost(HostPlatform& platform, const std::vector<TCommandEntry>& entries,
                    WindowHandle& target, bool detect);

}  // namespace tabvane
