#include "shell/settings.h"

#include <cctype>

#include "system/files.h"
#include "ui/error.h"

std::uint8_t renzoku = 4;
std::uint16_t yoko = 160;
std::uint16_t tate = 120;
std::uint8_t Bevel = 0;
std::uint8_t Speed = 10;
std::uint8_t timelag = 1;
std::string PS;
bool osidasi = false;

namespace shell {
namespace {

constexpr const char* kSection = "Option";
constexpr std::size_t kMaxChars = 1023;

int digitValue(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
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

// Stores a value read from the file, cut to the setting's width.
template <class T>
void loadNumber(sys::Profile& p, const std::string& file, const char* key, T& setting) {
  long long v = parseSettingNumber(p.readString(file, kSection, key, "", kMaxChars));
  if (v != -1) setting = static_cast<T>(static_cast<unsigned long long>(v));
}

void write(sys::Profile& p, const std::string& file, const char* key, const std::string& value) {
  if (!p.writeString(file, kSection, key, value))
    throw ui::Error(ui::format("%s に書き込めません", file));
}

}  // namespace

void setBuiltInSettings() {
  Speed = 10;
  timelag = 1;
  osidasi = false;
  renzoku = 4;
}

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

std::string settingsPath(const std::string& exePath) { return sys::changeExtension(exePath, ".ini"); }

void loadSettings(sys::Profile& profile, const std::string& iniPath) {
  loadNumber(profile, iniPath, "renzoku", renzoku);
  loadNumber(profile, iniPath, "yoko", yoko);
  loadNumber(profile, iniPath, "tate", tate);
  loadNumber(profile, iniPath, "Bevel", Bevel);
  loadNumber(profile, iniPath, "Speed", Speed);
  loadNumber(profile, iniPath, "timelag", timelag);
  PS = profile.readString(iniPath, kSection, "PS", PS, kMaxChars);
  osidasi = parseNumber(profile.readString(iniPath, kSection, "osidasi", "0", kMaxChars)).value_or(0) != 0;
}

void saveSettings(sys::Profile& profile, const std::string& iniPath) {
  write(profile, iniPath, "renzoku", std::to_string(renzoku));
  write(profile, iniPath, "yoko", std::to_string(yoko));
  write(profile, iniPath, "tate", std::to_string(tate));
  write(profile, iniPath, "Bevel", std::to_string(Bevel));
  write(profile, iniPath, "Speed", std::to_string(Speed));
  write(profile, iniPath, "timelag", std::to_string(timelag));
  write(profile, iniPath, "osidasi", osidasi ? "1" : "0");
  write(profile, iniPath, "PS", PS);
}

}  // namespace shell
