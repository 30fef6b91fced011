#pragma once
#include "system/profile.h"

namespace headless {

// Private-profile files on the real file system, with the system's rules:
// section and key names compared without case, names and values trimmed,
// one pair of matching quotes around a value dropped, comment lines (';')
// skipped, trailing blanks of a default dropped. Writing edits the file in
// place: a key's line is replaced (the key keeps its stored spelling), a
// missing key is added after the section's last entry, a missing section
// is added at the end. Lines it does not touch stay as they were.
class IniProfile : public sys::Profile {
 public:
  std::string readString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& def, std::size_t maxChars) override;
  bool writeString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace headless
