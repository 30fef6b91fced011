#include "picture/file_io.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "picture/errors.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace picture {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::string& utf8Path, const char* mode) {
#ifdef _WIN32
  // UTF-8 to UTF-16 so any name works whatever the system code page.
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path.data(), static_cast<int>(utf8Path.size()),
                              nullptr, 0);
  if (n <= 0 && !utf8Path.empty()) return nullptr;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path.data(), static_cast<int>(utf8Path.size()),
                        wide.data(), n);
  std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return File(_wfopen(wide.c_str(), wmode.c_str()));
#else
  return File(std::fopen(utf8Path.c_str(), mode));
#endif
}

}  // namespace

std::vector<uint8_t> readFileBytes(const std::string& utf8Path, size_t maxBytes) {
  File f = openFile(utf8Path, "rb");
  if (!f) messages::withName(messages::kCannotOpen, utf8Path);
  std::vector<uint8_t> bytes;
  // Read in chunks rather than trusting a seek to the end: the length is
  // only a hint (and a 32-bit long on Windows).
  constexpr size_t kChunk = 1 << 16;
  if (std::fseek(f.get(), 0, SEEK_END) == 0) {
    long hint = std::ftell(f.get());
    if (hint > 0) bytes.reserve(std::min(static_cast<size_t>(hint), maxBytes) + kChunk);
    std::rewind(f.get());
  }
  for (;;) {
    size_t have = bytes.size();
    if (have > maxBytes) messages::withName(messages::kCannotOpen, utf8Path);
    bytes.resize(have + kChunk);
    size_t got = std::fread(bytes.data() + have, 1, kChunk, f.get());
    bytes.resize(have + got);
    if (got < kChunk) break;
  }
  if (std::ferror(f.get()) || bytes.size() > maxBytes) messages::withName(messages::kCannotOpen, utf8Path);
  return bytes;
}

void writeFileBytes(const std::string& utf8Path, const std::vector<uint8_t>& bytes) {
  File f = openFile(utf8Path, "wb");
  if (!f) messages::withName(messages::kCannotCreate, utf8Path);
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  std::FILE* raw = f.release();
  if (std::fclose(raw) != 0) ok = false;
  if (!ok) messages::withName(messages::kCannotCreate, utf8Path);
}

}  // namespace picture
