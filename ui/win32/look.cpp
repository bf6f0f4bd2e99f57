// The shell's fonts, brushes and icons.
#include "ui/win32/look.h"

#include <algorithm>
#include <cstddef>

#include "ui/dpi.h"
#include "ui/win32/resource.h"

namespace tabvane {
namespace {

HFONT MakeFont(LONG escapement, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -Scale(design::kFontHeight, static_cast<int32_t>(dpi));  // character height
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  constexpr wchar_t kFaceName[] = L"ＭＳ ゴシック";
  static_assert(sizeof(kFaceName) <= sizeof(lf.lfFaceName));
  for (std::size_t i = 0; i < sizeof(kFaceName) / sizeof(wchar_t); ++i) {
    lf.lfFaceName[i] = kFaceName[i];
  }
  return CreateFontIndirectW(&lf);
}

// The icon resource in the size of a design size at dpi: the image of that size where the
// resource has one (16, 20, 24, 32 and 48 pixels), else the nearest, scaled by the system.
HICON LoadIconAt(int32_t designSize, UINT dpi) {
  const int size = Scale(designSize, static_cast<int32_t>(dpi));
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TABVANE_ICON),
                                       IMAGE_ICON, size, size, 0));
}

}  // namespace

Look::Look()
    : formBrush_(CreateSolidBrush(kFormColour)),
      cellBrush_(CreateSolidBrush(kCellColour)),
      fixedBrush_(CreateSolidBrush(kFixedColour)),
      whiteBrush_(CreateSolidBrush(kWhite)) {
  ReadContrast();
}

bool Look::ReadContrast() const {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != 0 &&
                  (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  const bool changed = on != highContrast_;
  highContrast_ = on;
  return changed;
}

Look::~Look() {
  for (const Scaled& scaled : scaled_) {
    DeleteObject(scaled.font);
    DeleteObject(scaled.sidewaysFont);
    if (scaled.smallIcon != nullptr) DestroyIcon(scaled.smallIcon);
    if (scaled.bigIcon != nullptr) DestroyIcon(scaled.bigIcon);
  }
  DeleteObject(formBrush_);
  DeleteObject(cellBrush_);
  DeleteObject(fixedBrush_);
  DeleteObject(whiteBrush_);
}

Look::Scaled& Look::AtDpi(UINT dpi) const {
  const auto found = std::find_if(scaled_.begin(), scaled_.end(),
                                  [dpi](const Scaled& scaled) { return scaled.dpi == dpi; });
  if (found != scaled_.end()) return *found;
  return scaled_.emplace_back(Scaled{dpi, MakeFont(0, dpi), MakeFont(900, dpi)});
}

void Look::SetIcon(HWND window, UINT dpi, WPARAM size) const {
  Scaled& scaled = AtDpi(dpi);
  const bool small = size == ICON_SMALL;
  HICON& icon = small ? scaled.smallIcon : scaled.bigIcon;
  if (icon == nullptr) icon = LoadIconAt(small ? design::kSmallIcon : design::kBigIcon, dpi);
  SendMessageW(window, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
}

void Look::SetIcons(HWND window, UINT dpi) const {
  SetIcon(window, dpi, ICON_SMALL);
  SetIcon(window, dpi, ICON_BIG);
}

}  // namespace tabvane
