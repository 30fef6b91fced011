#pragma once
// Small pixel helpers shared by the bitmap, the codecs and the canvas.

#include <bit>
#include <cstdint>

#include "picture/bitmap.h"

namespace picture::pixelops {

// Index of pixel x in a 1/4/8-bit row (leftmost pixel in the high bits).
inline unsigned indexAt(const uint8_t* row, int x, int bpp) {
  switch (bpp) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    default:
      return row[x];
  }
}

inline void setIndexAt(uint8_t* row, int x, int bpp, unsigned index) {
  switch (bpp) {
    case 1: {
      uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
      row[x >> 3] = static_cast<uint8_t>((index & 1) ? row[x >> 3] | bit : row[x >> 3] & ~bit);
      break;
    }
    case 4: {
      int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(0xF << shift)) | (index & 0xF) << shift);
      break;
    }
    default:
      row[x] = static_cast<uint8_t>(index);
      break;
  }
}

// One colour channel described by a mask of contiguous bits.
struct Channel {
  int shift = 0;
  uint32_t max = 0;  // the mask shifted down; 0 for an absent channel

  explicit Channel(uint32_t mask = 0) {
    if (mask != 0) {
      shift = std::countr_zero(mask);
      max = mask >> shift;
    }
  }
  // The channel of value v scaled to 0..255 (rounded), 0 when absent.
  uint32_t to8(uint32_t v) const {
    if (max == 0) return 0;
    uint64_t c = (v >> shift) & max;
    return static_cast<uint32_t>((c * 255 + max / 2) / max);
  }
  uint32_t from8(uint32_t c8) const {
    return static_cast<uint32_t>((static_cast<uint64_t>(c8) * max + 127) / 255) << shift;
  }
};

inline uint32_t from16(uint32_t v, ChannelMasks m) {
  return Channel(m.red).to8(v) << 16 | Channel(m.green).to8(v) << 8 | Channel(m.blue).to8(v);
}

inline uint32_t to16(uint32_t rgb, ChannelMasks m) {
  return Channel(m.red).from8((rgb >> 16) & 0xFF) | Channel(m.green).from8((rgb >> 8) & 0xFF) |
         Channel(m.blue).from8(rgb & 0xFF);
}

}  // namespace picture::pixelops
