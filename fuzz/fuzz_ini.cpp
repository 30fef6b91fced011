// Settings files are hand-edited text: any bytes must load without harm,
// and a value written into any such file must read back as written.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/headless/ini_profile.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);

  long long n = shell::parseSettingNumber(text.substr(0, text.find('\n')));
  if (n < -2147483648ll || n > 4294967295ll) std::abort();

  static const std::string file = "/tmp/mirune-fuzz-" + std::to_string(::getpid()) + ".ini";
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(text.data(), std::streamsize(text.size()));
  headless::IniProfile ini;
  shell::loadSettings(ini, file);
  shell::setBuiltInSettings();

  if (!ini.writeString(file, "Option", "renzoku", "123")) std::abort();
  if (ini.readString(file, "Option", "renzoku", "", 1023) != "123") std::abort();
  if (!ini.writeString(file, "Fuzz", "PS", "C:\\a b\\c.exe")) std::abort();
  if (ini.readString(file, "fuzz", "ps", "", 1023) != "C:\\a b\\c.exe") std::abort();
  return 0;
}
