#include "picture/file_io.h"

#include <algorithm>
#include <cstdio>

#include "base/file.h"
#include "picture/errors.h"

namespace picture {

using base::File;
using base::openFile;

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
    if (have > maxBytes) messages::outOfResources();
    bytes.resize(have + kChunk);
    size_t got = std::fread(bytes.data() + have, 1, kChunk, f.get());
    bytes.resize(have + got);
    if (got < kChunk) break;
  }
  if (std::ferror(f.get())) messages::withName(messages::kCannotOpen, utf8Path);
  if (bytes.size() > maxBytes) messages::outOfResources();
  return bytes;
}

void writeFileBytes(const std::string& utf8Path, const std::vector<uint8_t>& bytes) {
  bool written = base::writeFileSafely(utf8Path, [&bytes](std::FILE* f) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  });
  if (!written) messages::withName(messages::kCannotCreate, utf8Path);
}

}  // namespace picture
