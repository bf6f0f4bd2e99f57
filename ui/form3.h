// TForm3, the settings dialog: interval, host maximizing, minimizing after a launch and menu
// edit mode, on copies the caller hands in. Platform-free: works on SettingsDialogView only.
#pragma once

#include <cstdint>

#include "ui/views.h"

namespace tabvane {

constexpr int32_t kMinInterval = 100;
constexpr int32_t kMaxInterval = 99999;

class TForm3 {
 public:
  explicit TForm3(SettingsDialogView& view) : view_(view) {}

  // Set by the caller before showing; read back only when FAccepted is set.
  int32_t FInterval = 3000;
  bool FMaximizeHost = false;
  bool FMinimizeAfterRun = false;
  bool FEditMode = true;
  bool FAccepted = false;

  // Shows the dialog modally; returns when it has closed.
  void ShowModal() { view_.ShowModal(); }
  Position GetPosition() const { return view_.GetPosition(); }
  void SetPosition(const Position& position) { view_.SetPosition(position); }

  void FormShow();
  void Button2Click();  // OK: interval clamped to kMinInterval..kMaxInterval
  void Button3Click();  // cancel

 private:
  SettingsDialogView& view_;
};

}  // namespace tabvane
