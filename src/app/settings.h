#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "system/profile.h"

namespace app {

// The options, held for the whole run and kept in the settings file. The
// program owns one value and hands it to whoever reads or writes it; the
// member initialisers are the built-in values.
struct Settings {
  std::uint8_t strobeCount = 4;                 // shots in one strobe burst
  std::uint16_t defaultViewfinderWidth = 160;   // pixels; the photo is 4 narrower
  std::uint16_t defaultViewfinderHeight = 120;  // pixels; the photo is 4 lower
  std::uint8_t viewfinderBevel = 0;             // 0 as designed, 1 lowered, 2 raised, 3 flat
  std::uint8_t strobeIntervalTenths = 10;       // pause between burst shots, 0.1 s
  std::uint8_t shutterDelaySeconds = 1;         // wait before a shot
  std::string optionSoftwarePath;               // command line, used as it is
  bool pushOutWhenFull = false;                 // a full film drops its oldest frame
};

// The section of the settings file.
inline constexpr const char* kSettingsSection = "Option";

// A number as the settings file holds one: decimal, "0x"/"0X" hex when
// longer than two characters, "$" hex (hex wraps into 32 bits); nullopt
// for text that is not a number.
std::optional<long long> parseNumber(const std::string& text);

// A settings-file number, -1 for text that is missing or not a number.
long long parseSettingNumber(const std::string& text);

// The settings file of the program at exePath: same folder and name, ".ini".
std::string settingsPath(const std::string& exePath);

// Reads the settings file into settings; absent values keep theirs.
void loadSettings(Settings& settings, sys::Profile& profile, const std::string& iniPath);

// Writes settings in the file's key order; "%s に書き込めません" when the
// file cannot be written (keys after the failing one are not written).
void saveSettings(const Settings& settings, sys::Profile& profile, const std::string& iniPath);

}  // namespace app
