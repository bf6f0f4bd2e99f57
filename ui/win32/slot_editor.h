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

class SlotEditorDialog : public SlotEditorView, public Dialog {
 public:
  explicit SlotEditorDialog(const Look& look) : look_(look) {}
  // Creates the hidden dialog owned by owner.
  bool Create(HWND owner);
  void Attach(TForm2& form) { form_ = &form; }

  void SetCaption(std::string_view text) override;
  std::string Edit1Text() const override;
  void SetEdit1Text(std::string_view text) override;
  std::string Edit2Text() const override;
  void SetEdit2Text(std::string_view text) override;
  void FocusEdit1SelectAll() override { FocusControl(edit1_); }
  void Close() override { EndModal(); }
  Position GetPosition() const override { return DialogPosition(); }
  void SetPosition(const Position& position) override { SetDialogPosition(position); }
  void ShowModal() override;
  std::optional<std::string> ChooseBatchFile(std::string_view folder,
                                             std::string_view fileName) override;
  bool AskSetTitle() override;

 protected:
  void CreateControls() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const Look& look_;
  TForm2* form_ = nullptr;
  HWND edit1_ = nullptr;
  HWND edit2_ = nullptr;
};

}  // namespace tabvane
