#include <algorithm>
#include <vector>

#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {

std::string Profile::readString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& def, std::size_t maxChars) {
  // The buffer holds maxChars characters and the terminator; a caller asking
  // for "everything" still gets a bounded buffer.
  constexpr std::size_t kLargest = 1u << 20;
  std::size_t chars = std::min(maxChars, kLargest);
  std::vector<wchar_t> buf(chars + 1, L'\0');
  std::wstring f = widen(file), s = widen(section), k = widen(key), d = widen(def);
  DWORD n =
      GetPrivateProfileStringW(s.c_str(), k.c_str(), d.c_str(), buf.data(), DWORD(buf.size()), f.c_str());
  return narrow(buf.data(), std::min<std::size_t>(n, chars));
}

bool Profile::writeString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& value) {
  std::wstring f = widen(file), s = widen(section), k = widen(key), v = widen(value);
  // The system would make a new file in the ANSI code page, turning text
  // outside it into "?"; a file that starts as UTF-16 stays UTF-16.
  HANDLE created =
      CreateFileW(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created != INVALID_HANDLE_VALUE) {
    static const unsigned char kUtf16Mark[] = {0xFF, 0xFE};
    DWORD written = 0;
    BOOL ok = WriteFile(created, kUtf16Mark, sizeof kUtf16Mark, &written, nullptr);
    CloseHandle(created);
    if (!ok || written != sizeof kUtf16Mark) return false;
  }
  if (!WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), f.c_str())) return false;
  // Flush the system's cache so the file on disk says what we wrote.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, f.c_str());
  return true;
}

}  // namespace win32
