#include "app/settings.h"

#include <variant>

#include "base/error.h"
#include "base/path.h"

namespace app {

namespace {

constexpr std::size_t kMaxChars = 1023;

// The settings file's keys in the order a new file lists them. Numbers are
// cut to their field's width when read.
using Field = std::variant<std::uint8_t Settings::*, std::uint16_t Settings::*, bool Settings::*,
                           std::string Settings::*>;
struct Key {
  const char* name;
  Field field;
};
constexpr Key kKeys[] = {
    {"renzoku", &Settings::strobeCount},          {"yoko", &Settings::defaultViewfinderWidth},
    {"tate", &Settings::defaultViewfinderHeight}, {"Bevel", &Settings::viewfinderBevel},
    {"Speed", &Settings::strobeIntervalTenths},   {"timelag", &Settings::shutterDelaySeconds},
    {"osidasi", &Settings::pushOutWhenFull},      {"PS", &Settings::optionSoftwarePath},
};

int digitValue(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9')
    d = c - '0';
  else if (c >= 'a' && c <= 'f')
    d = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    d = c - 'A' + 10;
  return d < base ? d : -1;
}

// Digits to a number that keeps its low 32 bits, as the system's 32-bit
// conversion would; more than 32 bits of value is not a number.
bool parseDigits(const std::string& s, std::size_t at, int base, long long& out) {
  if (at >= s.size()) return false;
  unsigned long long v = 0;
  for (std::size_t i = at; i < s.size(); ++i) {
    int d = digitValue(s[i], base);
    if (d < 0) return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFull) return false;
  }
  out = static_cast<long long>(v);
  return true;
}

std::string read(sys::Profile& p, const std::string& file, const char* key, const std::string& def) {
  return p.readString(file, kSettingsSection, key, def, kMaxChars);
}

// A stored number; -1 (or none at all) leaves the field as it is.
template <class T>
void loadNumber(T& field, const std::string& text) {
  long long v = parseSettingNumber(text);
  if (v != -1) field = static_cast<T>(static_cast<unsigned long long>(v));
}

}  // namespace

std::optional<long long> parseNumber(const std::string& s) {
  long long v = 0;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    if (!parseDigits(s, 2, 16, v)) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  }
  bool negative = false;
  std::size_t at = 0;
  if (at < s.size() && (s[at] == '-' || s[at] == '+')) negative = s[at++] == '-';
  bool ok;
  if (at < s.size() && s[at] == '$') {
    ok = parseDigits(s, at + 1, 16, v);
    if (ok) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  } else {
    ok = parseDigits(s, at, 10, v);
    // A decimal number must fit a signed 32-bit integer.
    if (ok && v > (negative ? 2147483648ll : 2147483647ll)) ok = false;
  }
  if (!ok) return std::nullopt;
  return negative ? -v : v;
}

long long parseSettingNumber(const std::string& text) { return parseNumber(text).value_or(-1); }

std::string settingsPath(const std::string& exePath) { return base::changeExtension(exePath, ".ini"); }

void loadSettings(Settings& settings, sys::Profile& profile, const std::string& iniPath) {
  for (const Key& key : kKeys) {
    std::visit(
        [&](auto member) {
          auto& field = settings.*member;
          using T = std::remove_reference_t<decltype(field)>;
          if constexpr (std::is_same_v<T, std::string>) {
            field = read(profile, iniPath, key.name, field);
          } else if constexpr (std::is_same_v<T, bool>) {
            // Any number but 0 turns it on; missing or not a number is 0.
            field = parseNumber(read(profile, iniPath, key.name, "0")).value_or(0) != 0;
          } else {
            loadNumber(field, read(profile, iniPath, key.name, ""));
          }
        },
        key.field);
  }
}

void saveSettings(const Settings& settings, sys::Profile& profile, const std::string& iniPath) {
  for (const Key& key : kKeys) {
    std::string text = std::visit(
        [&settings](auto member) -> std::string {
          const auto& field = settings.*member;
          using T = std::remove_cvref_t<decltype(field)>;
          if constexpr (std::is_same_v<T, std::string>)
            return field;
          else if constexpr (std::is_same_v<T, bool>)
            return field ? "1" : "0";
          else
            return std::to_string(field);
        },
        key.field);
    if (!profile.writeString(iniPath, kSettingsSection, key.name, text))
      throw base::Error(base::format("%s に書き込めません", iniPath));
  }
}

}  // namespace app
