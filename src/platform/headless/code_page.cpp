#include <iconv.h>

#include <cerrno>

#include "base/code_page.h"

namespace base {

namespace {

// Converts with iconv; a sequence the target lacks (or a malformed one)
// becomes `substitute` and the conversion goes on after one input byte.
std::string convert(const char* to, const char* from, const std::string& in, const char* substitute) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out;
  char buffer[256];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out += substitute;
      // Skip the whole character that failed: a UTF-8 sequence, or a
      // double-byte pair.
      std::size_t skip = 1;
      auto lead = static_cast<unsigned char>(*src);
      if (std::string(from) == "UTF-8") {
        while (skip < left && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
      } else if (isCp932LeadByte(lead) && left >= 2) {
        skip = 2;
      }
      src += skip;
      left -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string cp932FromUtf8(const std::string& utf8) { return convert("CP932", "UTF-8", utf8, "?"); }

std::string utf8FromCp932(const std::string& bytes) {
  return convert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD");
}

}  // namespace base
