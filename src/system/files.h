#pragma once
#include <string>

namespace sys {

class Files {
 public:
  virtual ~Files() = default;
  // Full path of the running program (UTF-8).
  virtual std::string executablePath() = 0;
  virtual std::string currentDirectory() = 0;
  // The user's folder for temporary files, ending in its separator.
  virtual std::string temporaryDirectory() = 0;
};

}  // namespace sys
