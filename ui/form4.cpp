// TForm4, the register dialog: the offer of keywords, the preview by the detection itself on the
// list with the new line in it, and the entry line handed back on OK. No platform headers.
#include "ui/form4.h"

#include <algorithm>

#include "host/host_scan.h"
#include "model/command_list_edit.h"
#include "text/sjis.h"
#include "text/texts.h"

namespace tabvane {

TeachOffer OfferKeywords(const std::vector<std::string>& commands,
                         const std::optional<std::vector<std::string>>& prior) {
  TeachOffer offer;
  const auto had = [&](std::string_view caption) {
    if (!prior) return true;
    return std::any_of(prior->begin(), prior->end(),
                       [&](const std::string& old) { return Trim(old) == caption; });
  };
  for (const std::string& command : commands) {
    const std::string_view caption = Trim(command);
    if (!FitsEntryLine(caption)) continue;
    if (std::find(offer.captions.begin(), offer.captions.end(), caption) != offer.captions.end()) {
      continue;
    }
    offer.captions.emplace_back(caption);
    offer.checked.push_back(!had(caption));
  }
  return offer;
}

TeachOutcome PreviewTeach(const std::vector<TCommandEntry>& entries, int32_t page, int32_t tab,
                          const std::vector<std::string>& keywords, std::string_view captionText) {
  const std::optional<int32_t> after = LastLineOfTab(entries, page, tab);
  if (!after) return {TeachOutcome::Kind::NoTab};
  if (keywords.empty()) return {TeachOutcome::Kind::NoKeywords};
  // The list as it reads once the line is in the file: the new entry after the tab's last one,
  // every later line one further down.
  std::vector<TCommandEntry> list;
  list.reserve(entries.size() + 1);
  std::size_t added = 0;
  for (const TCommandEntry& entry : entries) {
    list.push_back(entry);
    if (entry.Line > *after) ++list.back().Line;
    if (entry.Line == *after) {
      added = list.size();
      TCommandEntry& taught = list.emplace_back(entry);
      taught.Keywords = JoinKeywords(keywords);
      taught.Line = *after + 1;
    }
  }
  const std::vector<std::size_t> switches = DetectSwitches(list, captionText);
  if (switches.empty()) return {TeachOutcome::Kind::NoSwitch};
  if (switches.back() == added) return {TeachOutcome::Kind::Switches};
  return {TeachOutcome::Kind::Beaten, list[switches.back()].Line};
}

std::vector<std::string> TabCaptions(const std::vector<TCommandEntry>& entries, int32_t page) {
  std::vector<std::string> captions;
  for (const TCommandEntry& entry : entries) {
    if (entry.Page == page && entry.TabIndex == static_cast<int32_t>(captions.size())) {
      captions.push_back(entry.TabName);
    }
  }
  return captions;
}

void TForm4::FormShow() {
  FAccepted = false;
  const std::vector<std::string> pages(texts::kPageCaptions.begin(), texts::kPageCaptions.end());
  view_.SetPages(pages);
  view_.SetTabs(TabCaptions(*FEntries, FPage));
  view_.SetKeywords(FOffer.captions);
  view_.SetFields({FPage, FTab, FOffer.checked});
  FieldsChange();
}

void TForm4::ComboBox1Change() {
  TeachFields fields = view_.Fields();
  view_.SetTabs(TabCaptions(*FEntries, fields.page));
  fields.tab = 0;
  view_.SetFields(fields);
  FieldsChange();
}

std::vector<std::string> TForm4::Chosen(const TeachFields& fields) const {
  std::vector<std::string> keywords;
  for (std::size_t i = 0; i < FOffer.captions.size() && i < fields.checked.size(); ++i) {
    if (fields.checked[i]) keywords.push_back(FOffer.captions[i]);
  }
  return keywords;
}

std::optional<std::string> TForm4::EntryLine(const TeachFields& fields) const {
  const std::vector<std::string> tabs = TabCaptions(*FEntries, fields.page);
  const std::vector<std::string> keywords = Chosen(fields);
  if (fields.tab < 0 || static_cast<std::size_t>(fields.tab) >= tabs.size() || keywords.empty()) {
    return std::nullopt;
  }
  return tabs[static_cast<std::size_t>(fields.tab)] + '\t' + JoinKeywords(keywords);
}

void TForm4::FieldsChange() {
  const TeachFields fields = view_.Fields();
  const TeachOutcome outcome =
      PreviewTeach(*FEntries, fields.page, fields.tab, Chosen(fields), FCaptionText);
  std::string text;
  if (const std::optional<std::string> line = EntryLine(fields)) {
    // The TAB shows as blanks in the field.
    std::string shown = *line;
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    text = shown + "\r\n";
  }
  switch (outcome.kind) {
    case TeachOutcome::Kind::NoTab: text += texts::kTeachNoTab; break;
    case TeachOutcome::Kind::NoKeywords: text += texts::kTeachChoose; break;
    case TeachOutcome::Kind::Switches: {
      const std::vector<std::string> tabs = TabCaptions(*FEntries, fields.page);
      text += std::string(texts::kTeachOn) + std::string(texts::kOpenQuote);
      if (fields.page >= 0 && fields.page < kPageCount) {
        text += texts::kPageCaptions[static_cast<std::size_t>(fields.page)];
      }
      text += std::string(texts::kCloseQuote) + std::string(texts::kTeachOf) +
              std::string(texts::kOpenQuote) + tabs[static_cast<std::size_t>(fields.tab)] +
              std::string(texts::kCloseQuote) + std::string(texts::kTeachSwitches);
      break;
    }
    case TeachOutcome::Kind::Beaten:
      text += "com_list.txt " + std::to_string(outcome.line) + std::string(texts::kTeachBeaten);
      break;
    case TeachOutcome::Kind::NoSwitch: text += Trim(texts::kNoSwitch); text += texts::kNoFullMatch; break;
  }
  view_.SetResult(text);
  view_.EnableOk(EntryLine(fields).has_value());
}

void TForm4::Button1Click() {
  const std::optional<std::string> line = EntryLine(view_.Fields());
  if (!line) return;
  const TeachFields fields = view_.Fields();
  FAccepted = true;
  FPage = fields.page;
  FTab = fields.tab;
  FLine = *line;
  view_.Close();
}

void TForm4::Button2Click() { view_.Close(); }

}  // namespace tabvane
