// The slot editor TForm2 on Win32: a fixed dialog with the name and batch file fields, the
// browse button with its file chooser and Yes/No question, OK and Cancel. It implements
// SlotEditorView and runs TForm2's handlers. Win32 only.
#pragma once

#include <windows.h>

#include "ui/form2.h"
#include "ui/views.h"
#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class SlotEditorDialog : public SlotEditorView, public FormDialog<TForm2> {
 public:
  using FormDialog::FormDialog;
  // The dialog owned by owner; its window is made when it is first shown.
  void Prepare(HWND owner);

  void SetCaption(std::string_view text) override;
  SlotFields Fields() const override;
  void SetFields(const SlotFields& fields) override;
  void FocusEdit1SelectAll() override { FocusControl(edit1_); }
  void Close() override { EndModal(); }
  Position GetPosition() const override { return DialogPosition(); }
  void SetPosition(const Position& position) override { SetDialogPosition(position); }
  void ShowModal() override { RunModal(); }
  std::optional<std::string> ChooseBatchFile(std::string_view folder,
                                             std::string_view fileName) override;
  bool AskSetTitle() override;

 protected:
  void CreateControls() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND edit1_ = nullptr;
  HWND edit2_ = nullptr;
};

}  // namespace tabvane
