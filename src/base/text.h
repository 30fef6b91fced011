#pragma once
#include <cstddef>
#include <string>

namespace base {

// UTF-8 inside the program, UTF-16 where a file or the system wants it.
// Malformed input becomes U+FFFD rather than failing.
std::u16string utf16FromUtf8(const std::string& utf8);
std::string utf8FromUtf16(const std::u16string& utf16);
// The code points of UTF-8 text, with the same U+FFFD for each malformed
// byte as utf16FromUtf8.
std::u32string utf32FromUtf8(const std::string& utf8);
// The text's first maxCharacters characters (code points; a malformed byte
// counts as one), cut between characters.
std::string firstCharacters(const std::string& utf8, std::size_t maxCharacters);

}  // namespace base
