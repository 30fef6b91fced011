#include <vector>

#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {

std::int64_t Clock::nowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

void Clock::sleep(int ms) {
  if (ms > 0) Sleep(DWORD(ms));
}

std::string Clock::timeOfDay() {
  // No format given: the user locale's long time format ("H:mm:ss" in Japan).
  wchar_t buf[80];
  int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, 80);
  return n > 1 ? narrow(buf, std::size_t(n - 1)) : std::string();
}

std::string Files::executablePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return narrow(buf.data(), n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

std::string Files::currentDirectory() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return {};
  std::vector<wchar_t> buf(n + 1);
  DWORD got = GetCurrentDirectoryW(DWORD(buf.size()), buf.data());
  if (got == 0 || got >= buf.size()) return {};
  return narrow(buf.data(), got);
}

// GetTempPathW: TMP, TEMP or USERPROFILE, else the Windows folder; the
// answer ends in a backslash.
std::string Files::temporaryDirectory() {
  std::vector<wchar_t> buf(MAX_PATH + 1);
  for (;;) {
    DWORD n = GetTempPathW(DWORD(buf.size()), buf.data());
    if (n == 0) return {};
    if (n < buf.size()) return narrow(buf.data(), n);
    if (buf.size() >= 32768) return {};
    buf.resize(n + 1);
  }
}

}  // namespace win32
