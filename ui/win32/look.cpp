// The shell's fonts, brushes and icon.
#include "ui/win32/look.h"

#include <cstddef>

#include "ui/win32/resource.h"

namespace tabvane {
namespace {

HFONT MakeFont(LONG escapement) {
  LOGFONTW lf{};
  lf.lfHeight = -13;  // character height 13 pixels
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  // "ＭＳ ゴシック"
  constexpr wchar_t kFaceName[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";
  static_assert(sizeof(kFaceName) <= sizeof(lf.lfFaceName));
  for (std::size_t i = 0; i < sizeof(kFaceName) / sizeof(wchar_t); ++i) {
    lf.lfFaceName[i] = kFaceName[i];
  }
  return CreateFontIndirectW(&lf);
}

}  // namespace

Look::Look()
    : font_(MakeFont(0)),
      sidewaysFont_(MakeFont(900)),
      formBrush_(CreateSolidBrush(kFormColour)),
      cellBrush_(CreateSolidBrush(kCellColour)),
      fixedBrush_(CreateSolidBrush(kFixedColour)),
      whiteBrush_(CreateSolidBrush(kWhite)),
      icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TABVANE_ICON),
                                          IMAGE_ICON, 16, 16, 0))) {}

Look::~Look() {
  DeleteObject(font_);
  DeleteObject(sidewaysFont_);
  DeleteObject(formBrush_);
  DeleteObject(cellBrush_);
  DeleteObject(fixedBrush_);
  DeleteObject(whiteBrush_);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

}  // namespace tabvane
