#include "base/path.h"

namespace base {
namespace {

// Where the extension's dot is, or npos.
std::string::size_type extensionDot(const std::string& path) {
  auto name = path.find_last_of("\\/:");
  auto dot = path.rfind('.');
  if (dot == std::string::npos || (name != std::string::npos && dot < name)) return std::string::npos;
  return dot;
}

}  // namespace

std::string extensionOf(const std::string& path) {
  auto dot = extensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string changeExtension(const std::string& path, const std::string& ext) {
  auto dot = extensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

}  // namespace base
