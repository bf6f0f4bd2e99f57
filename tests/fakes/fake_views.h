// In-memory windows for the window logic tests: the main window, the slot editor and the
// settings dialog. ShowModal runs the test's script of user actions in place of a modal loop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/views.h"

namespace tabvane::fakes {

class FakeMainFormView : public MainFormView {
 public:
  std::string caption;
  int minimized = 0;
  Bounds bounds = kMainDesignBounds;
  int32_t dpi = 96;
  int32_t tabControl1Width = 363;
  int32_t panel1Width = 371;
  int32_t comboWidth = -1;       // -1 until set
  int32_t nameColumnWidth = -1;  // -1 until set

  void SetCaption(std::string_view text) override { caption = std::string(text); }
  void Minimize() override { ++minimized; }
  Bounds GetBounds() const override { return bounds; }
  void SetBounds(const Bounds& b) override { bounds = b; }
  int32_t Dpi() const override { return dpi; }
  int32_t TabControl1ClientWidth() const override { return tabControl1Width; }
  int32_t Panel1ClientWidth() const override { return panel1Width; }
  void SetComboWidth(int32_t width) override { comboWidth = width; }
  void SetNameColumnWidth(int32_t width) override { nameColumnWidth = width; }

  bool detectionShown = false;
  std::string detectionText;
  bool DetectionViewShown() const override { return detectionShown; }
  void ShowDetectionView(std::string_view text) override {
    detectionShown = true;
    detectionText = std::string(text);
  }

  int findBoxOpened = 0;
  void OpenFindBox() override { ++findBoxOpened; }
  std::vector<std::string> checksAsked;  // every file asked about off the window's thread
  void CheckFileLater(const std::string& path) override { checksAsked.push_back(path); }

  std::vector<std::string> questions;  // every retry question asked
  std::function<bool()> answerRetry = [] { return false; };
  bool AskRetrySave(std::string_view question) override {
    questions.emplace_back(question);
    return answerRetry();
  }
};

class FakeSlotEditorView : public SlotEditorView {
 public:
  std::string caption;
  std::string edit1;
  std::string edit2;
  int focused = 0;
  int closed = 0;
  int shown = 0;
  Position position = kSlotEditorDesignPosition;
  std::function<void()> onShow;  // the user's actions while the dialog is open

  // The file chooser: what it was opened with and what the user picks.
  std::vector<std::pair<std::string, std::string>> chooserOpenedWith;  // folder, file name
  std::optional<std::string> chosenFile;
  int asked = 0;
  bool answerYes = true;

  void SetCaption(std::string_view text) override { caption = std::string(text); }
  SlotFields Fields() const override { return {edit1, edit2}; }
  void SetFields(const SlotFields& fields) override {
    edit1 = fields.name;
    edit2 = fields.batchFile;
  }
  void FocusEdit1SelectAll() override { ++focused; }
  void Close() override { ++closed; }
  Position GetPosition() const override { return position; }
  void SetPosition(const Position& p) override { position = p; }
  void ShowModal() override {
    ++shown;
    if (onShow) onShow();
  }
  std::optional<std::string> ChooseBatchFile(std::string_view folder,
                                             std::string_view fileName) override {
    chooserOpenedWith.emplace_back(folder, fileName);
    return chosenFile;
  }
  bool AskSetTitle() override {
    ++asked;
    return answerYes;
  }
};

class FakeSettingsDialogView : public SettingsDialogView {
 public:
  std::string edit1;
  bool check1 = false, check2 = false, check3 = false;
  int focused = 0;
  int closed = 0;
  int shown = 0;
  Position position = kSettingsDialogDesignPosition;
  std::function<void()> onShow;  // the user's actions while the dialog is open

  SettingsFields Fields() const override { return {edit1, check1, check2, check3}; }
  void SetFields(const SettingsFields& fields) override {
    edit1 = fields.interval;
    check1 = fields.maximizeHost;
    check2 = fields.minimizeAfterRun;
    check3 = fields.editMode;
  }
  void FocusEdit1() override { ++focused; }
  void Close() override { ++closed; }
  Position GetPosition() const override { return position; }
  void SetPosition(const Position& p) override { position = p; }
  void ShowModal() override {
    ++shown;
    if (onShow) onShow();
  }
};

}  // namespace tabvane::fakes
