// The settings file: its path beside the exe, reading it at start-up and writing it at shutdown.
// Depends on text/ and the file layer only.
#include "model/settings.h"

#include <cstddef>
#include <initializer_list>

#include "text/func.h"
#include "text/lines.h"
#include "text/sjis.h"

namespace tabvane {

std::string SettingsPath(std::string_view exePath) {
  std::string_view name = FileNamePart(exePath);
  // Native paths use "/"; it is never the second byte of a double-byte character.
  if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos) {
    name.remove_prefix(slash + 1);
  }
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::string(exePath) + ".dat";
  return std::string(exePath.substr(0, exePath.size() - name.size() + dot)) + ".dat";
}

bool LoadSettings(Files& files, const std::string& path, const std::string& exeDir,
                  TSettings& settings) {
  settings.FInterval = 3000;
  settings.FMaximizeHost = false;
  settings.FMinimizeAfterRun = false;
  settings.FEditMode = true;
  settings.FLastDir = exeDir;
  if (!files.FileExists(path)) return true;
  const ReadResult file = files.Read(path);
  if (!file.opened) return false;
  const bool complete = file.complete;

  LineCursor lines(file.bytes);
  std::string line;
  // Past the end of a whole file lines read as empty text; a read error instead stops at the
  // last byte read, and the values not reached keep their defaults.
  const auto next = [&] {
    if (!file.complete && lines.AtEnd()) return false;
    line = lines.Next();
    return true;
  };

  for (int32_t* value : {&settings.main.left, &settings.main.top, &settings.main.width,
                         &settings.main.height, &settings.slotEditor.left, &settings.slotEditor.top,
                         &settings.FInterval}) {
    if (!next()) return complete;
    *value = TextToInt(line);
  }
  if (!next()) return complete;
  settings.FMaximizeHost = TextToFlag(line);
  if (!next()) return complete;  // line 9: the key preview, always on, not used
  if (!next()) return complete;
  settings.FLastDir = (line.empty() || !files.FolderExists(line)) ? exeDir : line;
  // A file that has ended after line 10 or 11 leaves the remaining values at their defaults.
  for (bool* flag : {&settings.FMinimizeAfterRun, &settings.FEditMode}) {
    if (lines.AtEnd() || !next()) return complete;
    *flag = TextToFlag(line);
  }
  for (int32_t* value : {&settings.settingsDialog.left, &settings.settingsDialog.top}) {
    if (!next()) return complete;
    *value = TextToInt(line);
  }
  return complete;
}

std::string SettingsFileBytes(const TSettings& settings) {
  std::string bytes;
  const auto put = [&bytes](std::string_view text) {
    bytes += text;
    bytes += "\r\n";
  };
  put(std::to_string(settings.main.left));
  put(std::to_string(settings.main.top));
  put(std::to_string(settings.main.width));
  put(std::to_string(settings.main.height));
  put(std::to_string(settings.slotEditor.left));
  put(std::to_string(settings.slotEditor.top));
  put(std::to_string(settings.FInterval));
  put(FlagToText(settings.FMaximizeHost));
  put(FlagToText(true));  // the main window's key preview, always on
  put(settings.FLastDir);
  put(FlagToText(settings.FMinimizeAfterRun));
  put(FlagToText(settings.FEditMode));
  put(std::to_string(settings.settingsDialog.left));
  put(std::to_string(settings.settingsDialog.top));
  return bytes;
}

SaveResult SaveSettings(Files& files, const std::string& path, const TSettings& settings) {
  return SaveAtomically(files, path, SettingsFileBytes(settings));
}

}  // namespace tabvane
