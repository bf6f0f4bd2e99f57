// The settings dialog TForm3 on Win32: the interval field, three check boxes with tool tips,
// OK and Cancel. It implements SettingsDialogView and runs TForm3's handlers. Win32 only.
#pragma once

#include <windows.h>

#include "ui/form3.h"
#include "ui/views.h"
#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class SettingsDialog : public SettingsDialogView, public FormDialog<TForm3> {
 public:
  using FormDialog::FormDialog;
  // The dialog owned by owner; its window is made when it is first shown.
  void Prepare(HWND owner);

  SettingsFields Fields() const override;
  void SetFields(const SettingsFields& fields) override;
  void FocusEdit1() override { FocusControl(edit1_); }
  void Close() override { EndModal(); }
  Position GetPosition() const override { return DialogPosition(); }
  void SetPosition(const Position& position) override { SetDialogPosition(position); }
  void ShowModal() override { RunModal(); }

 protected:
  void CreateControls() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND edit1_ = nullptr;
  HWND checkBox1_ = nullptr;
  HWND checkBox2_ = nullptr;
  HWND checkBox3_ = nullptr;
};

}  // namespace tabvane
