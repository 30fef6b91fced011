#include <windows.h>

#include <vector>

#include "base/error.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {

void Shell::openFile(const std::string& path) {
  HWND owner = owner_ ? owner_() : nullptr;
  if (!openWithShell(owner, widen(path).c_str())) throw base::Error(base::kUnexpectedError);
}

bool Shell::startProgram(const std::string& commandLine) {
  if (commandLine.empty()) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  // CreateProcessW may write into its command line.
  std::wstring wide = widen(commandLine);
  std::vector<wchar_t> line(wide.begin(), wide.end());
  line.push_back(L'\0');
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return false;
  // Nothing waits for the program: its handles are not needed.
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

}  // namespace win32
