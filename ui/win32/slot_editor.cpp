// The slot editor: its controls at their pixel places, the routing of its buttons to TForm2,
// the batch file chooser and the Yes/No question whose Escape answers No.
#include "ui/win32/slot_editor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "host/win32/wide.h"

namespace tabvane {
namespace {

constexpr int kEdit1Id = 1000;
constexpr int kEdit2Id = 1001;
constexpr int kBrowseId = 1002;
constexpr DWORD kPathUnits = 32768;  // the longest path the chooser can hand back

constexpr std::string_view kCaption = "\x93\xFC\x97\xCD";  // 入力
constexpr std::string_view kLabel1 = "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x96\xBC";  // 外部変形名
constexpr std::string_view kLabel2 =  // バッチファイル名
    "\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC";
constexpr std::string_view kBrowse = "\x8E\x51\x8F\xC6";  // 参照
constexpr std::string_view kOk = "\x82\x6E\x82\x6A(&Y)";  // ＯＫ(&Y)
constexpr std::string_view kCancel = "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B(&N)";  // キャンセル(&N)
constexpr std::string_view kChooserTitle =  // バッチファイルを指定
    "\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8";
constexpr std::string_view kFilterName =  // Jw_cad外部変形バッチファイル(*.bat)
    "Jw_cad\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B"
    "(*.bat)";
constexpr std::string_view kQuestionTitle = "\x8A\x6D\x94\x46";  // 確認
constexpr std::string_view kQuestion =  // 指定バッチファイルの先頭行文字を外部変形名にセットしますか？
    "\x8E\x77\x92\xE8\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x90\xE6\x93\xAA"
    "\x8D\x73\x95\xB6\x8E\x9A\x82\xF0\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x96\xBC\x82\xC9\x83\x5A\x83\x62"
    "\x83\x67\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";

// ---- The Yes/No question ----
// The system's message box answers Escape with IDCANCEL, or not at all, when it has no Cancel
// button. A thread-local CBT hook catches the box as it is first activated, centres it on its
// monitor and subclasses it so that IDCANCEL becomes IDNO; then the hook removes itself, so
// that no other dialog activated later is touched.

constexpr wchar_t kBoxProcProperty[] = L"TabvaneQuestionProc";

// The hook while the question is up. The program has one user-interface thread and shows one
// question at a time.
HHOOK questionHook = nullptr;

LRESULT CALLBACK QuestionBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kBoxProcProperty));
  if (previous == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    wParam = MAKEWPARAM(IDNO, BN_CLICKED);
    lParam = reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDNO));
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(hwnd, kBoxProcProperty);
  }
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

void CentreOnMonitor(HWND box) {
  RECT r{};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetWindowRect(box, &r) ||
      !GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &info)) {
    return;
  }
  const RECT& work = info.rcWork;
  SetWindowPos(box, nullptr, work.left + (work.right - work.left - (r.right - r.left)) / 2,
               work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK QuestionHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
  if (code == HCBT_ACTIVATE && questionHook != nullptr) {
    const auto box = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(box, className, 16);
    if (lstrcmpW(className, L"#32770") == 0) {
      UnhookWindowsHookEx(questionHook);
      questionHook = nullptr;
      CentreOnMonitor(box);
      const LONG_PTR previous = GetWindowLongPtrW(box, GWLP_WNDPROC);
      SetPropW(box, kBoxProcProperty, reinterpret_cast<HANDLE>(previous));
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QuestionBoxProc));
    }
  }
  return next;
}

// The file chooser of comdlg32, loaded on its first use: the DLL and the ones it pulls in
// (shell32, shlwapi, winspool ...) cost start-up time and memory that most runs never need.
// nullptr when it cannot be loaded.
using OpenFileChooser = BOOL(WINAPI*)(OPENFILENAMEW*);
OpenFileChooser FileChooser() {
  static const OpenFileChooser chooser = [] {
    const HMODULE dll = LoadLibraryW(L"comdlg32.dll");
    if (dll == nullptr) return OpenFileChooser{nullptr};
    return reinterpret_cast<OpenFileChooser>(
        reinterpret_cast<void*>(GetProcAddress(dll, "GetOpenFileNameW")));
  }();
  return chooser;
}

// Label1, Edit1, Label2, Edit2, Button1 (参照), Button2 (OK), Button3 (Cancel), in the tab
// order; the labels have no tab stop.
constexpr ControlArgs kControls[] = {
    {.kind = WC_STATICW, .place = design::kSlotEditorLabel1, .text = kLabel1,
     .style = kLabelStyle},
    {.kind = WC_EDITW, .place = design::kSlotEditorEdit1, .style = kEditStyle,
     .exStyle = WS_EX_CLIENTEDGE, .id = kEdit1Id},
    {.kind = WC_STATICW, .place = design::kSlotEditorLabel2, .text = kLabel2,
     .style = kLabelStyle},
    {.kind = WC_EDITW, .place = design::kSlotEditorEdit2, .style = kEditStyle,
     .exStyle = WS_EX_CLIENTEDGE, .id = kEdit2Id},
    {.kind = WC_BUTTONW, .place = design::kSlotEditorButton1, .text = kBrowse,
     .style = kButtonStyle, .id = kBrowseId},
    {.kind = WC_BUTTONW, .place = design::kSlotEditorButton2, .text = kOk,
     .style = kButtonStyle | BS_DEFPUSHBUTTON, .id = IDOK},
    {.kind = WC_BUTTONW, .place = design::kSlotEditorButton3, .text = kCancel,
     .style = kButtonStyle, .id = IDCANCEL},
};

}  // namespace

void SlotEditorDialog::Prepare(HWND owner) {
  Dialog::Prepare(owner, WideFromSjis(kCaption), kSlotEditorDesignPosition,
                  design::kSlotEditorClient);
}

void SlotEditorDialog::CreateControls() {
  const HWND hwnd = Handle();
  MakeControls(kControls);
  edit1_ = GetDlgItem(hwnd, kEdit1Id);
  edit2_ = GetDlgItem(hwnd, kEdit2Id);
}

void SlotEditorDialog::SetCaption(std::string_view text) { SetWindowTextSjis(Handle(), text); }

SlotFields SlotEditorDialog::Fields() const {
  return {WindowTextSjis(edit1_), WindowTextSjis(edit2_)};
}

void SlotEditorDialog::SetFields(const SlotFields& fields) {
  SetWindowTextSjis(edit1_, fields.name);
  SetWindowTextSjis(edit2_, fields.batchFile);
}

std::optional<std::string> SlotEditorDialog::ChooseBatchFile(std::string_view folder,
                                                             std::string_view fileName) {
  std::vector<wchar_t> path(kPathUnits, L'\0');
  const std::wstring name = WideFromSjis(fileName);
  name.copy(path.data(), std::min<std::size_t>(name.size(), kPathUnits - 1));
  const std::wstring initialDir = WideFromSjis(folder);
  const std::wstring title = WideFromSjis(kChooserTitle);
  std::wstring filter = WideFromSjis(kFilterName);
  filter.push_back(L'\0');
  filter.append(L"*.bat");
  filter.push_back(L'\0');  // the list ends with a second zero, c_str() adds it

  OPENFILENAMEW chooser{};
  chooser.lStructSize = sizeof(chooser);
  chooser.hwndOwner = Handle();
  chooser.lpstrFilter = filter.c_str();
  chooser.nFilterIndex = 1;
  chooser.lpstrFile = path.data();
  chooser.nMaxFile = kPathUnits;
  chooser.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  chooser.lpstrTitle = title.c_str();
  // OFN_NOCHANGEDIR: choosing a file must not move the working folder, against which
  // hand-written relative slot paths are found.
  chooser.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                  OFN_EXPLORER | OFN_NOCHANGEDIR;
  chooser.lpstrDefExt = L"bat";
  const OpenFileChooser open = FileChooser();
  if (open == nullptr || !open(&chooser)) return std::nullopt;
  return SjisFromWide(path.data());
}

bool SlotEditorDialog::AskSetTitle() {
  questionHook = SetWindowsHookExW(WH_CBT, &QuestionHook, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(Handle(), WideFromSjis(kQuestion).c_str(),
                                 WideFromSjis(kQuestionTitle).c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
  if (questionHook != nullptr) UnhookWindowsHookEx(questionHook);
  questionHook = nullptr;
  return answer == IDYES;
}

INT_PTR SlotEditorDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      if (form_ == nullptr) return FALSE;
      // IDCANCEL also comes from Escape and the close box.
      if (LOWORD(wParam) == IDOK) form_->Button2Click();
      if (LOWORD(wParam) == IDCANCEL) form_->Button3Click();
      if (LOWORD(wParam) == kBrowseId && HIWORD(wParam) == BN_CLICKED) form_->Button1Click();
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:  // the labels
      return ControlColour(reinterpret_cast<HDC>(wParam), kCellColour, look_.CellBrush());
    default:
      return FALSE;
  }
}

}  // namespace tabvane
