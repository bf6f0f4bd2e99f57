// The register dialog TForm4 on Win32: page and tab drop-down lists, the keywords as a check
// list, the read-only preview, OK and Cancel; owned by the detection view. It implements
// TeachDialogView and runs TForm4's handlers. Win32 only.
#pragma once

#include <windows.h>

#include "ui/form4.h"
#include "ui/win32/look.h"
#include "ui/win32/window.h"

namespace tabvane {

class TeachDialog : public TeachDialogView, public FormDialog<TForm4> {
 public:
  using FormDialog::FormDialog;
  // The dialog owned by owner, at position (96-dpi numbers) when its window is made.
  void Prepare(HWND owner, const Position& position);

  void SetPages(const std::vector<std::string>& captions) override;
  void SetTabs(const std::vector<std::string>& captions) override;
  void SetKeywords(const std::vector<std::string>& captions) override;
  TeachFields Fields() const override;
  void SetFields(const TeachFields& fields) override;
  void SetResult(std::string_view text) override;
  void EnableOk(bool enabled) override;
  void Close() override { EndModal(); }
  void ShowModal() override { RunModal(); }

 protected:
  void CreateControls() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND pages_ = nullptr;
  HWND tabs_ = nullptr;
  HWND keywords_ = nullptr;
  HWND result_ = nullptr;
  HWND ok_ = nullptr;
  bool filling_ = false;  // the controls are being filled: their notifications are no user's
};

}  // namespace tabvane
