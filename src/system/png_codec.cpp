#include "system/png_codec.h"

#include "base/error.h"

namespace sys::png {

namespace {

// c over white by a of 255, rounded.
inline std::uint8_t overWhite(unsigned c, unsigned a) {
  return static_cast<std::uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}

}  // namespace

void checkSize(std::uint64_t width, std::uint64_t height, int bitsPerPixel) {
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    throw base::Error(base::kOutOfResources);
  long long stride = picture::Bitmap::strideFor(static_cast<int>(width), bitsPerPixel);
  if (stride < 0 || static_cast<std::uint64_t>(stride) * height > picture::Bitmap::kMaxBytes)
    throw base::Error(base::kOutOfResources);
}

void checkDeclaredSize(const std::vector<std::uint8_t>& png) {
  // Signature (8), the chunk's length (4) and type (4), width and height (4 each).
  if (png.size() < 24 || png[12] != 'I' || png[13] != 'H' || png[14] != 'D' || png[15] != 'R') return;
  auto be32 = [&png](std::size_t at) {
    return std::uint32_t(png[at]) << 24 | std::uint32_t(png[at + 1]) << 16 | std::uint32_t(png[at + 2]) << 8 |
           png[at + 3];
  };
  const std::uint32_t width = be32(16), height = be32(20);
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) throw base::Error(kBadPng);
  checkSize(width, height, 24);
}

void flattenRow(const std::uint8_t* bgra, std::uint8_t* bgr, int width) {
  for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
    unsigned a = bgra[3];
    if (a == 255) {
      bgr[0] = bgra[0], bgr[1] = bgra[1], bgr[2] = bgra[2];
    } else {
      bgr[0] = overWhite(bgra[0], a), bgr[1] = overWhite(bgra[1], a), bgr[2] = overWhite(bgra[2], a);
    }
  }
}

const std::uint8_t* bgrRow(const picture::Bitmap& b, int y, std::uint8_t* out,
                           std::vector<std::uint32_t>& scratch) {
  if (b.bitsPerPixel() == 24) return b.row(y);
  const int w = b.width();
  scratch.resize(static_cast<std::size_t>(w));
  b.rowToRgb32(y, scratch.data());
  const bool alpha = b.hasAlpha();
  std::uint8_t* o = out;
  for (int x = 0; x < w; ++x, o += 3) {
    std::uint32_t v = scratch[static_cast<std::size_t>(x)];
    unsigned r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, bl = v & 0xFF;
    if (alpha) {
      unsigned a = v >> 24;
      r = overWhite(r, a), g = overWhite(g, a), bl = overWhite(bl, a);
    }
    o[0] = static_cast<std::uint8_t>(bl), o[1] = static_cast<std::uint8_t>(g),
    o[2] = static_cast<std::uint8_t>(r);
  }
  return out;
}

}  // namespace sys::png
