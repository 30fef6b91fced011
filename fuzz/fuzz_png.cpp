// The PNG reader (libpng behind the codec service): any bytes either decode
// to a bitmap that survives being written and read back, or fail with the
// program's own words; nothing else escapes.
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "base/error.h"
#include "platform/headless/services.h"
#include "system/png_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  headless::PngCodec codec;
  std::vector<std::uint8_t> bytes(data, data + size);
  picture::Bitmap b;
  try {
    b = codec.decode(bytes);
  } catch (const base::Error& e) {
    std::string text = e.what();
    if (text != sys::kBadPng && text != base::kOutOfResources) std::abort();
    return 0;
  } catch (...) {
    std::abort();
  }
  if (b.empty()) std::abort();
  // What was read is written and read back unchanged.
  picture::Bitmap again = codec.decode(codec.encode(b));
  if (!(again == b)) std::abort();
  return 0;
}
