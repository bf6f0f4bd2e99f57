// The slot editor: its controls at their pixel places, the routing of its buttons to TForm2,
// the batch file chooser and the Yes/No question whose Escape answers No.
#include "ui/win32/slot_editor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "host/win32/exe_path.h"
#include "host/win32/wide.h"
#include "text/texts.h"

namespace tabvane {
namespace {

constexpr int kEdit1Id = 1000;
constexpr int kEdit2Id = 1001;
constexpr int kBrowseId = 1002;
constexpr DWORD kPathUnits = 32768;  // the longest path the chooser can hand back

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
    const HMODULE dll = LoadSystemDll(L"comdlg32.dll");
    if (dll == nullptr) return OpenFileChooser{nullptr};
    return reinterpret_cast<OpenFileChooser>(
        reinterpret_cast<void*>(GetProcAddress(dll, "GetOpenFileNameW")));
  }();
  return chooser;
}

// Label1, Edit1, Label2, Edit2, Button1 (参照), Button2 (OK), Button3 (Cancel), in the tab
// order; the labels have no tab stop.
constexpr ControlArgs kControls[] = {
    {.kind = WC_STATICW, .place = design::kSlotEditorLabel1, .text = texts::kTransformName,
     .style = kLabelStyle},
    {.kind = WC_EDITW, .place = design::kSlotEditorEdit1, .style = kEditStyle,
     .exStyle = WS_EX_CLIENTEDGE, .id = kEdit1Id},
    {.kind = WC_STATICW, .place = design::kSlotEditorLabel2, .text = texts::kBatchFileName,
     .style = kLabelStyle},
    {.kind = WC_EDITW, .place = design::kSlotEditorEdit2, .style = kEditStyle,
     .exStyle = WS_EX_CLIENTEDGE, .id = kEdit2Id},
    {.kind = WC_BUTTONW, .place = design::kSlotEditorButton1, .text = texts::kBrowse,
     .style = kButtonStyle, .id = kBrowseId},
    {.kind = WC_BUTTONW, .place = design::kSlotEditorButton2, .text = texts::kOk,
     .style = kButtonStyle | BS_DEFPUSHBUTTON, .id = IDOK},
    {.kind = WC_BUTTONW, .place = design::kSlotEditorButton3, .text = texts::kCancel,
     .style = kButtonStyle, .id = IDCANCEL},
};

}  // namespace

void SlotEditorDialog::Prepare(HWND owner) {
  Dialog::Prepare(owner, WideFromSjis(texts::kSlotEditorCaption), kSlotEditorDesignPosition,
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
  const std::wstring title = WideFromSjis(texts::kChooserTitle);
  std::wstring filter = WideFromSjis(texts::kChooserFilter);
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
  // A name code page 932 cannot hold names no file once converted: its short form, or nothing.
  return SjisPathFromWide(path.data());
}

bool SlotEditorDialog::AskSetTitle() {
  questionHook = SetWindowsHookExW(WH_CBT, &QuestionHook, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(Handle(), WideFromSjis(texts::kQuestion).c_str(),
                                 WideFromSjis(texts::kQuestionTitle).c_str(),
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
      return ControlColour(reinterpret_cast<HDC>(wParam), look_.CellColour(), look_.CellBrush());
    default:
      return FALSE;
  }
}

}  // namespace tabvane
