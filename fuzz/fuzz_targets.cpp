#include "fuzz_targets.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "picture/bmp.h"
#include "picture/canvas.h"
#include "picture/errors.h"
#include "picture/icon.h"
#include "picture/metafile.h"
#include "picture/stretch.h"

namespace fuzzing {

namespace {

using picture::Bitmap;

// A broken promise: ends the target with its description.
struct Broken {
  std::string what;
};

[[noreturn]] void broken(const char* what) { throw Broken{what}; }

template <class F>
std::string check(F&& body) {
  try {
    body();
    return {};
  } catch (const Broken& b) {
    return b.what;
  } catch (const std::exception& e) {
    return std::string("unexpected failure: ") + e.what();
  }
}

template <class F>
bool decodes(F&& f, const char* ownMessage) {
  try {
    f();
    return true;
  } catch (const base::Error& e) {
    if (std::strcmp(e.what(), ownMessage) != 0) broken("wrong error text");
    return false;
  }
}

// Everything a decoded bitmap is used for: writing, reading back, drawing.
void exercise(const Bitmap& b, bool writable) {
  if (b.empty()) broken("decoded an empty bitmap");
  if (writable) {
    std::vector<uint8_t> file = picture::writeBmp(b);
    if (!(picture::readBmp(file.data(), file.size()) == b)) broken("BMP round trip changed the bitmap");
    std::vector<uint8_t> dib = picture::writeDib(b);
    if (!(picture::readDib(dib.data(), dib.size()) == b)) broken("DIB round trip changed the bitmap");
  }
  if (static_cast<long long>(b.width()) * b.height() <= (1 << 16)) {
    Bitmap small = picture::stretch(b, 5, 3);
    picture::Canvas canvas(8, 6, 0x123456);
    canvas.setClip({1, 1, 6, 4});
    canvas.drawBitmap(b, {-3, 7, 12, -9});
    canvas.drawBitmap(small, {0, 0, 8, 6});
    (void)b.toRgb32();
  }
}

}  // namespace

std::string fuzzBmp(const uint8_t* data, size_t size) {
  return check([&] {
    Bitmap b;
    if (decodes([&] { b = picture::readBmp(data, size); }, picture::messages::kBadBitmap)) exercise(b, true);
    if (decodes([&] { b = picture::readDib(data, size); }, picture::messages::kBadBitmap)) exercise(b, true);
  });
}

std::string fuzzIco(const uint8_t* data, size_t size) {
  return check([&] {
    Bitmap b;
    if (decodes([&] { b = picture::readIcon(data, size); }, picture::messages::kBadIcon)) {
      if (b.bitsPerPixel() != 32 || !b.hasAlpha()) broken("icon not decoded to 32-bit alpha");
      exercise(b, true);
    }
    picture::MetafileInfo info;
    if (decodes([&] { info = picture::readMetafile(data, size); }, picture::messages::kBadMetafile)) {
      if (info.width < 0 || info.height < 0) broken("negative metafile size");
    }
  });
}

int abortIfBroken(const std::string& what) {
  if (what.empty()) return 0;
  std::fprintf(stderr, "fuzz: %s\n", what.c_str());
  std::abort();
}

}  // namespace fuzzing
