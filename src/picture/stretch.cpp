#include "picture/stretch.h"

#include <cstring>
#include <vector>

namespace picture {

namespace {

// Source coordinate under the centre of each of `count` target cells.
std::vector<int> sampleMap(int count, int sourceCount) {
  std::vector<int> map(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) map[i] = static_cast<int>((2LL * i + 1) * sourceCount / (2LL * count));
  return map;
}

}  // namespace

Bitmap stretch(const Bitmap& src, int width, int height) {
  if (width <= 0 || height <= 0 || src.empty()) return Bitmap();
  if (width == src.width() && height == src.height() && src.bitsPerPixel() >= 24) return src;
  int bpp = src.bitsPerPixel() == 24 ? 24 : 32;
  Bitmap out = src.hasAlpha() ? Bitmap::createRgba(width, height) : Bitmap::create(width, height, bpp);
  std::vector<int> xs = sampleMap(width, src.width());
  std::vector<int> ys = sampleMap(height, src.height());
  std::vector<uint32_t> line(static_cast<size_t>(src.width()));
  int decoded = -1;
  for (int y = 0; y < height; ++y) {
    uint8_t* dst = out.mutableRow(y);
    if (y > 0 && ys[y] == ys[y - 1]) {  // repeated source row: copy the row just made
      std::memcpy(dst, out.row(y - 1), static_cast<size_t>(out.stride()));
      continue;
    }
    const uint8_t* s = src.row(ys[y]);
    if (src.bitsPerPixel() == 24) {
      for (int x = 0; x < width; ++x) std::memcpy(dst + 3 * x, s + 3 * xs[x], 3);
    } else if (src.bitsPerPixel() == 32) {
      for (int x = 0; x < width; ++x) std::memcpy(dst + 4 * x, s + 4 * xs[x], 4);
    } else {
      if (decoded != ys[y]) {
        src.rowToRgb32(ys[y], line.data());
        decoded = ys[y];
      }
      for (int x = 0; x < width; ++x) std::memcpy(dst + 4 * x, &line[xs[x]], 4);
    }
  }
  return out;
}

}  // namespace picture
