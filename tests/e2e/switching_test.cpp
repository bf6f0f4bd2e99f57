// Automatic switching: the page and tab follow the stand-in's command captions outside edit
// mode, a page never shown before comes up with all its tabs, and a slot key then runs the slot
// of the menu switched to; edit mode and the free page hold the shown menu still; the detection
// view shows what the scan read and decided.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/win32/wide.h"
#include "tests/e2e/rig.h"

namespace tabvane::e2e {
namespace {

constexpr Settings kNormalMode{192, 107, 387, 483, 200, false};

// Types slot key "0" (after the given keys) and checks the n-th launch ran that sample slot.
void RunSlotZero(const Rig& rig, std::wstring_view keysBefore, std::size_t n,
                 const SampleSlot& expected) {
  ASSERT_TRUE(rig.Focus());
  drv::TypeText(std::wstring(keysBefore) + L"0");
  EXPECT_EQ(rig.WaitHostLog(n), "run " + rig.BatchPath(expected.file));
}

TEST(E2eSwitching, PageAndTabFollowTheHostsCommand) {
  struct Step {
    std::vector<std::string_view> captions;
    int page;
    int tab;
    int tabs;                 // the page's tabs
    const SampleSlot& slot0;  // slot 0 of the menu of that page and tab
  };
  // Pages 1 and 5 are shown for the first time by the switch.
  const Step steps[] = {
      {{kArc, kRadius}, 1, 0, 1, kSampleSlots[6]},
      {{kRect, kSize}, 0, 1, 2, kSampleSlots[5]},
      {{kText}, 5, 1, 2, kSampleSlots[8]},
  };
  Rig rig(kNormalMode);
  rig.StartHost();
  rig.StartTabvane();
  EXPECT_EQ(rig.ComboItems().front(), kNoneItem);
  std::size_t launches = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << "page " << step.page << " tab " << step.tab);
    rig.SetHostCaptions(step.captions);
    EXPECT_TRUE(drv::WaitUntil(
        [&] { return rig.ActivePage() == step.page && rig.ActiveTab() == step.tab; }, kWait))
        << "shown: page " << rig.ActivePage() << " tab " << rig.ActiveTab();
    EXPECT_EQ(drv::TabCount(rig.ActiveStrip()), step.tabs);
    RunSlotZero(rig, L"", ++launches, step.slot0);
  }
  EXPECT_TRUE(rig.CloseTabvane());
}

TEST(E2eSwitching, EditModeAndTheFreePageHoldTheMenuStill) {
  struct Case {
    const char* name;
    std::optional<Settings> settings;
    bool freePageFirst;  // let the host's command turn Tabvane to the free page first
    int page;
    const SampleSlot& slot0;
  };
  const Case cases[] = {
      {"edit mode", std::nullopt, false, 0, kSampleSlots[0]},
      {"free page", kNormalMode, true, 5, kSampleSlots[7]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig(c.settings);
    rig.StartHost();
    if (c.freePageFirst) {
      rig.StartTabvane();
      rig.SetHostCaptions({kFree});
      ASSERT_TRUE(drv::WaitUntil([&] { return rig.ActivePage() == 5; }, kWait));
      rig.SetHostCaptions({kArc, kRadius});
    } else {
      rig.SetHostCaptions({kArc, kRadius});
      rig.StartTabvane();
    }
    // Slot 9 is empty: its key only runs a full refresh with a scan, which outside edit mode
    // and the free page would turn to the arc's page before "0" runs.
    RunSlotZero(rig, L"9", 1, c.slot0);
    EXPECT_EQ(rig.ActivePage(), c.page);
    EXPECT_TRUE(rig.CloseTabvane());
  }
}

// The clipboard's text, Shift-JIS; empty when there is none.
std::string ClipboardText() {
  std::string text;
  if (OpenClipboard(nullptr) == 0) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data)); wide != nullptr) {
      text = SjisFromWide(wide);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// The system menu's 検出状況, chosen by keyboard, shows the captions the scan read and the entry
// that won; its コピー button puts the same text on the clipboard, or says in the title that
// another program holds it.
TEST(E2eSwitching, DetectionViewShowsTheScanAndCopiesIt) {
  constexpr std::string_view kTitle = "\x8C\x9F\x8F\x6F\x8F\xF3\x8B\xB5";  // 検出状況
  constexpr std::string_view kCopy = "\x83\x52\x83\x73\x81\x5B";            // コピー
  Rig rig(kNormalMode);
  rig.StartHost();
  rig.SetHostCaptions({kArc, kRadius});
  rig.StartTabvane();
  ASSERT_TRUE(drv::WaitUntil([&] { return rig.ActivePage() == 1; }, kWait));
  ASSERT_TRUE(rig.Focus());
  drv::PressChord({VK_MENU}, VK_SPACE);
  drv::PressKey('D');
  const HWND view = rig.WaitTabvaneWindow(kTitle);
  ASSERT_NE(view, nullptr) << "no detection view";
  EXPECT_EQ(drv::OwnerOf(view), rig.Main());
  const HWND field = drv::FindChild(view, L"Edit");
  std::string text;
  EXPECT_TRUE(drv::WaitUntil(
      [&] {
        text = drv::ControlText(field);
        return text.find(std::string(kArc)) != std::string::npos;
      },
      kWait))
      << "the captions read are not shown";
  for (const std::string& part : {std::string(kHostTitle), std::string(kRadius),
                                  std::string("com_list.txt ")}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
  const HWND copy = drv::FindChildByText(view, L"Button", std::string(kCopy));
  ASSERT_NE(copy, nullptr);
  ASSERT_TRUE(drv::BringToForeground(view, kWait));
  // Another program holds the clipboard: the title says so, after a few tries.
  // " → コピーできません（クリップボードが他のプログラムで使用中です）"
  const std::string busy =
      std::string(kTitle) +
      " \x81\xA8 \x83\x52\x83\x73\x81\x5B\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x69"
      "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xAA\x91\xBC\x82\xCC"
      "\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\x82\xC5\x8E\x67\x97\x70\x92\x86\x82\xC5"
      "\x82\xB7\x81\x6A";
  ASSERT_NE(OpenClipboard(nullptr), 0);
  drv::ClickClient(copy, POINT{10, 10});
  EXPECT_TRUE(drv::WaitUntil([&] { return drv::WindowText(view) == busy; }, kWait));
  CloseClipboard();
  drv::ClickClient(copy, POINT{10, 10});
  EXPECT_TRUE(drv::WaitUntil([&] { return ClipboardText() == drv::ControlText(field); }, kWait));
  EXPECT_TRUE(drv::WaitUntil([&] { return drv::WindowText(view) == kTitle; }, kWait));
  EXPECT_NE(ClipboardText().find("\r\n"), std::string::npos);
  EXPECT_TRUE(rig.CloseTabvane());
}

}  // namespace
}  // namespace tabvane::e2e
