// The find box on Win32: a small window owned by the main window, opened under its panel with an
// edit field and a list of the slots found below it. The field keeps the focus: the keys that move
// in the list, Enter and Esc go from it to the logic. It hides when it loses the activation, to a
// click outside or another program. Win32 only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/find_box.h"
#include "ui/win32/look.h"
#include "ui/win32/main_form.h"
#include "ui/win32/window.h"

namespace tabvane {

class FindBoxWindow : public FindBoxView, public Window {
 public:
  FindBoxWindow(const Look& look, MainForm& main) : look_(look), main_(main) {}
  void Attach(FindBox& box) { box_ = &box; }

  // FindBoxView
  void Open(std::string_view text) override;
  void Close() override;
  std::string Text() const override;
  void SetRowCount(int32_t count) override;
  int32_t SelectedRow() const override;
  void SelectRow(int32_t row) override;
  int32_t RowsPerPage() const override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Make();
  // The field and the list in the font of the main window's DPI, placed for the client area.
  void Layout();
  LRESULT OnNotify(NMHDR& header);
  // The field's keys: those the logic uses never reach the field.
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self) noexcept;

  const Look& look_;
  MainForm& main_;
  FindBox* box_ = nullptr;
  HWND edit_ = nullptr;
  HWND list_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  bool opening_ = false;  // Open sets the field's text: no change to report
};

}  // namespace tabvane
