#pragma once
#include <stdexcept>
#include <string>

namespace ui {

// A failure in the class library's own words; the message loop shows it in
// the default error box and the running handler ends at the failing step.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// Fills the first "%s" of a message text.
inline std::string format(const std::string& pattern, const std::string& arg) {
  auto at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

}  // namespace ui
