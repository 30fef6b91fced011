#pragma once
#include <cstdio>
#include <memory>
#include <string>

namespace base {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file by its UTF-8 path with an fopen mode; null when it cannot.
// Each platform defines it (on Windows the path goes through UTF-16, so
// any name works whatever the system code page).
File openFile(const std::string& utf8Path, const char* mode);

}  // namespace base
