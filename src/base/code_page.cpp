#include "base/code_page.h"

namespace base {

std::size_t cp932Length(const std::string& utf8) { return cp932FromUtf8(utf8).size(); }

std::string eraseCp932Bytes(const std::string& utf8, std::size_t at, std::size_t count) {
  std::string bytes = cp932FromUtf8(utf8);
  if (at < bytes.size()) bytes.erase(at, count);
  return utf8FromCp932(bytes);
}

std::string truncateCp932(const std::string& utf8, std::size_t maxBytes) {
  std::string bytes = cp932FromUtf8(utf8);
  if (bytes.size() <= maxBytes) return utf8;
  std::size_t end = 0;
  while (end < bytes.size()) {
    std::size_t next = end + (isCp932LeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1);
    if (next > maxBytes) break;
    end = next;
  }
  bytes.resize(end);
  return utf8FromCp932(bytes);
}

}  // namespace base
