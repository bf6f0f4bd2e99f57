// The demo's stand-in for a high-contrast scheme, which Wine cannot switch on: loaded into
// Tabvane.exe by the demo driver, it sets the system colours of a black high-contrast scheme in
// that process, answers the exe's questions about high contrast with "on" and passes every
// other question of SystemParametersInfoW on. Demo only; never part of the release.
#include <windows.h>

#include <cstring>

namespace {

using SystemParametersInfoFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
SystemParametersInfoFn g_real = nullptr;

BOOL WINAPI HighContrastOn(UINT action, UINT param, PVOID data, UINT flags) {
  if (action == SPI_GETHIGHCONTRAST && data != nullptr) {
    auto* contrast = static_cast<HIGHCONTRASTW*>(data);
    contrast->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
    contrast->lpszDefaultScheme = nullptr;
    return TRUE;
  }
  return g_real(action, param, data, flags);
}

// Points the exe's import of user32's SystemParametersInfoW at HighContrastOn.
void PatchImport() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       dll->Name != 0; ++dll) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(
          base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "SystemParametersInfoW") != 0) {
        continue;
      }
      DWORD protection = 0;
      if (VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE,
                         &protection) == 0) {
        return;
      }
      g_real = reinterpret_cast<SystemParametersInfoFn>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<decltype(slots->u1.Function)>(&HighContrastOn);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
      return;
    }
  }
}

// The colours of a black high-contrast scheme.
void SetSchemeColours() {
  const int indexes[] = {
      COLOR_WINDOW,          COLOR_WINDOWTEXT,         COLOR_BTNFACE,
      COLOR_BTNTEXT,         COLOR_HIGHLIGHT,          COLOR_HIGHLIGHTTEXT,
      COLOR_GRAYTEXT,        COLOR_BTNSHADOW,          COLOR_BTNHIGHLIGHT,
      COLOR_3DDKSHADOW,      COLOR_3DLIGHT,            COLOR_WINDOWFRAME,
      COLOR_ACTIVECAPTION,   COLOR_CAPTIONTEXT,        COLOR_INACTIVECAPTION,
      COLOR_INACTIVECAPTIONTEXT, COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION,
      COLOR_MENU,            COLOR_MENUTEXT,           COLOR_SCROLLBAR,
      COLOR_INFOBK,          COLOR_INFOTEXT,           COLOR_ACTIVEBORDER,
      COLOR_INACTIVEBORDER,
  };
  const COLORREF colours[] = {
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
      RGB(255, 255, 255), RGB(26, 235, 255),  RGB(0, 0, 0),
      RGB(63, 242, 63),   RGB(128, 128, 128), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
      RGB(63, 242, 63),   RGB(0, 0, 0),       RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(128, 128, 128),
  };
  static_assert(sizeof(indexes) / sizeof(indexes[0]) == sizeof(colours) / sizeof(colours[0]));
  SetSysColors(static_cast<int>(sizeof(indexes) / sizeof(indexes[0])), indexes, colours);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    PatchImport();
    SetSchemeColours();
  }
  return TRUE;
}
