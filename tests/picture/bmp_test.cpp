// Reading and writing BMP files: formats, headers, RLE, damage and absurd sizes.
#include <gtest/gtest.h>

#include "picture/bmp.h"
#include "support.h"

namespace {

using picture::Bitmap;
using testsupport::BmpFields;
using testsupport::makeBmp;

Bitmap read(const std::vector<uint8_t>& f) { return picture::readBmp(f.data(), f.size()); }

// Indexes of one row of a palette bitmap, left to right.
std::vector<int> indexes(const Bitmap& b, int y) {
  std::vector<int> out;
  for (int x = 0; x < b.width(); ++x) {
    int bpp = b.bitsPerPixel();
    const uint8_t* r = b.row(y);
    out.push_back(bpp == 8 ? r[x] : (r[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
  }
  return out;
}

Bitmap patterned(int width, int height, int bpp, std::vector<uint32_t> palette = {},
                 picture::ChannelMasks masks = picture::kMasks555, bool alpha = false) {
  Bitmap b = alpha       ? Bitmap::createRgba(width, height)
             : bpp == 16 ? Bitmap::create16(width, height, masks)
                         : Bitmap::create(width, height, bpp, palette);
  for (int y = 0; y < height; ++y) {
    uint8_t* r = b.mutableRow(y);
    for (size_t i = 0; i < (static_cast<size_t>(width) * bpp + 7) / 8; ++i)
      r[i] = static_cast<uint8_t>(i * 37 + y * 11 + 5);
  }
  return b;
}

TEST(BmpWriter, EveryFormatReadsBackAsItWasWritten) {
  std::vector<uint32_t> two = {0x000000, 0xFFFFFF}, five = {1, 2, 3, 4, 5}, full(256);
  for (int i = 0; i < 256; ++i) full[i] = static_cast<uint32_t>(i * 0x010203);
  for (int width = 1; width <= 9; ++width) {
    SCOPED_TRACE(width);
    std::vector<Bitmap> all = {patterned(width, 3, 1, two),
                               patterned(width, 3, 4, five),
                               patterned(width, 3, 8, full),
                               patterned(width, 3, 16),
                               patterned(width, 3, 16, {}, picture::kMasks565),
                               patterned(width, 3, 16, {}, {0x0030, 0x000E, 0x0001}),
                               patterned(width, 3, 24),
                               patterned(width, 3, 32),
                               patterned(width, 3, 32, {}, {}, true)};
    for (const Bitmap& b : all) {
      std::vector<uint8_t> file = picture::writeBmp(b);
      size_t header = b.hasAlpha()                                                ? 124
                      : b.bitsPerPixel() == 16 && b.masks() != picture::kMasks555 ? 52
                                                                                  : 40;
      EXPECT_EQ(file.size(), 14 + header + 4 * b.palette().size() + b.byteCount());
      Bitmap back = read(file);
      EXPECT_TRUE(back == b) << "bpp " << b.bitsPerPixel();
      EXPECT_EQ(back.palette().size(), b.palette().size());
      std::vector<uint8_t> dib = picture::writeDib(b);
      EXPECT_TRUE(picture::readDib(dib.data(), dib.size()) == b);
    }
  }
  EXPECT_THROW(picture::writeBmp(Bitmap()), std::invalid_argument);
}

TEST(BmpWriter, WritesBottomUpWithAnInfoHeader) {
  Bitmap b = Bitmap::create(2, 2, 24);
  b.setPixel(0, 0, 0x112233);  // top left
  std::vector<uint8_t> f = picture::writeBmp(b);
  ASSERT_EQ(f.size(), 14u + 40 + 2 * 8);
  EXPECT_EQ(f[14], 40);
  EXPECT_EQ(f[22], 2);         // positive height: bottom-up
  EXPECT_EQ(f[54 + 8], 0x33);  // the top row is the last in the file
  EXPECT_EQ(f[54 + 8 + 2], 0x11);
}

TEST(BmpReader, EveryHeaderKindGivesTheSamePicture) {
  std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  std::vector<uint8_t> bits = {0x01, 0x20, 0, 0, 0x32, 0x10, 0, 0};  // 3x2, 4 bpp
  Bitmap reference;
  for (uint32_t header : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u}) {
    SCOPED_TRACE(header);
    BmpFields s;
    s.headerSize = header;
    s.width = 3, s.height = 2, s.bpp = 4;
    s.palette = palette;
    s.colorsUsed = header == 12 ? 0 : 4;
    s.bits = bits;
    if (header == 12 || header == 16) {  // no colour count field: 16 entries
      s.palette.resize(16, 0);
    }
    Bitmap b = read(makeBmp(s));
    EXPECT_EQ(b.pixel(0, 1), 0xFF0000u);
    EXPECT_EQ(b.pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(b.pixel(0, 0), 0xFFFFFFu);
    if (reference.empty()) reference = b.toRgb32();
    EXPECT_TRUE(b.toRgb32() == reference);
  }
}

TEST(BmpReader, TopDownRowsAndBitFields) {
  BmpFields s;
  s.width = 1, s.height = -2, s.bpp = 16, s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.bits = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0};  // red, then green, top first
  Bitmap b = read(makeBmp(s));
  EXPECT_EQ(b.bitsPerPixel(), 16);
  EXPECT_EQ(b.pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(b.pixel(0, 1), 0x00FF00u);

  // Masks a 16-bit bitmap cannot keep (an empty channel) and 10-bit 32-bit
  // fields both become 32 bpp, scaled with rounding.
  s.height = 1, s.masks = {0x0F00, 0x00F0, 0};
  s.bits = {0x80, 0x0F, 0, 0};
  b = read(makeBmp(s));
  EXPECT_EQ(b.bitsPerPixel(), 32);
  EXPECT_EQ(b.pixel(0, 0), 0xFF8800u);
  s.bpp = 32, s.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  s.bits = {0xFF, 0x03, 0xC8, 0x3F};  // blue 1023, green 512, red 1020
  EXPECT_EQ(read(makeBmp(s)).pixel(0, 0), 0xFE80FFu);
}

TEST(BmpReader, PalettesShortLongAndTwoBit) {
  BmpFields s;
  s.width = 4, s.height = 1, s.bpp = 8, s.colorsUsed = 2;
  s.palette = {0x123456, 0xABCDEF};
  s.bits = {0, 1, 2, 255};
  Bitmap b = read(makeBmp(s));
  EXPECT_EQ(b.pixel(1, 0), 0xABCDEFu);
  EXPECT_EQ(b.pixel(2, 0), 0u);  // past the palette: black
  EXPECT_EQ(b.palette().size(), 2u);

  s.colorsUsed = 257;  // more colours than 8 bits can index
  EXPECT_BITMAP_ERROR(read(makeBmp(s)));

  s.bpp = 2, s.colorsUsed = 4, s.palette = {0, 0x111111, 0x222222, 0x333333};
  s.bits = {0x1B, 0, 0, 0};  // indexes 0 1 2 3
  b = read(makeBmp(s));
  EXPECT_EQ(b.bitsPerPixel(), 4);
  EXPECT_EQ(b.pixel(3, 0), 0x333333u);
}

TEST(BmpReader, MalformedHeadersAreRefused) {
  BmpFields good;
  good.width = 2, good.height = 2, good.bits.assign(16, 0);
  ASSERT_NO_THROW(read(makeBmp(good)));
  auto refused = [&](auto change) {
    BmpFields s = good;
    change(s);
    return testsupport::errorText([&] { read(makeBmp(s)); }) == picture::messages::kBadBitmap;
  };
  EXPECT_TRUE(refused([](BmpFields& s) { s.planes = 2; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.bpp = 3; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.bpp = 64; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 4; }));  // JPEG
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 1; }));  // RLE8 needs 8 bpp
  EXPECT_TRUE(refused([](BmpFields& s) { s.width = -2; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.height = 0; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.height = INT32_MIN; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.headerSize = 66; }));
  EXPECT_TRUE(
      refused([](BmpFields& s) { s.headerSize = 64, s.compression = 3, s.bpp = 16; }));  // OS/2 Huffman
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 3, s.masks = {0xF0F0, 0x0F00, 0x000F}; }));  // gaps
  EXPECT_TRUE(refused([](BmpFields& s) {
    s.compression = 3, s.masks = {0xFF0000, 0x01FF00, 0xFF};
  }));  // overlap
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 3, s.masks = {0, 0, 0}; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.bits.resize(11); }));   // the last row short of pixels
  EXPECT_FALSE(refused([](BmpFields& s) { s.bits.resize(14); }));  // only its padding missing

  std::vector<uint8_t> f = makeBmp(good);
  f[10] = 20;  // pixels said to start inside the header
  EXPECT_BITMAP_ERROR(read(f));
  f[0] = 'M';
  EXPECT_BITMAP_ERROR(read(f));
}

TEST(BmpReader, EveryTruncationOfAFileIsRefusedOrDecoded) {
  BmpFields plain;
  plain.width = 5, plain.height = 3, plain.bpp = 8, plain.palette = {1, 2, 3};
  plain.colorsUsed = 3, plain.bits.assign(24, 1);
  std::vector<uint8_t> full = makeBmp(plain);
  for (size_t n = 0; n < full.size() - 3; ++n) EXPECT_BITMAP_ERROR(picture::readBmp(full.data(), n)) << n;

  BmpFields rle = plain;
  rle.compression = 1, rle.bits = {3, 1, 0, 2, 1, 1, 2, 2, 0, 0, 0, 3, 1, 2, 1, 0, 0, 1};
  full = makeBmp(rle);
  for (size_t n = 0; n <= full.size(); ++n) {
    std::string error = testsupport::errorText([&] { picture::readBmp(full.data(), n); });
    EXPECT_TRUE(error.empty() || error == picture::messages::kBadBitmap) << n;
  }
}

TEST(BmpReader, Rle8RunsDeltasLiteralsAndClipping) {
  BmpFields s;
  s.width = 6, s.height = 4, s.bpp = 8, s.compression = 1, s.colorsUsed = 8, s.palette.assign(8, 0);
  s.bits = {3, 1,              // three 1s on the bottom row
            0, 2, 1, 1,        // delta to x 4 of the row above
            4, 2,              // four 2s: two fit, two are clipped
            0, 0,              // end of line
            0, 3, 5, 6, 7, 0,  // three literal pixels, padded to a word
            0, 0, 0, 1};       // end of line, end of bitmap
  Bitmap b = read(makeBmp(s));
  EXPECT_EQ(indexes(b, 0), (std::vector<int>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(indexes(b, 1), (std::vector<int>{5, 6, 7, 0, 0, 0}));
  EXPECT_EQ(indexes(b, 2), (std::vector<int>{0, 0, 0, 0, 2, 2}));
  EXPECT_EQ(indexes(b, 3), (std::vector<int>{1, 1, 1, 0, 0, 0}));

  // A delta past the top, and data with no end mark, just stop.
  s.bits = {2, 3, 0, 2, 0, 200, 2, 4};
  b = read(makeBmp(s));
  EXPECT_EQ(indexes(b, 3), (std::vector<int>{3, 3, 0, 0, 0, 0}));
  s.bits = {2, 3, 0, 0, 6, 4};
  b = read(makeBmp(s));
  EXPECT_EQ(indexes(b, 2), (std::vector<int>{4, 4, 4, 4, 4, 4}));

  s.height = -4;  // compressed rows cannot run top-down
  EXPECT_BITMAP_ERROR(read(makeBmp(s)));
}

TEST(BmpReader, Rle4AlternatesNibbles) {
  BmpFields s;
  s.width = 7, s.height = 2, s.bpp = 4, s.compression = 2, s.colorsUsed = 16, s.palette.assign(16, 0);
  s.bits = {5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1};
  Bitmap b = read(makeBmp(s));
  EXPECT_EQ(b.bitsPerPixel(), 4);
  EXPECT_EQ(indexes(b, 1), (std::vector<int>{1, 2, 1, 2, 1, 0, 0}));
  EXPECT_EQ(indexes(b, 0), (std::vector<int>{3, 4, 5, 6, 7, 0, 0}));
}

TEST(BmpReader, HugeClaimsInSmallFilesAreRefusedBeforeAllocating) {
  // 8000x8000 RLE is within the bitmap size limit, but far beyond what 150
  // bytes of RLE can describe.
  for (auto [side, compression] : {std::pair{100000, 0u}, {100000, 1u}, {8000, 1u}}) {
    SCOPED_TRACE(side);
    BmpFields s;
    s.width = side, s.height = side, s.bpp = compression ? 8 : 24, s.compression = compression;
    if (compression) s.palette.assign(2, 0), s.colorsUsed = 2;
    s.bits.assign(150, 0);
    testsupport::AllocationProbe probe;
    EXPECT_BITMAP_ERROR(read(makeBmp(s)));
    EXPECT_LT(probe.largest(), size_t{64} << 10);
  }
}

}  // namespace
