#pragma once
#include "system/profile.h"

namespace headless {

// Private-profile files on the real file system, read and written by the
// system's rules so that a file reads here as it does on Windows. Writing
// edits in place: lines it does not touch stay as they were.
class IniProfile : public sys::Profile {
 public:
  std::string readString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& def, std::size_t maxChars) override;
  bool writeString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace headless
