#include <cstdio>

#include "base/file.h"

namespace base {

File openFile(const std::string& utf8Path, const char* mode) {
  return File(std::fopen(utf8Path.c_str(), mode));
}

bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8) {
  return std::rename(fromUtf8.c_str(), toUtf8.c_str()) == 0;
}

bool removeFile(const std::string& utf8Path) { return std::remove(utf8Path.c_str()) == 0; }

}  // namespace base
