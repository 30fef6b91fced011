// A stand-in for a paint program in the film's end-to-end test: registered
// as the program that opens bitmap files, and named as the option
// software, it appends the command line it was started with, in UTF-8, as
// one line to handler-log.txt beside itself, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  std::wstring log(self, n);
  log = log.substr(0, log.find_last_of(L'\\') + 1) + L"handler-log.txt";
  FILE* f = _wfopen(log.c_str(), L"ab");
  if (!f) return 1;
  std::string line = win32::narrow(GetCommandLineW()) + "\n";
  std::fwrite(line.data(), 1, line.size(), f);
  std::fclose(f);
  return 0;
}
