#pragma once
#include <cstddef>
#include <string>

namespace sys {

// Private-profile (INI) files, with the system's rules: names compared
// without case, values trimmed, a pair of quotes around a value dropped.
class Profile {
 public:
  virtual ~Profile() = default;
  // The value, or def when the file, section or key is missing; at most
  // maxChars characters.
  virtual std::string readString(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& def, std::size_t maxChars) = 0;
  // Creates the file and section when missing, replaces the key's value in
  // place or appends the key to the section. False when it cannot write.
  virtual bool writeString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

}  // namespace sys
