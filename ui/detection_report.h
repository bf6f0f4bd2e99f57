// The detection view's text: what the last scan read from the target, which command-list entry
// won and why, the runners-up, or why nothing switched. It only reads what the scan found.
// Platform-free.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/host_launch.h"
#include "host/host_scan.h"
#include "model/command_list.h"
#include "model/command_list_edit.h"

namespace tabvane {

struct DetectionFacts {
  WindowHandle target = 0;
  bool targetLive = false;  // the handle still names a window
  std::string targetTitle;
  BridgeFolder bridge;      // where a launch would write Tabvane.bat now
  // Why the last scan did not read the target: it ran on the free page or in edit mode.
  enum class Skipped { No, FreePage, EditMode } skipped = Skipped::No;
  ChildCaptions captions;             // read by the last scan
  std::vector<std::size_t> switches;  // the entries it switched to; the last one stands
  // The encoding com_list.txt was read in and how many of its characters had no Shift-JIS form.
  ListEncoding listEncoding = ListEncoding::ShiftJis;
  std::size_t unmappable = 0;
};

// The runners-up shown at most.
inline constexpr std::size_t kRunnersUp = 5;

// The view's text, Shift-JIS, each line ending in CR LF.
std::string DetectionReport(const DetectionFacts& facts, const std::vector<TCommandEntry>& entries);

}  // namespace tabvane
