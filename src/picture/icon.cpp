#include "picture/icon.h"

#include <cstring>
#include <vector>

#include "picture/dib.h"
#include "picture/errors.h"

namespace picture {

namespace {

using detail::le16;
using detail::le32;

struct Entry {
  const uint8_t* data;
  size_t size;
  detail::DibInfo info;  // height already halved: the XOR image alone
};

Entry parseEntry(const uint8_t* data, size_t size) {
  Entry e{data, size, detail::parseDibInfo(data, size, detail::kBitsFollowPalette)};
  detail::DibInfo& info = e.info;
  // The header's height covers the XOR image and the AND mask together.
  if (info.headerSize < 40 || info.compression != detail::DibCompression::None || info.topDown ||
      info.height % 2 != 0)
    messages::badIcon();
  info.height /= 2;
  return e;
}

Bitmap decode(const Entry& e) {
  const detail::DibInfo& info = e.info;
  int w = info.width, h = info.height;
  if (static_cast<uint64_t>(w) * h * 4 > Bitmap::kMaxBytes) messages::badIcon();
  const uint8_t* bits = e.data + info.bitsOffset;
  size_t available = e.size - info.bitsOffset;
  Bitmap colour = detail::decodeDibBits(info, bits, available);

  uint64_t xorBytes = static_cast<uint64_t>(Bitmap::strideFor(w, info.bitsPerPixel)) * h;
  uint64_t maskStride = static_cast<uint64_t>(Bitmap::strideFor(w, 1));
  bool haveMask = xorBytes + maskStride * h <= available;

  // A 32-bit image with any alpha at all is drawn by its alpha; otherwise
  // (alpha all zero, as older icons are) the mask decides.
  bool useAlpha = false;
  if (info.bitsPerPixel == 32 && colour.bitsPerPixel() == 32) {
    for (int y = 0; y < h && !useAlpha; ++y) {
      const uint8_t* r = colour.row(y);
      for (int x = 0; x < w; ++x)
        if (r[4 * x + 3] != 0) {
          useAlpha = true;
          break;
        }
    }
  }
  if (!useAlpha && !haveMask) messages::badIcon();

  Bitmap out = Bitmap::createRgba(w, h);
  std::vector<uint32_t> line(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    colour.rowToRgb32(y, line.data());
    uint8_t* dst = out.mutableRow(y);
    const uint8_t* src = colour.row(y);
    const uint8_t* mask =
        haveMask ? bits + static_cast<size_t>(xorBytes + maskStride * static_cast<uint64_t>(h - 1 - y))
                 : nullptr;
    for (int x = 0; x < w; ++x) {
      uint8_t a = useAlpha ? src[4 * x + 3] : ((mask[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255);
      uint32_t c = line[x];
      dst[4 * x] = static_cast<uint8_t>(c);
      dst[4 * x + 1] = static_cast<uint8_t>(c >> 8);
      dst[4 * x + 2] = static_cast<uint8_t>(c >> 16);
      dst[4 * x + 3] = a;
    }
  }
  return out;
}

}  // namespace

Bitmap readIcon(const uint8_t* data, size_t size) {
  try {
    if (size < 6 || le16(data) != 0) messages::badIcon();
    unsigned type = le16(data + 2), count = le16(data + 4);
    if ((type != 1 && type != 2) || count == 0) messages::badIcon();
    size_t directoryEnd = 6 + 16 * static_cast<size_t>(count);
    if (directoryEnd > size) messages::badIcon();

    bool found = false;
    Entry best{};
    for (unsigned i = 0; i < count; ++i) {
      const uint8_t* d = data + 6 + 16 * i;
      uint32_t bytes = le32(d + 8), offset = le32(d + 12);
      if (offset < directoryEnd || offset > size || bytes > size - offset) messages::badIcon();
      const uint8_t* image = data + offset;
      if (bytes >= 8 && std::memcmp(image, "\x89PNG\r\n\x1a\n", 8) == 0) continue;
      Entry e = parseEntry(image, bytes);
      uint64_t area = static_cast<uint64_t>(e.info.width) * e.info.height;
      uint64_t bestArea = static_cast<uint64_t>(best.info.width) * best.info.height;
      if (!found || area > bestArea || (area == bestArea && e.info.bitsPerPixel > best.info.bitsPerPixel)) {
        best = std::move(e);
        found = true;
      }
    }
    if (!found) messages::badIcon();
    return decode(best);
  } catch (const base::Error&) {
    // The DIB parser speaks of bitmaps; here the icon is what is wrong.
    messages::badIcon();
  }
}

}  // namespace picture
