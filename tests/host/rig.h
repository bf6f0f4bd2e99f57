// The main window's state and controls beside a fake desktop, for the host link tests.
#pragma once

#include "model/main_state.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_desktop.h"

namespace tabvane::fakes {

struct Rig {
  FakeDesktop desk;
  FakeMainControls fc;
  MainControls controls = fc.View();
  MainState state;
};

inline constexpr const char* kNoTargetText = "\x96\xB3\x8E\x77\x92\xE8";  // 無指定
inline constexpr const char* kSep = "  \x81\x7C ";                        // "  － "

}  // namespace tabvane::fakes
