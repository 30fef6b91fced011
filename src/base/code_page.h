#pragma once
#include <cstddef>
#include <string>

namespace base {

// The Japanese code page (932, Shift-JIS with the Windows extensions): the
// commands that count or cut file names by bytes count the bytes a name has
// there. Each platform supplies the conversions; a character the code page
// lacks becomes one '?' byte.
std::string cp932FromUtf8(const std::string& utf8);
std::string utf8FromCp932(const std::string& bytes);

// A byte that starts a double-byte character in code page 932.
constexpr bool isCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The name's length in code-page-932 bytes.
std::size_t cp932Length(const std::string& utf8);
// The name without the characters that cover any of its code-page-932
// bytes `at` to `at + count - 1` (counted from 0, as far as there are
// any). The bytes are counted character by character; every other
// character stays as it was, also one the code page lacks.
std::string eraseCp932Bytes(const std::string& utf8, std::size_t at, std::size_t count);

}  // namespace base
