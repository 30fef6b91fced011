#pragma once
#include <cstdio>
#include <functional>
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

// Puts `from` in the place of `to`, replacing a file already there in one
// step (the old file stays whole until the new one has taken its place).
// Both in the same folder. False when it cannot.
bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8);
// Removes a file; false when it cannot (or it is not there).
bool removeFile(const std::string& utf8Path);

// Writes a whole file through a temporary file in the same folder, renamed
// over the target only once every byte is written and closed: a failure
// (full disk, read-only medium, a write error half-way) leaves the old file
// whole and no partial file behind. `write` gets the open temporary file
// and says whether all went well. False when anything failed.
bool writeFileSafely(const std::string& utf8Path, const std::function<bool(std::FILE*)>& write);

}  // namespace base
