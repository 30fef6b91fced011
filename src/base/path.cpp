#include "base/path.h"

#include <string_view>

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

std::string fileNamePart(const std::string& path) {
  auto at = path.find_last_of("\\/:");
  return at == std::string::npos ? path : path.substr(at + 1);
}

bool isPlainFileName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string extensionOf(const std::string& path) {
  auto dot = extensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string changeExtension(const std::string& path, const std::string& ext) {
  auto dot = extensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

}  // namespace base
