// The state the main window owns: command entries, menus, row clipboard, settings and target.
// Platform-free.
#pragma once

#include <string>
#include <vector>

#include "host/platform.h"
#include "model/command_list.h"
#include "model/menus.h"
#include "model/settings.h"

namespace tabvane {

struct MainState {
  std::string FExeDir;  // the exe's folder with its trailing separator
  std::vector<TCommandEntry> FEntries;
  MenuStore menus;      // menus.FMenus; FMenuCount = menus.FMenus.size()
  std::vector<TClipRow> FClip;
  TSettings settings;   // FInterval, FMaximizeHost, FMinimizeAfterRun, FEditMode, FLastDir, bounds
  WindowHandle FTargetWnd = 0;
};

}  // namespace tabvane
