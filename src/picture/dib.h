#pragma once
// The DIB parts shared by the BMP and icon codecs.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/bitmap.h"

namespace picture::detail {

enum class DibCompression { None, Rle8, Rle4, BitFields };

struct DibInfo {
  uint32_t headerSize = 0;
  int width = 0;
  int height = 0;  // rows, always positive
  bool topDown = false;
  int bitsPerPixel = 0;
  DibCompression compression = DibCompression::None;
  uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB, at most 2^bpp entries
  size_t bitsOffset = 0;          // from the start of the header
};

inline constexpr size_t kBitsFollowPalette = static_cast<size_t>(-1);

// Parses the header, masks and palette of a DIB held in dib[0, size).
// bitsOffset: where the pixels start, counted from the header, or
// kBitsFollowPalette. Throws the bitmap error.
DibInfo parseDibInfo(const uint8_t* dib, size_t size, size_t bitsOffset);

// Decodes the pixels that start at `bits` with `available` bytes readable.
// Throws the bitmap error when they cannot be there.
Bitmap decodeDibBits(const DibInfo& info, const uint8_t* bits, size_t available);

inline uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
inline void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace picture::detail
