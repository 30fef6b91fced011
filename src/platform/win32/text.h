#pragma once
#include <string>

namespace win32 {

// UTF-8 inside, UTF-16 at the API boundary. Malformed input becomes U+FFFD
// rather than failing: a name the user typed should never crash a call.
std::wstring widen(const std::string& utf8);
std::string narrow(const wchar_t* utf16, std::size_t length);
std::string narrow(const std::wstring& utf16);

}  // namespace win32
