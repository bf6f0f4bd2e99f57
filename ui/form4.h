// TForm4, the register dialog "コマンドの登録" of the detection view: the page and tab a command
// switches to, its keywords from the captions of the last scan, and a preview of what the
// detection would do with the new entry line. Platform-free: works on TeachDialogView only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_list.h"

namespace tabvane {

// What the dialog's controls hold: ComboBox1 the page, ComboBox2 the tab, the check list.
struct TeachFields {
  int32_t page = 0;
  int32_t tab = -1;
  std::vector<bool> checked;
  bool operator==(const TeachFields&) const = default;
};

// The dialog's window. ShowModal shows it (running TForm4::FormShow) and returns when Close was
// called or the user closed it; the controls run the handlers of TForm4.
class TeachDialogView {
 public:
  virtual ~TeachDialogView() = default;
  virtual void SetPages(const std::vector<std::string>& captions) = 0;
  virtual void SetTabs(const std::vector<std::string>& captions) = 0;
  virtual void SetKeywords(const std::vector<std::string>& captions) = 0;
  virtual TeachFields Fields() const = 0;
  virtual void SetFields(const TeachFields& fields) = 0;
  virtual void SetResult(std::string_view text) = 0;
  virtual void EnableOk(bool enabled) = 0;
  virtual void Close() = 0;
  virtual void ShowModal() = 0;
};

// The keywords the dialog offers: the command captions of the last scan, trimmed, each once,
// without those an entry line cannot hold; checked, those the prior scan's captions did not
// have (the ones that came with the command), none without a prior scan.
struct TeachOffer {
  std::vector<std::string> captions;
  std::vector<bool> checked;
};
TeachOffer OfferKeywords(const std::vector<std::string>& commands,
                         const std::optional<std::vector<std::string>>& prior);

// What the detection does with the captions once the entry line is in the list.
struct TeachOutcome {
  enum class Kind { NoTab, NoKeywords, Switches, Beaten, NoSwitch } kind = Kind::NoTab;
  int32_t line = 0;  // Beaten: the line that wins instead, in the list with the new line
  bool operator==(const TeachOutcome&) const = default;
};
TeachOutcome PreviewTeach(const std::vector<TCommandEntry>& entries, int32_t page, int32_t tab,
                          const std::vector<std::string>& keywords, std::string_view captionText);

// The tab captions of page, in tab order.
std::vector<std::string> TabCaptions(const std::vector<TCommandEntry>& entries, int32_t page);

class TForm4 {
 public:
  explicit TForm4(TeachDialogView& view) : view_(view) {}

  // Set by the caller before showing.
  const std::vector<TCommandEntry>* FEntries = nullptr;
  int32_t FPage = 0;
  int32_t FTab = 0;
  TeachOffer FOffer;
  std::string FCaptionText;  // the command captions of the last scan, joined
  // Read back when FAccepted is set: the page and tab chosen and the entry line (Shift-JIS,
  // without line end).
  bool FAccepted = false;
  std::string FLine;

  void ShowModal() { view_.ShowModal(); }
  void FormShow();
  // The page was changed: its tabs, the first chosen.
  void ComboBox1Change();
  // The tab or a keyword was changed.
  void FieldsChange();
  void Button1Click();  // OK: only with a tab and a keyword
  void Button2Click();  // cancel

 private:
  // The entry line of the fields, or nullopt when they name no tab or no keyword.
  std::optional<std::string> EntryLine(const TeachFields& fields) const;
  std::vector<std::string> Chosen(const TeachFields& fields) const;

  TeachDialogView& view_;
};

}  // namespace tabvane
