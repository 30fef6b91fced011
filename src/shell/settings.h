#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "system/profile.h"

// The eight options, process-wide, named after their settings-file keys.
extern std::uint8_t renzoku;   // strobe count
extern std::uint16_t yoko;     // default viewfinder width
extern std::uint16_t tate;     // default viewfinder height
extern std::uint8_t Bevel;     // viewfinder frame style (0: as designed)
extern std::uint8_t Speed;     // strobe interval, tenths of a second
extern std::uint8_t timelag;   // shutter delay, seconds
extern std::string PS;         // option software command line
extern bool osidasi;           // push-out when the film is full

namespace shell {

// The built-in values (the camera box's creation sets them).
void setBuiltInSettings();

// A number as the class library reads one: decimal, "0x"/"0X" hex when
// longer than two characters, "$" hex (hex wraps into 32 bits); nullopt
// for text that is not a number.
std::optional<long long> parseNumber(const std::string& text);

// A settings-file number: decimal, "0x"/"0X" hex when longer than two
// characters, "$" hex; -1 for text that is missing or not a number.
long long parseSettingNumber(const std::string& text);

// The settings file of the program at exePath: same folder and name, ".ini".
std::string settingsPath(const std::string& exePath);

// Reads section Option into the settings; absent values keep theirs.
void loadSettings(sys::Profile& profile, const std::string& iniPath);

// Writes the settings in save order; "%s に書き込めません" when the file
// cannot be written (keys after the failing one are not written).
void saveSettings(sys::Profile& profile, const std::string& iniPath);

}  // namespace shell
