// The state the main window owns: command entries, menus, row clipboard, settings and target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/command_list.h"
#include "model/menus.h"
#include "model/settings.h"

namespace tabvane {

// A window handle as the program keeps it: 32 bits, written as unsigned decimal.
using WindowHandle = uint32_t;

struct MainState {
  std::string FExeDir;  // the exe's folder with its trailing separator
  std::vector<TCommandEntry> FEntries;
  MenuStore menus;      // menus.FMenus; FMenuCount = menus.FMenus.size()
  std::vector<TClipRow> FClip;
  TSettings settings;   // FInterval, FMaximizeHost, FMinimizeAfterRun, FEditMode, FLastDir, bounds
  WindowHandle FTargetWnd = 0;
};

}  // namespace tabvane
