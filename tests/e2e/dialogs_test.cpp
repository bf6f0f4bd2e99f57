// The two dialogs driven by keyboard and mouse: the slot editor opened with the context-menu key
// on the current row, and the settings dialog opened with the settings button; what they
// change reaches the files written at close, and cancelling changes nothing.
#include <gtest/gtest.h>

#include "host/win32/wide.h"
#include "tests/e2e/rig.h"

namespace tabvane::e2e {
namespace {

// Waits until the dialog is the foreground window, so that typed keys reach it.
void ExpectForeground(HWND dialog) {
  EXPECT_TRUE(drv::WaitUntil([&] { return drv::IsForeground(dialog); }, kWait));
}

TEST(E2eDialogs, SlotEditorOnTheCurrentRowKeepsItsNameOnlyOnOk) {
  struct Case {
    const char* name;
    int row;
    char key;
    WORD closeKey;
    bool kept;
  };
  const Case cases[] = {
      {"OK", 1, '0', VK_RETURN, true},
      {"cancel", 3, '2', VK_ESCAPE, false},
  };
  const std::wstring typed = L"\u8907\u7DDA X";  // 複線 X
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.StartHost();
    rig.StartTabvane();
    ASSERT_TRUE(rig.Focus());
    rig.ClickRow(c.row);
    drv::PressApps();
    const HWND editor = rig.WaitTabvaneWindow(SlotEditorCaption(c.key));
    ASSERT_NE(editor, nullptr) << "no slot editor for key " << c.key;
    const auto slot = static_cast<std::size_t>(c.row - 1);
    Menus expected = rig.SampleMenus();
    EXPECT_EQ(drv::ControlText(drv::FindChild(editor, L"Edit", 0)), expected[0].names[slot]);
    EXPECT_EQ(drv::ControlText(drv::FindChild(editor, L"Edit", 1)), expected[0].files[slot]);
    ExpectForeground(editor);
    drv::TypeText(typed);  // replaces the selected name
    drv::PressKey(c.closeKey);
    ASSERT_TRUE(drv::WaitWindowGone(editor, kWait));
    ASSERT_TRUE(rig.CloseTabvane());
    if (c.kept) expected[0].names[slot] = SjisFromWide(typed);
    EXPECT_EQ(rig.AppFile("ga_list.txt"), MenuFileBytes(expected));
  }
}

TEST(E2eDialogs, SettingsDialogIntervalReachesTheFileOnlyOnOk) {
  struct Case {
    const char* name;
    WORD closeKey;
    std::string_view savedInterval;
  };
  // "50" is below the dialog's lower limit, so OK stores 100.
  const Case cases[] = {{"OK", VK_RETURN, "100"}, {"cancel", VK_ESCAPE, "2500"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig(Settings{192, 107, 387, 483, 2500, true});
    rig.StartHost();
    rig.StartTabvane();
    ASSERT_TRUE(rig.Focus());
    const HWND button = drv::FindChildByText(rig.Main(), L"Button", std::string(kSettingsTitle));
    ASSERT_NE(button, nullptr);
    drv::ClickClient(button, POINT{20, 10});
    const HWND dialog = rig.WaitTabvaneWindow(kSettingsTitle);
    ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
    EXPECT_EQ(drv::ControlText(drv::FindChild(dialog, L"Edit")), "2500");
    ExpectForeground(dialog);
    drv::TypeText(L"50");
    drv::PressKey(c.closeKey);
    ASSERT_TRUE(drv::WaitWindowGone(dialog, kWait));
    // Edit mode stayed on: the selector's label says so after the dialog's refresh.
    EXPECT_EQ(rig.ComboItems().front(), kEditModeItem);
    ASSERT_TRUE(rig.CloseTabvane());
    const std::string dat = rig.AppFile("Tabvane.dat");
    EXPECT_EQ(Line(dat, 7), std::string(c.savedInterval));
    EXPECT_EQ(Line(dat, 12), "1");
  }
}

}  // namespace
}  // namespace tabvane::e2e
