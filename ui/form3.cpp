// TForm3, the settings dialog: fills its controls on showing and takes them back, with the
// interval clamped, on OK. No platform headers.
#include "ui/form3.h"

#include <algorithm>
#include <string>

#include "text/func.h"

namespace tabvane {

void TForm3::FormShow() {
  FAccepted = false;
  view_.SetFields({std::to_string(FInterval), FMaximizeHost, FMinimizeAfterRun, FEditMode});
  view_.FocusEdit1();
}

void TForm3::Button2Click() {
  const SettingsFields fields = view_.Fields();
  FAccepted = true;
  FInterval = std::clamp(TextToInt(fields.interval), kMinInterval, kMaxInterval);
  FMaximizeHost = fields.maximizeHost;
  FMinimizeAfterRun = fields.minimizeAfterRun;
  FEditMode = fields.editMode;
  view_.Close();
}

void TForm3::Button3Click() { view_.Close(); }

}  // namespace tabvane
