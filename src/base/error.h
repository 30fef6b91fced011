#pragma once
#include <stdexcept>
#include <string>

namespace base {

// A failure in the program's own words. The running handler ends at the
// failing step and the message loop shows the text in the error box.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// The text of a failed allocation, and of any other failure the program
// did not foresee: what the user sees instead of the library's own words.
inline constexpr const char* kOutOfResources = "ｼｽﾃﾑ ﾘｿｰｽが不足しています";
inline constexpr const char* kUnexpectedError = "処理を続けられませんでした";

// Fills the first "%s" of a message text.
inline std::string format(const std::string& pattern, const std::string& arg) {
  auto at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

}  // namespace base
