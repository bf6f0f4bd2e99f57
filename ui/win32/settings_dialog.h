// The settings dialog TForm3 on Win32: the interval field, three check boxes with tool tips,
// OK and Cancel. It implements SettingsDialogView and runs TForm3's handlers. Win32 only.
#pragma once

#include <windows.h>

#include "ui/form3.h"
#include "ui/views.h"
#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class SettingsDialog : public SettingsDialogView, public Dialog {
 public:
  explicit SettingsDialog(const Look& look) : look_(look) {}
  // Creates the hidden dialog owned by owner.
  bool Create(HWND owner);
  void Attach(TForm3& form) { form_ = &form; }

  std::string Edit1Text() const override { return WindowTextSjis(edit1_); }
  void SetEdit1Text(std::string_view text) override { SetWindowTextSjis(edit1_, text); }
  bool CheckBox1() const override { return Checked(checkBox1_); }
  void SetCheckBox1(bool checked) override { SetChecked(checkBox1_, checked); }
  bool CheckBox2() const override { return Checked(checkBox2_); }
  void SetCheckBox2(bool checked) override { SetChecked(checkBox2_, checked); }
  bool CheckBox3() const override { return Checked(checkBox3_); }
  void SetCheckBox3(bool checked) override { SetChecked(checkBox3_, checked); }
  void FocusEdit1() override { FocusControl(edit1_); }
  void Close() override { EndModal(); }
  Position GetPosition() const override { return DialogPosition(); }
  void SetPosition(const Position& position) override { SetDialogPosition(position); }
  void ShowModal() override;

 protected:
  void CreateControls() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static bool Checked(HWND box);
  static void SetChecked(HWND box, bool checked);

  const Look& look_;
  TForm3* form_ = nullptr;
  HWND edit1_ = nullptr;
  HWND checkBox1_ = nullptr;
  HWND checkBox2_ = nullptr;
  HWND checkBox3_ = nullptr;
};

}  // namespace tabvane
