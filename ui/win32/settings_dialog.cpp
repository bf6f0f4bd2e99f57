// The settings dialog: its controls at their pixel places, in the tab order Edit1, CheckBox1,
// CheckBox2, Button2, Button3, CheckBox3, and the routing of its buttons to TForm3.
#include "ui/win32/settings_dialog.h"

#include <commctrl.h>
#include <imm.h>

#include "host/win32/wide.h"
#include "text/texts.h"

namespace tabvane {
namespace {

constexpr int kEdit1Id = 1000;
constexpr int kCheckBox1Id = 1001;
constexpr int kCheckBox2Id = 1002;
constexpr int kCheckBox3Id = 1003;
constexpr WPARAM kEdit1MaxChars = 5;

// A tool tip on control while the pointer rests on it; the tip window watches the control
// itself (TTF_SUBCLASS).
void AddToolTip(HWND tips, HWND owner, HWND control, std::string_view textSjis) {
  std::wstring text = WideFromSjis(textSjis);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every version of the control accepts
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Made in the tab order Edit1, CheckBox1, CheckBox2, Button2 (OK), Button3 (Cancel),
// CheckBox3; the labels have no tab stop.
constexpr ControlArgs kControls[] = {
    {.kind = WC_STATICW, .place = design::kSettingsLabel1, .text = texts::kInterval,
     .style = kLabelStyle},
    {.kind = WC_EDITW, .place = design::kSettingsEdit1, .text = "3000", .style = kEditStyle,
     .exStyle = WS_EX_CLIENTEDGE, .id = kEdit1Id},
    {.kind = WC_STATICW, .place = design::kSettingsLabel2, .text = texts::kMilliseconds,
     .style = kLabelStyle},
    {.kind = WC_BUTTONW, .place = design::kSettingsCheckBox1, .text = texts::kMaximizeHost,
     .style = kCheckStyle, .id = kCheckBox1Id},
    {.kind = WC_BUTTONW, .place = design::kSettingsCheckBox2, .text = texts::kMinimizeAfterRun,
     .style = kCheckStyle, .id = kCheckBox2Id},
    {.kind = WC_BUTTONW, .place = design::kSettingsButton2, .text = texts::kOk,
     .style = kButtonStyle | BS_DEFPUSHBUTTON, .id = IDOK},
    {.kind = WC_BUTTONW, .place = design::kSettingsButton3, .text = texts::kCancel,
     .style = kButtonStyle, .id = IDCANCEL},
    {.kind = WC_BUTTONW, .place = design::kSettingsCheckBox3, .text = texts::kEditMode,
     .style = kCheckStyle, .id = kCheckBox3Id},
};

}  // namespace

void SettingsDialog::Prepare(HWND owner) {
  Dialog::Prepare(owner, WideFromSjis(texts::kSettings), kSettingsDialogDesignPosition,
                  design::kSettingsClient);
}

void SettingsDialog::CreateControls() {
  const HWND hwnd = Handle();
  MakeControls(kControls);
  edit1_ = GetDlgItem(hwnd, kEdit1Id);
  checkBox1_ = GetDlgItem(hwnd, kCheckBox1Id);
  checkBox2_ = GetDlgItem(hwnd, kCheckBox2Id);
  checkBox3_ = GetDlgItem(hwnd, kCheckBox3Id);
  SendMessageW(edit1_, EM_SETLIMITTEXT, kEdit1MaxChars, 0);
  // The input method stays off while the interval field has the focus.
  ImmAssociateContextEx(edit1_, nullptr, 0);

  const HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  if (tips != nullptr) {
    AddToolTip(tips, hwnd, checkBox1_, texts::kMaximizeHostHint);
    AddToolTip(tips, hwnd, checkBox2_, texts::kMinimizeAfterRunHint);
    AddToolTip(tips, hwnd, checkBox3_, texts::kEditModeHint);
  }
}

INT_PTR SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      if (form_ == nullptr) return FALSE;
      // IDCANCEL also comes from Escape and the close box.
      if (LOWORD(wParam) == IDOK) form_->Button2Click();
      if (LOWORD(wParam) == IDCANCEL) form_->Button3Click();
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:  // the labels and check boxes
      return ControlColour(reinterpret_cast<HDC>(wParam), look_.CellColour(), look_.CellBrush());
    case WM_CTLCOLOREDIT:
      return ControlColour(reinterpret_cast<HDC>(wParam), look_.WhiteColour(), look_.WhiteBrush());
    default:
      return FALSE;
  }
}

namespace {

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND box, bool checked) {
  SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

SettingsFields SettingsDialog::Fields() const {
  return {WindowTextSjis(edit1_), Checked(checkBox1_), Checked(checkBox2_), Checked(checkBox3_)};
}

void SettingsDialog::SetFields(const SettingsFields& fields) {
  SetWindowTextSjis(edit1_, fields.interval);
  SetChecked(checkBox1_, fields.maximizeHost);
  SetChecked(checkBox2_, fields.minimizeAfterRun);
  SetChecked(checkBox3_, fields.editMode);
}

}  // namespace tabvane
