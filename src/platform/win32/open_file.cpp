#include "base/file.h"
#include "platform/win32/text.h"

namespace base {

File openFile(const std::string& utf8Path, const char* mode) {
  std::wstring wide = win32::widen(utf8Path);
  std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return File(_wfopen(wide.c_str(), wmode.c_str()));
}

}  // namespace base
