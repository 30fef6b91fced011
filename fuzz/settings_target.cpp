#include <fstream>
#include <string>

#include "app/settings.h"
#include "fuzz_targets.h"
#include "platform/headless/ini_profile.h"

namespace fuzzing {

std::string fuzzSettings(const uint8_t* data, size_t size, const std::string& file) {
  std::string text(reinterpret_cast<const char*>(data), size);

  long long n = app::parseSettingNumber(text.substr(0, text.find('\n')));
  if (n < -2147483648ll || n > 4294967295ll) return "number out of 32 bits: " + std::to_string(n);

  std::ofstream(file, std::ios::binary | std::ios::trunc).write(text.data(), std::streamsize(text.size()));
  headless::IniProfile ini;
  app::Settings settings;
  app::loadSettings(settings, ini, file);

  if (!ini.writeString(file, "Option", "renzoku", "123")) return "cannot write renzoku";
  if (ini.readString(file, "Option", "renzoku", "", 1023) != "123") return "renzoku does not read back";
  if (!ini.writeString(file, "Fuzz", "PS", "C:\\a b\\c.exe")) return "cannot write PS";
  if (ini.readString(file, "fuzz", "ps", "", 1023) != "C:\\a b\\c.exe") return "PS does not read back";
  return {};
}

}  // namespace fuzzing
