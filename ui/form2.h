// TForm2, the slot editor: edits one slot's name and batch file on copies the caller hands in.
// Platform-free: works on SlotEditorView and the file layer only.
#pragma once

#include <string>
#include <string_view>

#include "model/files.h"
#include "ui/views.h"

namespace tabvane {

// The proposed transform name from the first line of the batch file at path: the trimmed line
// without "@REM" (any case) or without its first three bytes, trimmed again. Empty when there
// is no such file or no line.
std::string ReadBatchTitle(Files& files, const std::string& path);

// The name a batch file dropped on a slot gets: its title by the rule above when its first
// line, trimmed, begins with "REM" or "@REM" (any letter case) and that title is neither empty
// nor a directive beginning with "#"; otherwise the file's name without its extension. TAB, CR,
// LF and 0x1A in it become blanks, as in a name the slot editor hands back.
std::string DroppedBatchName(Files& files, const std::string& path);

// A path whose file name ends in ".bat" or ".cmd", in any letter case.
bool IsBatchFilePath(std::string_view path);

class TForm2 {
 public:
  TForm2(SlotEditorView& view, Files& files) : view_(view), files_(files) {}

  // In and out; taken over by the caller only when FAccepted is set.
  std::string FLastDir;
  std::string FSlotKey;
  std::string FName;
  std::string FBatchFile;
  bool FAccepted = false;

  // Shows the dialog modally; returns when it has closed.
  void ShowModal() { view_.ShowModal(); }
  Position GetPosition() const { return view_.GetPosition(); }
  void SetPosition(const Position& position) { view_.SetPosition(position); }

  void FormShow();
  void Button1Click();  // browse ("参照")
  void Button2Click();  // OK
  void Button3Click();  // cancel

 private:
  SlotEditorView& view_;
  Files& files_;
};

}  // namespace tabvane
