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
  Bounds bounds{192, 107, 387, 483};
  int32_t tabControl1Width = 363;
  int32_t panel1Width = 371;
  int32_t comboWidth = -1;       // -1 until set
  int32_t nameColumnWidth = -1;  // -1 until set

  void SetCaption(std::string_view text) override { caption = std::string(text); }
  void Minimize() override { ++minimized; }
  Bounds GetBounds() const override { return bounds; }
  void SetBounds(const Bounds& b) override { bounds = b; }
  int32_t TabControl1ClientWidth() const override { return tabControl1Width; }
  int32_t Panel1ClientWidth() const override { return panel1Width; }
  void SetComboWidth(int32_t width) override { comboWidth = width; }
  void SetNameColumnWidth(int32_t width) override { nameColumnWidth = width; }
};

class FakeSlotEditorView : public SlotEditorView {
 public:
  std::string caption;
  std::string edit1;
  std::string edit2;
  int focused = 0;
  int closed = 0;
  int shown = 0;
  Position position{241, 134};
  std::function<void()> onShow;  // the user's actions while the dialog is open

  // The file chooser: what it was opened with and what the user picks.
  std::vector<std::pair<std::string, std::string>> chooserOpenedWith;  // folder, file name
  std::optional<std::string> chosenFile;
  int asked = 0;
  bool answerYes = true;

  void SetCaption(std::string_view text) override { caption = std::string(text); }
  std::string Edit1Text() const override { return edit1; }
  void SetEdit1Text(std::string_view text) override { edit1 = std::string(text); }
  std::string Edit2Text() const override { return edit2; }
  void SetEdit2Text(std::string_view text) override { edit2 = std::string(text); }
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
  Position position{212, 113};
  std::function<void()> onShow;  // the user's actions while the dialog is open

  std::string Edit1Text() const override { return edit1; }
  void SetEdit1Text(std::string_view text) override { edit1 = std::string(text); }
  bool CheckBox1() const override { return check1; }
  void SetCheckBox1(bool checked) override { check1 = checked; }
  bool CheckBox2() const override { return check2; }
  void SetCheckBox2(bool checked) override { check2 = checked; }
  bool CheckBox3() const override { return check3; }
  void SetCheckBox3(bool checked) override { check3 = checked; }
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
