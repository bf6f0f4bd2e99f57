// Row operations with real keys on the grid: a range selected with Shift+Down, Ctrl+C, Ctrl+V,
// Ctrl+X and Delete, a paste that runs past the last row, and the menu file written at close.
#include <gtest/gtest.h>

#include "tests/e2e/rig.h"

namespace tabvane::e2e {
namespace {

void SelectRowsFrom(const Rig& rig, int row, int extra) {
  rig.ClickRow(row);
  for (int i = 0; i < extra; ++i) drv::PressChord({VK_SHIFT}, VK_DOWN);
}

TEST(E2eRows, CopyPasteCutAndDeleteReachTheMenuFile) {
  Rig rig;
  rig.StartHost();
  rig.StartTabvane();
  ASSERT_TRUE(rig.Focus());
  Menus expected = rig.SampleMenus();
  Menu& m = expected[0];
  const auto set = [&m](std::size_t slot, std::size_t from) {
    m.names[slot] = from < 36 ? m.names[from] : std::string();
    m.files[slot] = from < 36 ? m.files[from] : std::string();
  };
  constexpr std::size_t kEmpty = 36;

  SelectRowsFrom(rig, 1, 2);  // rows 1-3: slots 0-2
  drv::PressCtrl('C');
  rig.ClickRow(5);
  drv::PressCtrl('V');
  set(4, 0);
  set(5, 1);
  set(6, 2);

  rig.ClickRow(2);
  drv::PressKey(VK_DELETE);
  set(1, kEmpty);

  const Menu before = m;
  rig.ClickRow(11);  // slot 10, key "A"
  drv::PressCtrl('X');
  set(10, kEmpty);
  rig.ClickRow(9);
  drv::PressCtrl('V');
  m.names[8] = before.names[10];
  m.files[8] = before.files[10];

  // Three rows pasted on row 35: rows 35 and 36 take the first two, the third is dropped and
  // must not reach the next menu.
  SelectRowsFrom(rig, 1, 2);
  drv::PressCtrl('C');
  drv::PressKey(VK_END);
  drv::PressKey(VK_UP);
  drv::PressCtrl('V');
  set(34, 0);
  set(35, 1);

  // The slot editor on the current row comes after all the keys above in Tabvane's input, so
  // once it shows, they have all been handled.
  drv::PressApps();
  const HWND editor = rig.WaitTabvaneWindow(SlotEditorCaption('Y'));  // row 35, slot 34
  ASSERT_NE(editor, nullptr) << "no slot editor for row 35";
  EXPECT_EQ(drv::ControlText(drv::FindChild(editor, L"Edit", 0)), m.names[34]);
  drv::PressKey(VK_ESCAPE);
  ASSERT_TRUE(drv::WaitWindowGone(editor, kWait));

  ASSERT_TRUE(rig.CloseTabvane());
  EXPECT_EQ(rig.AppFile("ga_list.txt"), MenuFileBytes(expected));
}

}  // namespace
}  // namespace tabvane::e2e
