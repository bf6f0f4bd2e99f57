// Tabvane.exe: one copy per folder; creates TForm1, TForm3 and TForm2 with the main window (the
// dialogs' windows wait for their first showing), shows the main window and runs the message
// loop, in which the main window previews every key of its own controls.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "host/win32/exe_path.h"
#include "host/win32/swallowed.h"
#include "host/win32/wide.h"
#include "host/win32/win32_platform.h"
#include "text/sjis.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/win32/look.h"
#include "ui/win32/find_box_window.h"
#include "ui/win32/main_form.h"
#include "ui/win32/settings_dialog.h"
#include "ui/win32/single_instance.h"
#include "ui/win32/slot_editor.h"

namespace tabvane {
namespace {

// Runs until WM_QUIT. Keys for the main window and its controls go to its key preview first,
// before TranslateMessage, so that a key consumed at key-down makes no character. Modal
// dialogs, the file chooser and the message box run loops of their own without the preview.
int RunMessageLoop(MainForm& main) {
  MSG msg{};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 0;
    bool consumed = false;
    try {
      consumed = main.PreviewKey(msg) || main.MoveFocusOnTab(msg);
    } catch (...) {
      ReportSwallowed("the key preview");
      consumed = false;
    }
    if (consumed) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The exe path in Shift-JIS: its short (8.3) form when code page 932 cannot hold the long one,
// keeping the exe's own name when it can (the settings file is named after it); empty when
// neither form can be held, and then Tabvane reads and writes no file.
std::string SjisExePath(const std::wstring& exePath) {
  const std::optional<std::string> path = SjisPathFromWide(exePath);
  if (!path) return {};
  const std::wstring name = exePath.substr(exePath.find_last_of(L"\\/") + 1);
  const std::string nameSjis = SjisFromWide(name);
  if (name.empty() || WideFromSjis(nameSjis) != name) return *path;
  return std::string(FolderPart(*path)) + nameSjis;
}

int Run(int showCommand) {
  // A second copy from the same folder would overwrite the first one's files: it brings the
  // first one forward instead and ends, before it reads or writes anything.
  const std::wstring exePath = ExePathW();
  const SingleInstance instance(exePath);
  if (!instance.First()) {
    instance.ActivateFirst();
    return 0;
  }

  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_TAB_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&classes);

  const Look look;
  Win32Platform platform;
  MainForm form1Window(look);
  SettingsDialog form3Window(look);
  SlotEditorDialog form2Window(look);
  if (!form1Window.Create()) {
    // Without a window there is nothing to tell the user: a line for the debugger, as the
    // barriers write, and a failed exit.
    const std::wstring line = L"Tabvane: the main window could not be created (error " +
                              std::to_wstring(GetLastError()) + L")\n";
    OutputDebugStringW(line.c_str());
    return 1;
  }
  form3Window.Prepare(form1Window.Handle());
  form2Window.Prepare(form1Window.Handle());

  TForm3 form3(form3Window);
  TForm2 form2(form2Window, platform.FileSystem());
  TForm1 form1(form1Window.Controls(), form1Window, platform, form2, form3, SjisExePath(exePath));
  form3Window.Attach(form3);
  form2Window.Attach(form2);
  form1Window.Attach(form1);
  FindBoxWindow findWindow(look, form1Window);
  FindBox findBox(form1, findWindow);
  findWindow.Attach(findBox);
  form1Window.AttachFindBox(findBox);

  try {
    form1Window.Show(showCommand);
  } catch (...) {
    // Start-up is silent: whatever it did not finish, the window still opens.
    ReportSwallowed("the start-up");
    ShowWindow(form1Window.Handle(), showCommand);
  }
  return RunMessageLoop(form1Window);
}

}  // namespace
}  // namespace tabvane

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  // A drive without a medium (an empty card reader, a DVD drive) named by a slot or a stored
  // folder fails the call that touches it instead of raising the system's "no disk" box from
  // a hover, a launch or the start, and a damaged file does the same.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // DLLs loaded from now on come from the system folder only, never from the exe's folder (a
  // download folder may hold a planted one) or the current folder.
  tabvane::SearchDllsInSystemFolderOnly();
  try {
    return tabvane::Run(showCommand);
  } catch (...) {
    tabvane::ReportSwallowed("the program entry");
    return 1;
  }
}
