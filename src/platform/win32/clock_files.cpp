#include <cstdio>
#include <vector>

#include "platform/win32/message_wait.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {

std::int64_t Clock::nowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

void Clock::sleep(int ms) { waitAnswering(ms); }

std::string Clock::timeOfDay() {
  // No format given: the system default locale's long time format
  // ("H:mm:ss" in Japan), however long the locale makes it.
  int need = GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, nullptr, 0);
  if (need <= 1 || need > 1024) return {};
  std::vector<wchar_t> buf(static_cast<std::size_t>(need));
  int n = GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, buf.data(), need);
  return n > 1 ? narrow(buf.data(), std::size_t(n - 1)) : std::string();
}

std::string Clock::plainTimeOfDay() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", unsigned(t.wHour), unsigned(t.wMinute),
                unsigned(t.wSecond));
  return buf;
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
