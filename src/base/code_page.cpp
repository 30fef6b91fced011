#include "base/code_page.h"

#include <algorithm>

#include "base/text.h"

namespace base {

std::size_t cp932Length(const std::string& utf8) { return cp932FromUtf8(utf8).size(); }

std::string eraseCp932Bytes(const std::string& utf8, std::size_t at, std::size_t count) {
  std::string kept;
  std::size_t byte = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    // A character takes at most four bytes of UTF-8.
    std::string character = firstCharacters(utf8.substr(i, 4), 1);
    // One the code page lacks counts as the '?' it would become.
    std::size_t bytes = std::max<std::size_t>(1, cp932FromUtf8(character).size());
    if (byte + bytes <= at || byte >= at + count) kept += character;
    byte += bytes;
    i += character.size();
  }
  return kept;
}

}  // namespace base
