// The find box's logic.
#include "ui/find_box.h"

#include <algorithm>

namespace tabvane {

void FindBox::Open() {
  // The menus may have been edited since the last opening; the index is theirs as they are now.
  index_ = FindIndex(form_.state.FEntries, form_.state.menus.FMenus);
  view_.Open(lastText_);
  EditChange();
}

void FindBox::EditChange() {
  lastText_ = view_.Text();
  hits_ = index_.Filter(lastText_);
  view_.SetRowCount(static_cast<int32_t>(hits_.size()));
  view_.SelectRow(hits_.empty() ? -1 : 0);
}

bool FindBox::KeyDown(uint16_t vk, bool shift) {
  if (vk == kVkReturn) {
    // In edit mode the found slot is shown, to be edited there, never run.
    Choose(shift || form_.state.settings.FEditMode);
    return true;
  }
  if (vk == kVkEscape) {
    view_.Close();
    return true;
  }
  // A page moves by one row less than the list shows, so that a row stays in sight.
  const int32_t page = std::max(view_.RowsPerPage() - 1, 1);
  const int32_t step = vk == kVkUp         ? -1
                       : vk == kVkDown     ? 1
                       : vk == kVkPageUp   ? -page
                       : vk == kVkPageDown ? page
                                           : 0;
  if (step == 0) return false;
  const auto count = static_cast<int32_t>(hits_.size());
  if (count > 0) view_.SelectRow(std::clamp(view_.SelectedRow() + step, 0, count - 1));
  return true;
}

void FindBox::ListDblClick() { Choose(true); }

std::string FindBox::RowText(int32_t row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= hits_.size()) return {};
  return FindRowText(form_.state.FEntries, form_.state.menus.FMenus,
                     hits_[static_cast<std::size_t>(row)]);
}

void FindBox::Choose(bool show) {
  const int32_t row = view_.SelectedRow();
  if (row < 0 || static_cast<std::size_t>(row) >= hits_.size()) return;
  const FindHit hit = hits_[static_cast<std::size_t>(row)];
  // The slot is shown before the box closes, so that the focus goes to the grid it is on; the box
  // closes before a launch, which brings the host to the front.
  if (show) {
    form_.ShowSlot(hit.page, hit.tab, hit.slot);
    view_.Close();
  } else {
    view_.Close();
    form_.RunSlot(hit.page, hit.tab, hit.slot);
  }
}

}  // namespace tabvane
