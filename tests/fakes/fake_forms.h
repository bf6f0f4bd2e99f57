// The three windows' logic wired to fake controls, views and desktop, with the exe at
// C:\App\Tabvane.exe: the rig the window-logic tests start from.
#pragma once

#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_views.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"

namespace tabvane::fakes {

struct FakeForms {
  FakeMainControls c;
  FakeMainFormView view;
  FakeSlotEditorView editorView;
  FakeSettingsDialogView settingsView;
  FakeDesktop desk;
  TForm2 form2{editorView, desk.files};
  TForm3 form3{settingsView};
  TForm1 form{c.View(), view, desk, form2, form3, "C:\\App\\Tabvane.exe"};
};

}  // namespace tabvane::fakes
