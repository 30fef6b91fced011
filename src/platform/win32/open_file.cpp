#include <windows.h>

#include "base/file.h"
#include "platform/win32/text.h"

namespace base {

File openFile(const std::string& utf8Path, const char* mode) {
  std::wstring wide = win32::widen(utf8Path);
  std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return File(_wfopen(wide.c_str(), wmode.c_str()));
}

bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8) {
  return MoveFileExW(win32::widen(fromUtf8).c_str(), win32::widen(toUtf8).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool removeFile(const std::string& utf8Path) { return DeleteFileW(win32::widen(utf8Path).c_str()) != 0; }

}  // namespace base
