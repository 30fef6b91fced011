// Bitmap storage, pixel access and copy-on-write.
#include <gtest/gtest.h>

#include "picture/bitmap.h"

namespace {

using picture::Bitmap;

TEST(Bitmap, CopiesSharePixelsUntilOneIsWritten) {
  Bitmap a = Bitmap::create(4, 3, 24);
  a.setPixel(1, 1, 0x102030);
  Bitmap b = a;
  Bitmap c;
  c = b;
  EXPECT_TRUE(b.sharesPixelsWith(a));
  EXPECT_TRUE(c.sharesPixelsWith(a));
  (void)static_cast<const Bitmap&>(b).row(0);  // reading does not detach
  EXPECT_TRUE(b.sharesPixelsWith(a));

  b.setPixel(1, 1, 0xFFFFFF);
  EXPECT_FALSE(b.sharesPixelsWith(a));
  EXPECT_TRUE(c.sharesPixelsWith(a));
  EXPECT_EQ(a.pixel(1, 1), 0x102030u);
  EXPECT_EQ(b.pixel(1, 1), 0xFFFFFFu);

  c.mutableRow(2)[0] = 7;  // a writable row detaches too
  EXPECT_FALSE(c.sharesPixelsWith(a));
  EXPECT_EQ(a.row(2)[0], 0);
  EXPECT_FALSE(Bitmap().sharesPixelsWith(Bitmap()));
}

TEST(Bitmap, PixelsInEveryFormat) {
  Bitmap pal = Bitmap::create(9, 2, 4, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
  pal.setPixel(8, 1, 0x00FF00);  // exact entry
  pal.setPixel(7, 1, 0xE01010);  // nearest: red
  EXPECT_EQ(pal.pixel(8, 1), 0x00FF00u);
  EXPECT_EQ(pal.pixel(7, 1), 0xFF0000u);
  EXPECT_EQ(pal.row(1)[4] >> 4, 2);
  EXPECT_EQ(pal.row(1)[3] & 0xF, 1);

  Bitmap mono = Bitmap::create(10, 1, 1);  // default palette: black, white
  mono.setPixel(9, 0, 0xFFFFFF);
  EXPECT_EQ(mono.row(0)[1], 0x40);
  EXPECT_EQ(mono.pixel(9, 0), 0xFFFFFFu);

  Bitmap hi = Bitmap::create16(2, 1, picture::kMasks565);
  hi.setPixel(0, 0, 0xFF8000);
  EXPECT_EQ(hi.row(0)[0] | hi.row(0)[1] << 8, 0xFC00);
  EXPECT_EQ(hi.pixel(0, 0), 0xFF8200u);  // 6-bit green 32 scales back to 130

  Bitmap rgba = Bitmap::createRgba(1, 1);
  EXPECT_EQ(rgba.alpha(0, 0), 0);
  rgba.setPixel(0, 0, 0x123456);
  EXPECT_EQ(rgba.alpha(0, 0), 255);
  rgba.setAlpha(0, 0, 9);
  uint32_t argb = 0;
  rgba.rowToRgb32(0, &argb);
  EXPECT_EQ(argb, 0x09123456u);

  // Out of range reads give 0 and writes do nothing.
  EXPECT_EQ(pal.pixel(9, 0), 0u);
  EXPECT_EQ(pal.pixel(-1, 0), 0u);
  pal.setPixel(0, 2, 0xFFFFFF);
  EXPECT_THROW(pal.row(2), std::out_of_range);
}

TEST(Bitmap, EqualityLooksAtPixelsNotPadding) {
  Bitmap a = Bitmap::create(3, 2, 24);
  Bitmap b = Bitmap::create(3, 2, 24);
  b.mutableRow(0)[9] = 0xAA;  // row padding
  EXPECT_TRUE(a == b);
  b.setPixel(2, 1, 1);
  EXPECT_FALSE(a == b);

  Bitmap x = Bitmap::create(1, 1, 32), y = Bitmap::create(1, 1, 32);
  y.mutableRow(0)[3] = 0xFF;  // the unused fourth byte
  EXPECT_TRUE(x == y);
  EXPECT_FALSE(Bitmap::create(1, 1, 8, {1, 2}) == Bitmap::create(1, 1, 8, {1, 3}));
  EXPECT_FALSE(Bitmap::create(1, 1, 32) == Bitmap::createRgba(1, 1));
  EXPECT_FALSE(Bitmap::create(1, 1, 16) == Bitmap::create16(1, 1, picture::kMasks565));
}

TEST(Bitmap, ToRgb32AndCreateChecks) {
  Bitmap pal = Bitmap::create(2, 1, 8, {0x445566, 0x778899});
  pal.mutableRow(0)[1] = 1;
  Bitmap rgb = pal.toRgb32();
  EXPECT_EQ(rgb.bitsPerPixel(), 32);
  EXPECT_EQ(rgb.pixel(0, 0), 0x445566u);
  EXPECT_EQ(rgb.pixel(1, 0), 0x778899u);
  EXPECT_EQ(Bitmap::create(1, 1, 4).palette().size(), 16u);
  EXPECT_EQ(Bitmap::create(1, 1, 4).palette()[15], 0xFFFFFFu);

  EXPECT_THROW(Bitmap::create(1, 1, 7), std::invalid_argument);
  EXPECT_THROW(Bitmap::create(1, 1, 1, {1, 2, 3}), std::invalid_argument);
  EXPECT_THROW(Bitmap::create(1, 1, 24, {1}), std::invalid_argument);
  EXPECT_THROW(Bitmap::create(-1, 1, 24), std::invalid_argument);
  EXPECT_THROW(Bitmap::create(100000, 100000, 24), std::invalid_argument);
  EXPECT_THROW(Bitmap::create16(1, 1, {0xF800, 0x0FE0, 0x1F}), std::invalid_argument);
  EXPECT_TRUE(Bitmap::create(0, 5, 24).empty());
}

}  // namespace
