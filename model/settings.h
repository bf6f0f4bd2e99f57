// The settings file: 14 lines beside the exe (its path with ".dat"), read at start-up and
// written at shutdown. Depends on text/ and the file layer only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/files.h"

namespace tabvane {

struct Bounds {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds&) const = default;
};

struct Position {
  int32_t left = 0, top = 0;
  bool operator==(const Position&) const = default;
};

// Where the three windows are made, and where they stay when no settings file places them: the
// main window's outer bounds, the slot editor's and the settings dialog's top left corners.
inline constexpr Bounds kMainDesignBounds{192, 107, 387, 483};
inline constexpr Position kSlotEditorDesignPosition{241, 134};
inline constexpr Position kSettingsDialogDesignPosition{212, 113};

struct TSettings {
  Bounds main = kMainDesignBounds;                        // main window outer bounds
  Position slotEditor = kSlotEditorDesignPosition;        // TForm2
  int32_t FInterval = 3000;
  bool FMaximizeHost = false;
  bool FMinimizeAfterRun = false;
  bool FEditMode = true;
  std::string FLastDir;              // FExeDir when there is no usable value
  Position settingsDialog = kSettingsDialogDesignPosition;  // TForm3
  bool operator==(const TSettings&) const = default;
};

// The exe path with the extension of its file name replaced by ".dat", or ".dat" appended.
std::string SettingsPath(std::string_view exePath);

// Sets the defaults on settings (window positions keep their values) and then reads the file
// at path if it exists, line by line with the end-of-file tests after lines 10 and 11. False
// when a file exists that could not be read to its end: saving over it would lose values.
bool LoadSettings(Files& files, const std::string& path, const std::string& exeDir,
                  TSettings& settings);

// The 14 lines SaveSettings writes, each ending in CR LF.
std::string SettingsFileBytes(const TSettings& settings);

// Writes the 14 lines (atomically).
SaveResult SaveSettings(Files& files, const std::string& path, const TSettings& settings);

}  // namespace tabvane
