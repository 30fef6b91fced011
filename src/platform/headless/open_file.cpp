#include "base/file.h"

namespace base {

File openFile(const std::string& utf8Path, const char* mode) {
  return File(std::fopen(utf8Path.c_str(), mode));
}

}  // namespace base
