// The settings dialog: its controls at their pixel places, in the tab order Edit1, CheckBox1,
// CheckBox2, Button2, Button3, CheckBox3, and the routing of its buttons to TForm3.
#include "ui/win32/settings_dialog.h"

#include <commctrl.h>
#include <imm.h>

#include "host/win32/wide.h"

namespace tabvane {
namespace {

constexpr int kEdit1Id = 1000;
constexpr int kCheckBox1Id = 1001;
constexpr int kCheckBox2Id = 1002;
constexpr int kCheckBox3Id = 1003;
constexpr WPARAM kEdit1MaxChars = 5;

constexpr std::string_view kCaption = "\x90\xDD\x92\xE8";                      // 設定
constexpr std::string_view kLabel1 = "\x8A\x84\x8D\x9E\x8E\x9E\x8A\xD4";       // 割込時間
constexpr std::string_view kLabel2 = "\x83\x7E\x83\x8A\x95\x62";                // ミリ秒
constexpr std::string_view kCheckBox1 = "Jww\x8D\xC5\x91\xE5\x89\xBB";          // Jww最大化
constexpr std::string_view kCheckBox2 =                                          // 外部変形実行後最小化
    "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x8E\xC0\x8D\x73\x8C\xE3\x8D\xC5\x8F\xAC\x89\xBB";
constexpr std::string_view kCheckBox3 =                                          // メニュー編集モード
    "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68";
constexpr std::string_view kOk = "\x82\x6E\x82\x6A(&Y)";                        // ＯＫ(&Y)
constexpr std::string_view kCancel = "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B(&N)";  // キャンセル(&N)

// 外部変形実行時、Jw_cad画面を最大化表示します。普段 Jw_cadを最大化表示している場合にチェックをしてください。
constexpr std::string_view kHint1 =
    "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x8E\xC0\x8D\x73\x8E\x9E\x81\x41Jw_cad\x89\xE6\x96\xCA\x82\xF0"
    "\x8D\xC5\x91\xE5\x89\xBB\x95\x5C\x8E\xA6\x82\xB5\x82\xDC\x82\xB7\x81\x42\x95\x81\x92\x69 Jw_cad"
    "\x82\xF0\x8D\xC5\x91\xE5\x89\xBB\x95\x5C\x8E\xA6\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x8F\xEA\x8D\x87"
    "\x82\xC9\x83\x60\x83\x46\x83\x62\x83\x4E\x82\xF0\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2"
    "\x81\x42";
// 外部変形を実行した後、本ソフトを最小化します。本ソフトの画面が邪魔になる場合にチェックしてください。
constexpr std::string_view kHint2 =
    "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x82\xF0\x8E\xC0\x8D\x73\x82\xB5\x82\xBD\x8C\xE3\x81\x41\x96\x7B"
    "\x83\x5C\x83\x74\x83\x67\x82\xF0\x8D\xC5\x8F\xAC\x89\xBB\x82\xB5\x82\xDC\x82\xB7\x81\x42\x96\x7B"
    "\x83\x5C\x83\x74\x83\x67\x82\xCC\x89\xE6\x96\xCA\x82\xAA\x8E\xD7\x96\x82\x82\xC9\x82\xC8\x82\xE9"
    "\x8F\xEA\x8D\x87\x82\xC9\x83\x60\x83\x46\x83\x62\x83\x4E\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3"
    "\x82\xA2\x81\x42";
// 割込処理をしないようにします。ページ自動切替が行われませんのでメニュー編集が行い易くなります。
constexpr std::string_view kHint3 =
    "\x8A\x84\x8D\x9E\x8F\x88\x97\x9D\x82\xF0\x82\xB5\x82\xC8\x82\xA2\x82\xE6\x82\xA4\x82\xC9\x82\xB5"
    "\x82\xDC\x82\xB7\x81\x42\x83\x79\x81\x5B\x83\x57\x8E\xA9\x93\xAE\x90\xD8\x91\xD6\x82\xAA\x8D\x73"
    "\x82\xED\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x82\xCC\x82\xC5\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2"
    "\x8F\x57\x82\xAA\x8D\x73\x82\xA2\x88\xD5\x82\xAD\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x81\x42";

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
    {.kind = WC_STATICW, .place = design::kSettingsLabel1, .text = kLabel1,
     .style = kLabelStyle},
    {.kind = WC_EDITW, .place = design::kSettingsEdit1, .text = "3000", .style = kEditStyle,
     .exStyle = WS_EX_CLIENTEDGE, .id = kEdit1Id},
    {.kind = WC_STATICW, .place = design::kSettingsLabel2, .text = kLabel2,
     .style = kLabelStyle},
    {.kind = WC_BUTTONW, .place = design::kSettingsCheckBox1, .text = kCheckBox1,
     .style = kCheckStyle, .id = kCheckBox1Id},
    {.kind = WC_BUTTONW, .place = design::kSettingsCheckBox2, .text = kCheckBox2,
     .style = kCheckStyle, .id = kCheckBox2Id},
    {.kind = WC_BUTTONW, .place = design::kSettingsButton2, .text = kOk,
     .style = kButtonStyle | BS_DEFPUSHBUTTON, .id = IDOK},
    {.kind = WC_BUTTONW, .place = design::kSettingsButton3, .text = kCancel,
     .style = kButtonStyle, .id = IDCANCEL},
    {.kind = WC_BUTTONW, .place = design::kSettingsCheckBox3, .text = kCheckBox3,
     .style = kCheckStyle, .id = kCheckBox3Id},
};

}  // namespace

void SettingsDialog::Prepare(HWND owner) {
  Dialog::Prepare(owner, WideFromSjis(kCaption), kSettingsDialogDesignPosition,
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
    AddToolTip(tips, hwnd, checkBox1_, kHint1);
    AddToolTip(tips, hwnd, checkBox2_, kHint2);
    AddToolTip(tips, hwnd, checkBox3_, kHint3);
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
      return ControlColour(reinterpret_cast<HDC>(wParam), kCellColour, look_.CellBrush());
    case WM_CTLCOLOREDIT:
      return ControlColour(reinterpret_cast<HDC>(wParam), kWhite, look_.WhiteBrush());
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
