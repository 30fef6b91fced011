#include <windows.h>

#include "base/code_page.h"
#include "platform/win32/text.h"

namespace base {

namespace {
constexpr UINT kJapanese = 932;
}

std::string cp932FromUtf8(const std::string& utf8) {
  std::wstring wide = win32::widen(utf8);
  if (wide.empty()) return {};
  int n =
      WideCharToMultiByte(kJapanese, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, "?", nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kJapanese, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, "?", nullptr);
  return out;
}

std::string utf8FromCp932(const std::string& bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(kJapanese, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(kJapanese, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return win32::narrow(wide);
}

}  // namespace base
