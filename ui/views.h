// What the window logic of TForm1, TForm2 and TForm3 needs of its three windows beyond the
// controls. ui/win32 implements these on real windows; tests use fakes.
// Texts are Shift-JIS. No platform headers here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/settings.h"

namespace tabvane {

// The main window TForm1 itself. Bounds are 96-dpi numbers, as the settings file keeps them;
// the widths are pixels at the window's DPI.
class MainFormView {
 public:
  virtual ~MainFormView() = default;
  virtual void SetCaption(std::string_view text) = 0;
  virtual void Minimize() = 0;
  // Outer bounds on the screen; the restored bounds while minimized or maximized.
  virtual Bounds GetBounds() const = 0;
  virtual void SetBounds(const Bounds& bounds) = 0;
  // The dots per inch of the monitor the window is on (96 at 100 %).
  virtual int32_t Dpi() const = 0;
  virtual int32_t TabControl1ClientWidth() const = 0;
  virtual int32_t Panel1ClientWidth() const = 0;
  virtual void SetComboWidth(int32_t width) = 0;
  // Width of column 1 (the transform name) of all six grids. The view keeps the key column,
  // the hidden path column and the heading row at their design sizes by itself.
  virtual void SetNameColumnWidth(int32_t width) = 0;
  // The system's Yes/No box with the question whether to try a failed save again; true for
  // Yes.
  virtual bool AskRetrySave(std::string_view question) = 0;
  // The detection view: whether it is shown, and showing it (where it was last) with a text.
  virtual bool DetectionViewShown() const = 0;
  virtual void ShowDetectionView(std::string_view text) = 0;
  // Opens the find box (FindBox::Open).
  virtual void OpenFindBox() = 0;
  // Asks off the window's thread whether the file exists; the answer comes later to
  // TForm1::FileChecked (never, when the share does not answer).
  virtual void CheckFileLater(const std::string& path) = 0;
};

// What the slot editor's two edit fields hold: Edit1 the name, Edit2 the batch file path.
struct SlotFields {
  std::string name;
  std::string batchFile;
  bool operator==(const SlotFields&) const = default;
};

// The slot editor's window (TForm2). ShowModal shows the window, which runs TForm2::FormShow,
// and returns when Close was called or the user closed the window (close box, Escape);
// the buttons run TForm2::Button1Click .. Button3Click.
class SlotEditorView {
 public:
  virtual ~SlotEditorView() = default;
  virtual void SetCaption(std::string_view text) = 0;
  virtual SlotFields Fields() const = 0;
  virtual void SetFields(const SlotFields& fields) = 0;
  // Keyboard focus to Edit1 with its whole text selected.
  virtual void FocusEdit1SelectAll() = 0;
  // Ends the modal loop; the window is hidden.
  virtual void Close() = 0;
  virtual Position GetPosition() const = 0;
  virtual void SetPosition(const Position& position) = 0;
  virtual void ShowModal() = 0;
  // The batch file chooser, opened in folder with fileName in its name field. The chosen
  // file's full path, or nullopt when the user cancelled.
  virtual std::optional<std::string> ChooseBatchFile(std::string_view folder,
                                                     std::string_view fileName) = 0;
  // The Yes/No question whether the batch file's first line becomes the name; true for Yes.
  virtual bool AskSetTitle() = 0;
};

// What the settings dialog's controls hold: Edit1 the interval as typed, CheckBox1 to
// CheckBox3 the three switches.
struct SettingsFields {
  std::string interval;
  bool maximizeHost = false;
  bool minimizeAfterRun = false;
  bool editMode = false;
  bool operator==(const SettingsFields&) const = default;
};

// The settings dialog's window (TForm3). ShowModal shows the window, which runs
// TForm3::FormShow, and returns when Close was called or the user closed the window;
// the buttons run TForm3::Button2Click and Button3Click.
class SettingsDialogView {
 public:
  virtual ~SettingsDialogView() = default;
  virtual SettingsFields Fields() const = 0;
  virtual void SetFields(const SettingsFields& fields) = 0;
  // Keyboard focus to Edit1 with its whole text selected.
  virtual void FocusEdit1() = 0;
  virtual void Close() = 0;
  virtual Position GetPosition() const = 0;
  virtual void SetPosition(const Position& position) = 0;
  virtual void ShowModal() = 0;
};

}  // namespace tabvane
