#pragma once
#include <string>

namespace base {

// The text after the last '.' of the file name (the part after the last
// '\\', '/' or ':'); empty when the name has no dot.
std::string extensionOf(const std::string& path);

// The path with its extension (".ini", dot included) replaced; a name
// without one gets ext appended.
std::string changeExtension(const std::string& path, const std::string& ext);

}  // namespace base
