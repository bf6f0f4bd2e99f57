// The register dialog: its controls at their pixel places, in the tab order page, tab,
// keywords, result, OK, Cancel (each after its labelled access key), and the routing of their
// changes to TForm4.
#include "ui/win32/teach_dialog.h"

#include <commctrl.h>

#include "host/win32/wide.h"
#include "text/texts.h"

namespace tabvane {
namespace {

constexpr int kPagesId = 1000;
constexpr int kTabsId = 1001;
constexpr int kKeywordsId = 1002;
constexpr int kResultId = 1003;
// Labels that give the next control its access key: "&" is a prefix here.
constexpr DWORD kKeyLabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr DWORD kDropDownStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

constexpr ControlArgs kControls[] = {
    {.kind = WC_STATICW, .place = design::kTeachPageLabel, .text = texts::kTeachPage,
     .style = kKeyLabelStyle},
    {.kind = WC_COMBOBOXW, .place = design::kTeachPageCombo, .style = kDropDownStyle, .id = kPagesId},
    {.kind = WC_STATICW, .place = design::kTeachTabLabel, .text = texts::kTeachTab,
     .style = kKeyLabelStyle},
    {.kind = WC_COMBOBOXW, .place = design::kTeachTabCombo, .style = kDropDownStyle, .id = kTabsId},
    {.kind = WC_STATICW, .place = design::kTeachKeywordLabel, .text = texts::kTeachKeywords,
     .style = kKeyLabelStyle},
    {.kind = WC_LISTVIEWW, .place = design::kTeachKeywordList,
     .style = WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
              LVS_SHOWSELALWAYS,
     .exStyle = WS_EX_CLIENTEDGE, .id = kKeywordsId},
    {.kind = WC_STATICW, .place = design::kTeachResultLabel, .text = texts::kTeachResult,
     .style = kKeyLabelStyle},
    {.kind = WC_EDITW, .place = design::kTeachResultText,
     .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
     .exStyle = WS_EX_CLIENTEDGE, .id = kResultId},
    {.kind = WC_BUTTONW, .place = design::kTeachOk, .text = texts::kOk,
     .style = kButtonStyle | BS_DEFPUSHBUTTON, .id = IDOK},
    {.kind = WC_BUTTONW, .place = design::kTeachCancel, .text = texts::kCancel,
     .style = kButtonStyle, .id = IDCANCEL},
};

void FillCombo(HWND combo, const std::vector<std::string>& items) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring text = WideFromSjis(item);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

}  // namespace

void TeachDialog::Prepare(HWND owner, const Position& position) {
  Dialog::Prepare(owner, WideFromSjis(texts::kTeachTitle), position, design::kTeachClient);
}

void TeachDialog::CreateControls() {
  const HWND hwnd = Handle();
  MakeControls(kControls);
  pages_ = GetDlgItem(hwnd, kPagesId);
  tabs_ = GetDlgItem(hwnd, kTabsId);
  keywords_ = GetDlgItem(hwnd, kKeywordsId);
  result_ = GetDlgItem(hwnd, kResultId);
  ok_ = GetDlgItem(hwnd, IDOK);
  SendMessageW(keywords_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(keywords_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void TeachDialog::SetPages(const std::vector<std::string>& captions) {
  filling_ = true;
  FillCombo(pages_, captions);
  filling_ = false;
}

void TeachDialog::SetTabs(const std::vector<std::string>& captions) {
  filling_ = true;
  FillCombo(tabs_, captions);
  filling_ = false;
}

void TeachDialog::SetKeywords(const std::vector<std::string>& captions) {
  filling_ = true;
  SendMessageW(keywords_, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    std::wstring text = WideFromSjis(captions[i]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = text.data();
    SendMessageW(keywords_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(keywords_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  filling_ = false;
}

TeachFields TeachDialog::Fields() const {
  TeachFields fields;
  fields.page = static_cast<int32_t>(SendMessageW(pages_, CB_GETCURSEL, 0, 0));
  fields.tab = static_cast<int32_t>(SendMessageW(tabs_, CB_GETCURSEL, 0, 0));
  const auto count = static_cast<int>(SendMessageW(keywords_, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto state = static_cast<UINT>(
        SendMessageW(keywords_, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK));
    fields.checked.push_back((state >> 12) == 2);  // state image 2: checked
  }
  return fields;
}

void TeachDialog::SetFields(const TeachFields& fields) {
  filling_ = true;
  SendMessageW(pages_, CB_SETCURSEL, static_cast<WPARAM>(fields.page), 0);
  SendMessageW(tabs_, CB_SETCURSEL, static_cast<WPARAM>(fields.tab), 0);
  for (std::size_t i = 0; i < fields.checked.size(); ++i) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(fields.checked[i] ? 2 : 1);
    SendMessageW(keywords_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
  }
  filling_ = false;
}

void TeachDialog::SetResult(std::string_view text) { SetWindowTextSjis(result_, text); }

void TeachDialog::EnableOk(bool enabled) { EnableWindow(ok_, enabled ? TRUE : FALSE); }

INT_PTR TeachDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (form_ == nullptr) return FALSE;
      // IDCANCEL also comes from Escape and the close box; IDOK from Enter.
      if (LOWORD(wParam) == IDOK) form_->Button1Click();
      if (LOWORD(wParam) == IDCANCEL) form_->Button2Click();
      if (HIWORD(wParam) == CBN_SELCHANGE && !filling_) {
        if (LOWORD(wParam) == kPagesId) form_->ComboBox1Change();
        if (LOWORD(wParam) == kTabsId) form_->FieldsChange();
      }
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (form_ != nullptr && !filling_ && header.idFrom == kKeywordsId &&
          header.code == LVN_ITEMCHANGED) {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0) {
          form_->FieldsChange();
        }
      }
      return FALSE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:  // the labels and the read-only result
      return ControlColour(reinterpret_cast<HDC>(wParam), kCellColour, look_.CellBrush());
    default:
      return FALSE;
  }
}

}  // namespace tabvane
