// Tabvane at 96, 144 and 192 dpi, the screen's DPI of this test's own Wine prefix (LogPixels,
// read by each program as it starts): the design scaled, every control inside its window and
// apart from the others, tab captions and grid texts at the font's size inside their tabs and
// rows, both dialogs laid out at the DPI, and a settings file of 96-dpi numbers that puts the
// window back where it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "host/win32/wide.h"
#include "tests/e2e/rig.h"
#include "ui/dpi.h"
#include "ui/grid_geometry.h"

namespace tabvane::e2e {
namespace {

RECT ToRect(const Place& p) { return {p.left, p.top, p.left + p.width, p.top + p.height}; }

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// A child's rectangle in its parent's client area.
RECT InParent(HWND child) {
  RECT rect = drv::WindowRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT ClientOf(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Apart(const RECT& a, const RECT& b) {
  RECT common{};
  return IntersectRect(&common, &a, &b) == 0;
}

// Widths of texts in the program's font at a DPI, "&" of an access key left out.
class TextMeasure {
 public:
  explicit TextMeasure(int32_t dpi)
      : font_(CreateFontW(-Scale(design::kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                          FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                          L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF")),
        dc_(CreateCompatibleDC(nullptr)),
        previous_(SelectObject(dc_, font_)) {}
  ~TextMeasure() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(font_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  int Width(std::string_view sjis) const {
    std::wstring text = WideFromSjis(sjis);
    std::erase(text, L'&');
    SIZE extent{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
  }

 private:
  HFONT font_;
  HDC dc_;
  HGDIOBJ previous_;
};

// A dialog's controls in the order they were made, at their design places scaled: inside the
// client area of the design's size, apart where the design keeps them apart, as tall as
// designed, at least as wide (a label grows to its text), and wide enough for their texts.
void ExpectDialogLayout(HWND dialog, const Place& client, const std::vector<Place>& places,
                        int32_t dpi) {
  const RECT clientRect = ClientOf(dialog);
  const Place scaledClient = ScalePlace(client, dpi);
  EXPECT_EQ(clientRect.right, scaledClient.width);
  EXPECT_EQ(clientRect.bottom, scaledClient.height);
  const std::vector<HWND> controls = drv::Children(dialog);
  ASSERT_EQ(controls.size(), places.size());
  const TextMeasure measure(dpi);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const RECT rect = InParent(controls[i]);
    const RECT designed = ToRect(ScalePlace(places[i], dpi));
    SCOPED_TRACE(testing::Message() << "control " << i << " at " << Text(rect));
    EXPECT_EQ(rect.left, designed.left);
    EXPECT_EQ(rect.top, designed.top);
    EXPECT_EQ(rect.bottom, designed.bottom);
    EXPECT_GE(rect.right, designed.right);
    EXPECT_TRUE(Inside(rect, clientRect));
    // Labels, buttons and check boxes show all their text; a check box's box and a button's
    // edges take a font height more.
    const std::wstring kind = drv::ClassName(controls[i]);
    if (kind == L"Static" || kind == L"Button") {
      const std::string text = drv::WindowText(controls[i]);
      EXPECT_LE(measure.Width(text) + (kind == L"Static" ? 0 : Scale(design::kFontHeight, dpi)),
                rect.right - rect.left)
          << text;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (Apart(ToRect(places[i]), ToRect(places[j]))) {
        EXPECT_TRUE(Apart(rect, InParent(controls[j]))) << "overlaps control " << j;
      }
    }
  }
}

// The rows of an image region that hold dark pixels (text on the light cells and lines):
// the first and one past the last, or {0, 0}.
std::pair<int, int> InkRows(const drv::Image& image, const RECT& region) {
  int first = -1;
  int last = -1;
  for (int y = region.top; y < region.bottom; ++y) {
    for (int x = region.left; x < region.right; ++x) {
      const COLORREF c = image.At(x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 384) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return first < 0 ? std::pair{0, 0} : std::pair{first, last + 1};
}

// Page tabs stand one above the other: their height holds the caption; the strip's tabs lie
// side by side: their width does.
void ExpectTabsHoldCaptions(HWND tabs, const std::vector<std::string_view>& captions,
                            bool vertical, int32_t dpi) {
  const TextMeasure measure(dpi);
  ASSERT_EQ(drv::TabCount(tabs), static_cast<int>(captions.size()));
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const RECT tab = drv::TabItemRect(tabs, static_cast<int>(i));
    const int length = vertical ? tab.bottom - tab.top : tab.right - tab.left;
    EXPECT_GE(length, measure.Width(captions[i])) << "tab " << i << " at " << Text(tab);
  }
}

// The main window's layout at dpi: Panel1 with Button1 and ComboBox1, PageControl1 below it,
// the page tabs and the strip's tabs around the grid, and row 2's name (slot 1, 中心線) drawn
// inside its row at the font's size.
void ExpectMainLayout(const Rig& rig, int32_t dpi) {
  const HWND main = rig.Main();
  const RECT client = ClientOf(main);
  const HWND panel = FindWindowExW(main, nullptr, L"TabvaneContainer", nullptr);
  ASSERT_NE(panel, nullptr);
  const RECT panelClient = ClientOf(panel);
  EXPECT_EQ(Text(InParent(panel)),
            Text({0, 0, client.right, Scale(design::kPanelHeight, dpi)}));
  const HWND button1 = drv::FindChildByText(panel, L"Button", std::string(kSettingsTitle));
  const RECT button = InParent(button1);
  EXPECT_EQ(Text(button), Text(ToRect(ScalePlace(design::kButton1, dpi))));
  const RECT combo = InParent(rig.Combo());
  const RECT comboDesign = ToRect(ScalePlace(design::kComboBox1, dpi));
  EXPECT_EQ(combo.left, comboDesign.left);
  EXPECT_EQ(combo.top, comboDesign.top);
  EXPECT_EQ(combo.bottom, comboDesign.bottom);
  EXPECT_EQ(combo.right, panelClient.right - Scale(design::kComboRightGap, dpi));
  EXPECT_TRUE(Inside(button, panelClient));
  EXPECT_TRUE(Inside(combo, panelClient));
  EXPECT_TRUE(Apart(button, combo));
  const RECT pages = InParent(rig.PageControl());
  EXPECT_EQ(Text(pages), Text({0, Scale(design::kPanelHeight, dpi), client.right, client.bottom}));

  // ﾌｧｲﾙ, 編集, 作図, 設定, その他, フリー; the first page's tabs 線 and 矩形.
  ExpectTabsHoldCaptions(rig.PageControl(),
                         {"\xCC\xA7\xB2\xD9", "\x95\xD2\x8F\x57", "\x8D\xEC\x90\x7D",
                          "\x90\xDD\x92\xE8", "\x82\xBB\x82\xCC\x91\xBC", "\x83\x74\x83\x8A\x81\x5B"},
                         true, dpi);
  ExpectTabsHoldCaptions(rig.ActiveStrip(), {"\x90\xFC", "\x8B\xE9\x8C\x60"}, false, dpi);
  const HWND grid = rig.ActiveGrid();
  const RECT gridOnScreen = drv::WindowRect(grid);
  EXPECT_TRUE(Inside(gridOnScreen, drv::WindowRect(rig.ActiveStrip())));
  const RECT lastTab = drv::TabItemRect(rig.ActiveStrip(), 1);
  EXPECT_GE(InParent(grid).top, lastTab.bottom) << "the grid covers the tabs";

  const GridMetrics m = ScaledGridMetrics(dpi, 0, 0);
  const RECT gridClient = drv::ClientRectOnScreen(grid);
  const RECT window = drv::WindowRect(main);
  const int rowTop = RowTop(m, 1, 2);
  RECT row2{ColumnLeft(m, 1), rowTop, ColumnLeft(m, 1) + Scale(100, dpi), rowTop + m.rowHeight};
  OffsetRect(&row2, gridClient.left - window.left, gridClient.top - window.top);
  std::pair<int, int> ink;
  drv::WaitUntil(
      [&] {
        ink = InkRows(drv::CaptureWindow(main), row2);
        return ink.second > ink.first;
      },
      kWait);
  const int font = Scale(design::kFontHeight, dpi);
  EXPECT_GE(ink.first, row2.top + Scale(design::kCellTextInset, dpi)) << "text above its row";
  EXPECT_LT(ink.second, row2.bottom) << "text cut by its row's end";
  EXPECT_GE(ink.second - ink.first, font * 2 / 3) << "text smaller than the font";
  EXPECT_LE(ink.second - ink.first, font);
}

std::string SavedNumbers(const std::string& dat, std::initializer_list<int> lines) {
  std::string text;
  for (const int line : lines) text += Line(dat, line).value_or("?") + " ";
  return text;
}

TEST(E2eDpi, LayoutAndSettingsFileAtEachDpi) {
  using namespace design;
  for (const int32_t dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    const drv::ScreenDpi screen(static_cast<DWORD>(dpi));
    ASSERT_TRUE(screen.IsSet());
    Rig rig;
    rig.StartTabvane(false);
    const HWND main = rig.Main();
    const RECT outer = drv::WindowRect(main);
    EXPECT_EQ(Text(outer), Text(ToRect({Scale(kMainDesignBounds.left, dpi),
                                        Scale(kMainDesignBounds.top, dpi),
                                        Scale(kMainDesignBounds.width, dpi),
                                        Scale(kMainDesignBounds.height, dpi)})));
    ExpectMainLayout(rig, dpi);

    // The slot editor (context-menu key on row 1) and the settings dialog (Button1).
    ASSERT_TRUE(rig.Focus());
    rig.ClickRow(1);
    drv::PressApps();
    const HWND editor = rig.WaitTabvaneWindow(SlotEditorCaption('0'));
    ASSERT_NE(editor, nullptr);
    ExpectDialogLayout(editor, kSlotEditorClient,
                       {kSlotEditorLabel1, kSlotEditorEdit1, kSlotEditorLabel2, kSlotEditorEdit2,
                        kSlotEditorButton1, kSlotEditorButton2, kSlotEditorButton3},
                       dpi);
    drv::PressKey(VK_ESCAPE);
    ASSERT_TRUE(drv::WaitWindowGone(editor, kWait));
    ASSERT_TRUE(rig.Focus());
    const RECT button1 = drv::ClientRectOnScreen(
        drv::FindChildByText(main, L"Button", std::string(kSettingsTitle)));
    drv::Click({(button1.left + button1.right) / 2, (button1.top + button1.bottom) / 2});
    const HWND settings = rig.WaitTabvaneWindow(kSettingsTitle);
    ASSERT_NE(settings, nullptr);
    ExpectDialogLayout(settings, kSettingsClient,
                       {kSettingsLabel1, kSettingsEdit1, kSettingsLabel2, kSettingsCheckBox1,
                        kSettingsCheckBox2, kSettingsButton2, kSettingsButton3,
                        kSettingsCheckBox3},
                       dpi);
    drv::PressKey(VK_ESCAPE);
    ASSERT_TRUE(drv::WaitWindowGone(settings, kWait));

    // The file holds the 96-dpi numbers of the window and the dialogs (within 2 pixels: the
    // frames do not scale exactly), and at the same DPI puts the window back exactly.
    ASSERT_TRUE(rig.CloseTabvane());
    const std::string dat = rig.AppFile("Tabvane.dat");
    const std::vector<int32_t> expected = {
        kMainDesignBounds.left, kMainDesignBounds.top, kMainDesignBounds.width,
        kMainDesignBounds.height, kSlotEditorDesignPosition.left, kSlotEditorDesignPosition.top,
        kSettingsDialogDesignPosition.left, kSettingsDialogDesignPosition.top};
    const int lines[] = {1, 2, 3, 4, 5, 6, 13, 14};
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_LE(std::abs(std::atoi(Line(dat, lines[i]).value_or("").c_str()) - expected[i]), 2)
          << "line " << lines[i] << ": " << SavedNumbers(dat, {1, 2, 3, 4, 5, 6, 13, 14});
    }
    rig.StartTabvane(false);
    EXPECT_EQ(Text(drv::WindowRect(rig.Main())), Text(outer));
    EXPECT_TRUE(rig.CloseTabvane());
  }
}

}  // namespace
}  // namespace tabvane::e2e
