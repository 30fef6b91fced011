#include "system/files.h"

namespace sys {

std::string changeExtension(const std::string& path, const std::string& ext) {
  auto slash = path.find_last_of("\\/:");
  auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
  return path.substr(0, dot) + ext;
}

}  // namespace sys
