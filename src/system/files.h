#pragma once
#include <string>

namespace sys {

class Files {
 public:
  virtual ~Files() = default;
  // Full path of the running program (UTF-8).
  virtual std::string executablePath() = 0;
  virtual std::string currentDirectory() = 0;
};

// The path with its extension (after the last dot of the last component)
// replaced; a path without one gets ext appended.
std::string changeExtension(const std::string& path, const std::string& ext);

}  // namespace sys
