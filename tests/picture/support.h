#pragma once
// Helpers shared by the picture tests: files, hand-made BMPs, error checks,
// and a probe that records the largest allocation.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture/errors.h"

namespace testsupport {

inline std::vector<uint8_t> readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs f and returns the base::Error text it threw ("" if none).
template <class F>
std::string errorText(F&& f) {
  try {
    f();
  } catch (const base::Error& e) {
    return e.what();
  }
  return "";
}

// A BMP file put together field by field, to make the odd and broken ones.
struct BmpFields {
  uint32_t headerSize = 40;
  int32_t width = 1, height = 1;
  uint16_t planes = 1, bpp = 24;
  uint32_t compression = 0, colorsUsed = 0;
  std::vector<uint32_t> masks;    // in the header from 52 bytes on, else after it
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> bits;
};

inline void put(std::vector<uint8_t>& v, uint64_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(i < 8 ? static_cast<uint8_t>(x >> (8 * i)) : 0);
}

inline std::vector<uint8_t> makeBmp(const BmpFields& s) {
  bool core = s.headerSize == 12;
  size_t maskBytes = s.headerSize >= 52 ? 0 : 4 * s.masks.size();
  size_t entry = core ? 3 : 4;
  uint32_t offset = static_cast<uint32_t>(14 + s.headerSize + maskBytes + entry * s.palette.size());
  std::vector<uint8_t> f{'B', 'M'};
  put(f, offset + static_cast<uint32_t>(s.bits.size()), 4);
  put(f, 0, 4);
  put(f, offset, 4);
  std::vector<uint8_t> h;
  put(h, s.headerSize, 4);
  if (core) {
    put(h, static_cast<uint32_t>(s.width), 2);
    put(h, static_cast<uint32_t>(s.height), 2);
    put(h, s.planes, 2);
    put(h, s.bpp, 2);
  } else {
    put(h, static_cast<uint32_t>(s.width), 4);
    put(h, static_cast<uint32_t>(s.height), 4);
    put(h, s.planes, 2);
    put(h, s.bpp, 2);
    put(h, s.compression, 4);
    put(h, static_cast<uint32_t>(s.bits.size()), 4);
    put(h, 0, 8);
    put(h, s.colorsUsed, 4);
    put(h, 0, 4);
    if (s.headerSize >= 52)
      for (uint32_t m : s.masks) put(h, m, 4);
  }
  h.resize(s.headerSize, 0);
  f.insert(f.end(), h.begin(), h.end());
  if (maskBytes)
    for (uint32_t m : s.masks) put(f, m, 4);
  for (uint32_t c : s.palette) put(f, c, static_cast<int>(entry));
  f.insert(f.end(), s.bits.begin(), s.bits.end());
  return f;
}

// While alive, records the largest single operator new request.
class AllocationProbe {
 public:
  AllocationProbe();
  ~AllocationProbe();
  size_t largest() const;
};

}  // namespace testsupport

#define EXPECT_BITMAP_ERROR(stmt) \
  EXPECT_EQ(testsupport::errorText([&] { stmt; }), picture::messages::kBadBitmap)
