// Row operations with real keys on the grid: a range selected with Shift+Down, Ctrl+C, Ctrl+V,
// Ctrl+X and Delete, a paste that runs past the last row, and the menu file written at close;
// the tooltip of a slot.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

#include "host/win32/wide.h"
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
    m.names[slot] = from < m.names.size() ? m.names[from] : std::string();
    m.files[slot] = from < m.files.size() ? m.files[from] : std::string();
  };
  constexpr std::size_t kEmpty = kSlotCount;

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

// The text of the tooltip window tip (of Tabvane's process) for the tool of grid.
std::string TipText(HANDLE process, HWND tip, HWND grid) {
  std::array<wchar_t, 1024> text{};
  drv::RemoteBlock block(process, sizeof(TTTOOLINFOW) + sizeof text);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = grid;
  tool.uId = 1;
  tool.lpszText = reinterpret_cast<wchar_t*>(block.Address(sizeof tool));
  DWORD_PTR result = 0;
  if (!block.Write(&tool, sizeof tool) ||
      SendMessageTimeoutW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(block.Address()),
                          SMTO_ABORTIFHUNG, 5000, &result) == 0 ||
      !block.Read(text.data(), sizeof text, sizeof tool)) {
    return "(unreadable)";
  }
  text.back() = L'\0';
  return SjisFromWide(text.data());
}

// A slot's batch file shows in a tooltip while the pointer rests on the slot, never over the
// row itself; an empty slot has none, nor a slot whose menu the host's command switched away.
TEST(E2eRows, ASlotShowsItsBatchFileOnHover) {
  Rig rig(Settings{192, 107, 387, 483, 200, false});  // the host's command switches menus
  // A slot whose batch file lies on a machine that is not there.
  const std::string unc = "\\\\nowhere\\share\\gone.bat";
  Menus menus = rig.SampleMenus();
  menus[1].names[2] = "unc";
  menus[1].files[2] = unc;
  rig.WriteAppFile("ga_list.txt", MenuFileBytes(menus));
  rig.StartHost();
  rig.StartTabvane();
  ASSERT_TRUE(rig.Focus());
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                         PROCESS_QUERY_INFORMATION,
                                     FALSE, rig.TabvaneProcessId());
  ASSERT_NE(process, nullptr);
  drv::WindowMatch tips;
  tips.processId = rig.TabvaneProcessId();
  tips.className = TOOLTIPS_CLASSW;
  rig.PointAtRow(2);  // slot 1, in the folder 表示 whose name ends in the byte 0x5C
  const HWND tip = drv::FindTopWindow(tips, kWait);
  ASSERT_NE(tip, nullptr) << "no tooltip";
  EXPECT_EQ(TipText(process, tip, rig.ActiveGrid()), rig.BatchPath(kSampleSlots[1].file));
  RECT overlap{};
  const RECT tipRect = drv::WindowRect(tip);
  const RECT row = rig.RowRect(2);
  EXPECT_EQ(IntersectRect(&overlap, &tipRect, &row), 0) << "the tooltip covers the row";
  // The host's command turns the grid to another menu under the resting pointer: the hint of
  // the slot that was there goes.
  rig.SetHostCaptions({kRect, kSize});  // page 0, tab 1
  EXPECT_TRUE(drv::WaitWindowGone(tip, kWait));
  EXPECT_TRUE(drv::WaitUntil([&] { return rig.ActiveTab() == 1; }, kWait));
  // The check of a file on another machine runs off Tabvane's thread; its answer reaches the
  // hint that shows.
  rig.PointAtRow(3);
  EXPECT_TRUE(drv::WaitUntil(
      [&] {
        return TipText(process, tip, rig.ActiveGrid()) ==
               "\x81\x69\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC"
               "\x82\xB9\x82\xF1\x81\x6A" + unc;  // （ファイルがありません）
      },
      kWait));
  rig.PointAtRow(4);  // an empty slot: the tooltip goes
  EXPECT_TRUE(drv::WaitWindowGone(tip, kWait)) << TipText(process, tip, rig.ActiveGrid());
  CloseHandle(process);
  EXPECT_TRUE(rig.CloseTabvane());
}

}  // namespace
}  // namespace tabvane::e2e
