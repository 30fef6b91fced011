#include "picture/bmp.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <stdexcept>

#include "picture/dib.h"
#include "picture/errors.h"
#include "picture/pixel_ops.h"

namespace picture {
namespace detail {
namespace {

using messages::badBitmap;

constexpr uint32_t kCoreHeader = 12, kInfoHeader = 40, kV5Header = 124;

// RLE can describe a huge blank picture in a few bytes (end of bitmap, deltas),
// but real encoders spend at least two bytes per 255 pixels. Anything claiming
// far more than that is refused before the zero-filled bitmap is allocated.
constexpr uint64_t kRlePixelsPerByte = 512;
constexpr uint64_t kRleFreePixels = 65536;

bool contiguous(uint32_t mask) {
  if (mask == 0) return true;
  uint32_t low = mask >> std::countr_zero(mask);
  return (low & (low + 1)) == 0;
}

void checkMasks(const DibInfo& info) {
  uint32_t limit = info.bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  uint32_t all = 0;
  for (uint32_t m : {info.redMask, info.greenMask, info.blueMask, info.alphaMask}) {
    if (!contiguous(m) || (m & ~limit) || (all & m)) badBitmap();
    all |= m;
  }
  if ((info.redMask | info.greenMask | info.blueMask) == 0) badBitmap();
}

// Pixels whose layout a Bitmap cannot keep: any masks, one pixel at a time, to 32 bpp.
void convertMasked(const DibInfo& info, const uint8_t* bits, size_t fileStride, Bitmap& out) {
  pixelops::Channel r(info.redMask), g(info.greenMask), b(info.blueMask);
  int bytes = info.bitsPerPixel / 8;
  for (int i = 0; i < info.height; ++i) {
    const uint8_t* src = bits + static_cast<size_t>(i) * fileStride;
    uint8_t* dst = out.mutableRow(info.topDown ? i : info.height - 1 - i);
    for (int x = 0; x < info.width; ++x) {
      uint32_t v = bytes == 2 ? le16(src + 2 * x) : le32(src + 4 * x);
      dst[4 * x] = static_cast<uint8_t>(b.to8(v));
      dst[4 * x + 1] = static_cast<uint8_t>(g.to8(v));
      dst[4 * x + 2] = static_cast<uint8_t>(r.to8(v));
      dst[4 * x + 3] = 0;
    }
  }
}

Bitmap decodeUncompressed(const DibInfo& info, const uint8_t* bits, size_t available) {
  int bpp = info.bitsPerPixel;
  long long fileStride = Bitmap::strideFor(info.width, bpp);
  if (fileStride < 0) badBitmap();
  // Every row in full, except that the last may lack its padding.
  uint64_t used = (static_cast<uint64_t>(info.width) * bpp + 7) / 8;
  uint64_t needed = static_cast<uint64_t>(fileStride) * (info.height - 1) + used;
  if (needed > available) badBitmap();

  bool standard32 =
      bpp == 32 && (info.compression == DibCompression::None ||
                    (info.redMask == 0xFF0000 && info.greenMask == 0xFF00 && info.blueMask == 0xFF));
  ChannelMasks masks16 = info.compression == DibCompression::BitFields
                             ? ChannelMasks{info.redMask, info.greenMask, info.blueMask}
                             : kMasks555;
  bool convert = (bpp == 16 && !Bitmap::validMasks16(masks16)) || (bpp == 32 && !standard32);
  int outBpp = convert ? 32 : bpp == 2 ? 4 : bpp;
  bool alpha = bpp == 32 && standard32 && info.compression == DibCompression::BitFields &&
               info.alphaMask == 0xFF000000;

  long long outStride = Bitmap::strideFor(info.width, outBpp);
  if (outStride < 0) badBitmap();
  if (static_cast<uint64_t>(outStride) * info.height > Bitmap::kMaxBytes) messages::outOfResources();
  Bitmap out = Bitmap::createUninitialized(info.width, info.height, outBpp, info.palette, masks16, alpha);

  if (convert) {
    convertMasked(info, bits, static_cast<size_t>(fileStride), out);
    return out;
  }
  size_t outUsed = (static_cast<size_t>(info.width) * outBpp + 7) / 8;
  for (int i = 0; i < info.height; ++i) {
    const uint8_t* src = bits + static_cast<size_t>(i) * fileStride;
    uint8_t* dst = out.mutableRow(info.topDown ? i : info.height - 1 - i);
    if (bpp == 2) {
      std::memset(dst, 0, out.stride());
      for (int x = 0; x < info.width; ++x)
        pixelops::setIndexAt(dst, x, 4, (src[x >> 2] >> (6 - 2 * (x & 3))) & 3u);
    } else {
      std::memcpy(dst, src, outUsed);
      std::memset(dst + outUsed, 0, out.stride() - outUsed);
    }
  }
  return out;
}

Bitmap decodeRle(const DibInfo& info, const uint8_t* s, size_t n) {
  int bpp = info.bitsPerPixel;
  uint64_t pixels = static_cast<uint64_t>(info.width) * info.height;
  if (pixels > static_cast<uint64_t>(n) * kRlePixelsPerByte + kRleFreePixels) badBitmap();
  long long stride = Bitmap::strideFor(info.width, bpp);
  if (stride < 0) badBitmap();
  if (static_cast<uint64_t>(stride) * info.height > Bitmap::kMaxBytes) messages::outOfResources();

  // Pixels the data never reaches stay index 0.
  Bitmap out = Bitmap::create(info.width, info.height, bpp, info.palette);
  uint8_t* base = out.mutableRow(0);
  const int w = info.width, h = info.height;
  int x = 0, y = 0;  // y counts up from the bottom row
  auto put = [&](unsigned index) {
    pixelops::setIndexAt(base + static_cast<size_t>(h - 1 - y) * stride, x, bpp, index);
    ++x;
  };
  size_t i = 0;
  // Runs and deltas that leave the bitmap are clipped; data that stops short
  // of the end-of-bitmap mark leaves the rest at index 0.
  while (i + 1 < n && y < h) {
    unsigned count = s[i], value = s[i + 1];
    i += 2;
    if (count > 0) {
      for (unsigned k = 0; k < count && x < w; ++k)
        put(bpp == 8 ? value : (k & 1 ? value & 0xF : value >> 4));
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (i + 2 > n) break;
      x = std::min(x + s[i], w);
      y += s[i + 1];
      i += 2;
    } else {  // literal pixels, padded to a 16-bit boundary
      size_t bytes = bpp == 8 ? value : (value + 1) / 2;
      size_t have = std::min(bytes, n - i);
      for (unsigned k = 0; k < value && x < w; ++k) {
        size_t at = bpp == 8 ? k : k / 2;
        if (at >= have) break;
        put(bpp == 8 ? s[i + at] : (k & 1 ? s[i + at] & 0xF : s[i + at] >> 4));
      }
      i += std::min(bytes + (bytes & 1), n - i);
    }
  }
  return out;
}

}  // namespace

DibInfo parseDibInfo(const uint8_t* dib, size_t size, size_t bitsOffset) {
  if (size < 4) badBitmap();
  DibInfo info;
  uint32_t hs = le32(dib);
  info.headerSize = hs;
  bool core = hs == kCoreHeader;
  if (!core && !(hs >= 16 && hs <= 64) && hs != 108 && hs != kV5Header) badBitmap();
  if (hs > size) badBitmap();

  // Windows' info, V2 and V3 headers are 40, 52 and 56 bytes; other sizes up
  // to 64 are OS/2 2.x headers, which number their compressions differently.
  bool os2 = !core && hs < 108 && hs != 40 && hs != 52 && hs != 56;
  uint8_t h[kV5Header] = {};
  std::memcpy(h, dib, hs);

  long long width, height;
  unsigned planes, bpp, compression = 0;
  uint32_t colorsUsed = 0;
  if (core) {
    width = le16(h + 4);
    height = le16(h + 6);
    planes = le16(h + 8);
    bpp = le16(h + 10);
  } else {
    width = static_cast<int32_t>(le32(h + 4));
    height = static_cast<int32_t>(le32(h + 8));
    planes = le16(h + 12);
    bpp = le16(h + 14);
    compression = le32(h + 16);
    colorsUsed = le32(h + 32);
  }
  if (planes != 1 || width <= 0 || height == 0 || height == INT_MIN) badBitmap();
  info.width = static_cast<int>(width);
  info.topDown = height < 0;
  info.height = static_cast<int>(height < 0 ? -height : height);
  info.bitsPerPixel = static_cast<int>(bpp);

  size_t maskBytes = 0;
  switch (compression) {
    case 0:
      if (bpp != 1 && bpp != 2 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) badBitmap();
      if (core && (bpp == 2 || bpp == 16 || bpp == 32)) badBitmap();
      info.compression = DibCompression::None;
      break;
    case 1:
    case 2:
      if (bpp != (compression == 1 ? 8u : 4u) || info.topDown) badBitmap();
      info.compression = compression == 1 ? DibCompression::Rle8 : DibCompression::Rle4;
      break;
    case 3:  // bit fields (OS/2: Huffman 1D)
    case 6:  // bit fields with alpha
      if (os2 || (bpp != 16 && bpp != 32)) badBitmap();
      info.compression = DibCompression::BitFields;
      if (hs >= 52) {
        info.redMask = le32(h + 40);
        info.greenMask = le32(h + 44);
        info.blueMask = le32(h + 48);
        if (hs >= 56) info.alphaMask = le32(h + 52);
      }
      if (hs < 52) maskBytes = 12;
      if (compression == 6 && hs < 56) maskBytes += 4;
      break;
    default:  // JPEG, PNG, OS/2 RLE24 and the unknown
      badBitmap();
  }

  size_t maskStart = hs;
  if (maskBytes > 0) {
    if (size - maskStart < maskBytes) badBitmap();
    const uint8_t* m = dib + maskStart;
    if (hs < 52) {
      info.redMask = le32(m);
      info.greenMask = le32(m + 4);
      info.blueMask = le32(m + 8);
      m += 12;
    }
    if (compression == 6 && hs < 56) info.alphaMask = le32(m);
  }
  if (info.compression == DibCompression::BitFields) checkMasks(info);

  size_t paletteStart = maskStart + maskBytes;
  size_t entrySize = core ? 3 : 4;
  uint64_t declared = 0;
  if (bpp <= 8) {
    uint64_t most = uint64_t{1} << bpp;
    if (colorsUsed > most) badBitmap();
    declared = colorsUsed ? colorsUsed : most;
  } else {
    declared = colorsUsed;  // an optional palette, not needed to show the pixels
  }

  uint64_t entries = declared;
  if (bitsOffset == kBitsFollowPalette) {
    uint64_t paletteEnd = paletteStart + declared * entrySize;
    if (paletteEnd > size) badBitmap();
    info.bitsOffset = static_cast<size_t>(paletteEnd);
  } else {
    // Writers often store a shorter palette than the header implies; the
    // pixel offset tells how much is really there. Missing entries are black.
    if (bitsOffset < paletteStart || bitsOffset > size) badBitmap();
    entries = std::min<uint64_t>(declared, (bitsOffset - paletteStart) / entrySize);
    info.bitsOffset = bitsOffset;
  }
  if (bpp <= 8) {
    info.palette.resize(static_cast<size_t>(entries));
    for (size_t k = 0; k < entries; ++k) {
      const uint8_t* e = dib + paletteStart + k * entrySize;
      info.palette[k] = static_cast<uint32_t>(e[2]) << 16 | static_cast<uint32_t>(e[1]) << 8 | e[0];
    }
    // No entries at all: every index is past the palette, so black.
    if (info.palette.empty()) info.palette.push_back(0);
  }
  return info;
}

Bitmap decodeDibBits(const DibInfo& info, const uint8_t* bits, size_t available) {
  if (info.compression == DibCompression::Rle8 || info.compression == DibCompression::Rle4)
    return decodeRle(info, bits, available);
  return decodeUncompressed(info, bits, available);
}

namespace {

// Header, masks and palette of a DIB describing `b`.
void appendDibHeader(std::vector<uint8_t>& out, const Bitmap& b) {
  bool v5 = b.hasAlpha();
  bool fields = b.bitsPerPixel() == 16 && b.masks() != kMasks555;
  put32(out, v5 ? kV5Header : kInfoHeader);
  put32(out, static_cast<uint32_t>(b.width()));
  put32(out, static_cast<uint32_t>(b.height()));
  put16(out, 1);
  put16(out, static_cast<uint32_t>(b.bitsPerPixel()));
  put32(out, v5 || fields ? 3u : 0u);
  put32(out, static_cast<uint32_t>(b.byteCount()));
  put32(out, 0);
  put32(out, 0);
  put32(out, static_cast<uint32_t>(b.palette().size()));
  put32(out, 0);
  if (v5) {
    put32(out, 0xFF0000);
    put32(out, 0xFF00);
    put32(out, 0xFF);
    put32(out, 0xFF000000);
    put32(out, 0x73524742);             // 'sRGB'
    out.insert(out.end(), 36 + 12, 0);  // endpoints, gamma
    put32(out, 4);                      // LCS_GM_IMAGES
    out.insert(out.end(), 12, 0);       // profile data, size, reserved
  } else if (fields) {
    put32(out, b.masks().red);
    put32(out, b.masks().green);
    put32(out, b.masks().blue);
  }
  for (uint32_t c : b.palette()) put32(out, c & 0xFFFFFF);
}

size_t dibHeaderBytes(const Bitmap& b) {
  size_t bytes = b.hasAlpha() ? kV5Header : kInfoHeader;
  if (!b.hasAlpha() && b.bitsPerPixel() == 16 && b.masks() != kMasks555) bytes += 12;
  return bytes + 4 * b.palette().size();
}

void appendRowsBottomUp(std::vector<uint8_t>& out, const Bitmap& b) {
  size_t used = (static_cast<size_t>(b.width()) * b.bitsPerPixel() + 7) / 8;
  size_t pad = static_cast<size_t>(b.stride()) - used;
  static const uint8_t zeros[4] = {};
  for (int y = b.height() - 1; y >= 0; --y) {
    const uint8_t* r = b.row(y);
    out.insert(out.end(), r, r + used);
    out.insert(out.end(), zeros, zeros + pad);
  }
}

void requireContent(const Bitmap& b) {
  if (b.empty()) throw std::invalid_argument("cannot write an empty bitmap");
}

}  // namespace
}  // namespace detail

Bitmap readDib(const uint8_t* data, size_t size) {
  using namespace detail;
  DibInfo info = parseDibInfo(data, size, kBitsFollowPalette);
  return decodeDibBits(info, data + info.bitsOffset, size - info.bitsOffset);
}

Bitmap readBmp(const uint8_t* data, size_t size) {
  using namespace detail;
  constexpr size_t kFileHeader = 14;
  if (size < kFileHeader + 4 || data[0] != 'B' || data[1] != 'M') messages::badBitmap();
  // The file-size field is wrong in too many real files to be worth checking.
  uint32_t offset = le32(data + 10);
  size_t bitsOffset = kBitsFollowPalette;
  if (offset != 0) {
    if (offset < kFileHeader) messages::badBitmap();
    bitsOffset = offset - kFileHeader;
  }
  DibInfo info = parseDibInfo(data + kFileHeader, size - kFileHeader, bitsOffset);
  size_t bits = kFileHeader + info.bitsOffset;
  return decodeDibBits(info, data + bits, size - bits);
}

std::vector<uint8_t> writeDib(const Bitmap& b) {
  using namespace detail;
  requireContent(b);
  std::vector<uint8_t> out;
  out.reserve(dibHeaderBytes(b) + b.byteCount());
  appendDibHeader(out, b);
  appendRowsBottomUp(out, b);
  return out;
}

std::vector<uint8_t> writeBmp(const Bitmap& b) {
  using namespace detail;
  requireContent(b);
  size_t headers = 14 + dibHeaderBytes(b);
  size_t total = headers + b.byteCount();
  std::vector<uint8_t> out;
  out.reserve(total);
  out.push_back('B');
  out.push_back('M');
  put32(out, static_cast<uint32_t>(total));
  put32(out, 0);
  put32(out, static_cast<uint32_t>(headers));
  appendDibHeader(out, b);
  appendRowsBottomUp(out, b);
  return out;
}

}  // namespace picture
