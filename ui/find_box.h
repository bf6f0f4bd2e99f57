// The find box's logic: Ctrl+F opens it with the last text; typing filters every named slot of the
// menus; Enter runs the chosen slot through TForm1::RunSlot (in edit mode it shows it), Shift+Enter
// or a double click shows it, Esc closes; the arrow and page keys move in the list while the focus
// stays in the field. Platform-free: works on FindBoxView and TForm1 only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/find.h"
#include "ui/form1.h"

namespace tabvane {

// Virtual-key codes the find box acts on.
constexpr uint16_t kVkReturn = 13;
constexpr uint16_t kVkEscape = 27;
constexpr uint16_t kVkPageUp = 33;
constexpr uint16_t kVkPageDown = 34;
constexpr uint16_t kVkUp = 38;
constexpr uint16_t kVkDown = 40;

// The find box's window: an edit field with a list below it. Texts are Shift-JIS.
class FindBoxView {
 public:
  virtual ~FindBoxView() = default;
  // Shows the box at its place with text in the field, all of it selected, the focus there.
  virtual void Open(std::string_view text) = 0;
  // Hides the box and gives the focus back to the main window's grid.
  virtual void Close() = 0;
  virtual std::string Text() const = 0;
  // The list's rows are FindBox::RowText(0 .. count - 1).
  virtual void SetRowCount(int32_t count) = 0;
  // The selected row, -1 for none; selecting scrolls the row into view.
  virtual int32_t SelectedRow() const = 0;
  virtual void SelectRow(int32_t row) = 0;
  // How many rows the list shows at once (at least 1).
  virtual int32_t RowsPerPage() const = 0;
};

class FindBox {
 public:
  FindBox(TForm1& form, FindBoxView& view) : form_(form), view_(view) {}

  // Ctrl+F: the box opens over the menus as they are now, with the last text.
  void Open();
  // The field's text changed: the list shows what it finds, its first row selected.
  void EditChange();
  // A key pressed in the field; true when the box used it.
  bool KeyDown(uint16_t vk, bool shift);
  // A double click on a row of the list (selected first): shows that slot.
  void ListDblClick();
  // The text of a row of the list.
  std::string RowText(int32_t row) const;

 private:
  // Closes the box and runs the selected slot, or shows it with show set.
  void Choose(bool show);

  TForm1& form_;
  FindBoxView& view_;
  FindIndex index_;
  std::vector<FindHit> hits_;
  std::string lastText_;
};

}  // namespace tabvane
