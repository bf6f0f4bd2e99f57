// TForm3, the settings dialog: fills its controls on showing and takes them back, with the
// interval clamped, on OK. No platform headers.
#include "ui/form3.h"

#include <algorithm>
#include <string>

#include "text/func.h"

namespace tabvane {

void TForm3::FormShow() {
  FAccepted = false;
  view_.SetEdit1Text(std::to_string(FInterval));
  view_.SetCheckBox1(FMaximizeHost);
  view_.SetCheckBox2(FMinimizeAfterRun);
  view_.SetCheckBox3(FEditMode);
  view_.FocusEdit1();
}

void TForm3::Button2Click() {
  FAccepted = true;
  FInterval = std::clamp(TextToInt(view_.Edit1Text()), kMinInterval, kMaxInterval);
  FMaximizeHost = view_.CheckBox1();
  FMinimizeAfterRun = view_.CheckBox2();
  FEditMode = view_.CheckBox3();
  view_.Close();
}

void TForm3::Button3Click() { view_.Close(); }

}  // namespace tabvane
