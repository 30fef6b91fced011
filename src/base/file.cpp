#include "base/file.h"

#include <atomic>
#include <chrono>

namespace base {

namespace {

// A name beside the target that no other write of ours uses at the same time.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  auto stamp = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  return path + ".~" + std::to_string(stamp % 1000000007ULL) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace

bool writeFileSafely(const std::string& utf8Path, const std::function<bool(std::FILE*)>& write) {
  std::string temporary = temporaryNameFor(utf8Path);
  File f = openFile(temporary, "wb");
  if (!f) return false;
  bool ok = false;
  try {
    ok = write(f.get());
  } catch (...) {
    f.reset();
    removeFile(temporary);
    throw;
  }
  if (ok && std::fflush(f.get()) != 0) ok = false;
  if (std::ferror(f.get())) ok = false;
  std::FILE* raw = f.release();
  if (std::fclose(raw) != 0) ok = false;
  if (ok && replaceFile(temporary, utf8Path)) return true;
  removeFile(temporary);
  return false;
}

}  // namespace base
