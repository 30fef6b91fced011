#include "platform/win32/text.h"

#include <windows.h>

#include <climits>

namespace win32 {

std::wstring widen(const std::string& utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(std::size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
  return out;
}

std::string narrow(const wchar_t* utf16, std::size_t length) {
  if (!utf16 || length == 0 || length > INT_MAX) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, utf16, int(length), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16, int(length), out.data(), n, nullptr, nullptr);
  return out;
}

std::string narrow(const std::wstring& utf16) { return narrow(utf16.data(), utf16.size()); }

}  // namespace win32
