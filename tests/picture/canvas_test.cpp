// The drawing surface of the portable renderer, and stretching.
#include <gtest/gtest.h>

#include <climits>

#include "picture/canvas.h"
#include "picture/stretch.h"

namespace {

using picture::Bitmap;
using picture::Canvas;

// A 2x2 bitmap: red green / blue white.
Bitmap quad(int bpp = 24) {
  std::vector<uint32_t> palette;
  if (bpp <= 8) palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  Bitmap b = Bitmap::create(2, 2, bpp, palette);
  b.setPixel(0, 0, 0xFF0000);
  b.setPixel(1, 0, 0x00FF00);
  b.setPixel(0, 1, 0x0000FF);
  b.setPixel(1, 1, 0xFFFFFF);
  return b;
}

TEST(Canvas, DrawingStaysInsideClipAndCanvas) {
  Canvas c(4, 3, 0x111111);
  c.setClip({1, 0, 10, 2});
  c.fillRect({INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX}, 0xABCDEF);
  EXPECT_EQ(c.pixel(0, 0), 0x111111u);
  EXPECT_EQ(c.pixel(1, 0), 0xABCDEFu);
  EXPECT_EQ(c.pixel(3, 1), 0xABCDEFu);
  EXPECT_EQ(c.pixel(3, 2), 0x111111u);

  c.resetClip();
  c.hLine(-5, 2, 7, 0x010101);  // x -5..1
  c.vLine(3, 1, 100, 0x020202);
  c.setPixel(4, 0, 0x030303);
  EXPECT_EQ(c.pixel(1, 2), 0x010101u);
  EXPECT_EQ(c.pixel(2, 2), 0x111111u);
  EXPECT_EQ(c.pixel(3, 2), 0x020202u);
  EXPECT_EQ(c.pixels()[2 * 4 + 0], 0x010101u);  // top-down rows of width values

  c.resize(2, 2, 0xFF000005);  // only colour bits kept, clip reset
  EXPECT_EQ(c.pixel(1, 1), 5u);
  EXPECT_EQ(c.clip(), (picture::Rect{0, 0, 2, 2}));
}

TEST(Canvas, DrawBitmapStretchesMirrorsAndClips) {
  for (int bpp : {4, 16, 24, 32}) {
    SCOPED_TRACE(bpp);
    Canvas c(4, 4);
    c.drawBitmap(quad(bpp), {0, 0, 4, 4});
    EXPECT_EQ(c.pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(c.pixel(2, 1), 0x00FF00u);
    EXPECT_EQ(c.pixel(1, 2), 0x0000FFu);
    EXPECT_EQ(c.pixel(3, 3), 0xFFFFFFu);
  }
  Canvas m(2, 2);
  m.drawBitmap(quad(), {2, 2, -2, -2});  // mirrored both ways
  EXPECT_EQ(m.pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(m.pixel(1, 1), 0xFF0000u);

  Canvas k(3, 3, 0x777777);
  k.setClip({1, 1, 2, 2});
  k.drawBitmap(quad(), {0, 0, 2, 2});
  EXPECT_EQ(k.pixel(0, 0), 0x777777u);
  EXPECT_EQ(k.pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(k.pixel(2, 2), 0x777777u);
}

TEST(Canvas, AlphaBitmapsAndGlyphMasksBlend) {
  Bitmap icon = Bitmap::createRgba(3, 1);
  for (int x = 0; x < 3; ++x) icon.setPixel(x, 0, 0xFFFFFF);
  icon.setAlpha(0, 0, 0);
  icon.setAlpha(1, 0, 128);
  Canvas c(3, 1, 0x000000);
  c.drawBitmap(icon, {0, 0, 3, 1});
  EXPECT_EQ(c.pixel(0, 0), 0x000000u);
  EXPECT_EQ(c.pixel(1, 0), 0x808080u);
  EXPECT_EQ(c.pixel(2, 0), 0xFFFFFFu);

  const uint8_t glyph[2][3] = {{0, 255, 9}, {51, 0, 9}};  // 2x2 used, stride 3
  Canvas t(3, 3, 0x0000FF);
  t.setClip({0, 0, 3, 2});
  t.blendMask(1, 0, 2, 3, &glyph[0][0], 3, 0xFF0000);  // third row clipped away
  EXPECT_EQ(t.pixel(1, 0), 0x0000FFu);
  EXPECT_EQ(t.pixel(2, 0), 0xFF0000u);
  EXPECT_EQ(t.pixel(1, 1), 0x3300CCu);
  EXPECT_EQ(t.pixel(0, 0), 0x0000FFu);

  Bitmap shot = t.toBitmap();
  EXPECT_EQ(shot.bitsPerPixel(), 32);
  EXPECT_EQ(shot.pixel(1, 1), 0x3300CCu);
}

TEST(Stretch, KeepsDirectFormatsAndSamplesCentres) {
  Bitmap big = picture::stretch(quad(24), 4, 2);
  EXPECT_EQ(big.bitsPerPixel(), 24);
  EXPECT_EQ(big.pixel(1, 0), 0xFF0000u);
  EXPECT_EQ(big.pixel(2, 1), 0xFFFFFFu);
  Bitmap small = picture::stretch(quad(4), 1, 1);
  EXPECT_EQ(small.bitsPerPixel(), 32);
  EXPECT_EQ(small.pixel(0, 0), 0xFFFFFFu);  // the centre falls on the bottom right
  EXPECT_TRUE(picture::stretch(quad(), 0, 3).empty());
  Bitmap alpha = Bitmap::createRgba(2, 2);
  EXPECT_TRUE(picture::stretch(alpha, 3, 3).hasAlpha());
}

// Hit tests and frames in the toolkit lean on these: a point on the right
// or bottom edge is outside, an inset past the middle leaves an empty
// rectangle, and rectangles near the int range still meet correctly.
TEST(Rect, ContainsOffsetInsetIntersect) {
  picture::Rect r{10, 20, 30, 40};
  EXPECT_TRUE(r.contains(10, 20));
  EXPECT_TRUE(r.contains(39, 59));
  EXPECT_FALSE(r.contains(40, 30));
  EXPECT_FALSE(r.contains(20, 60));
  EXPECT_FALSE(r.contains(9, 30));
  EXPECT_FALSE(picture::Rect{}.contains(0, 0));
  EXPECT_EQ(r.offset(-10, 5), (picture::Rect{0, 25, 30, 40}));
  EXPECT_EQ(r.inset(2), (picture::Rect{12, 22, 26, 36}));
  EXPECT_EQ(r.inset(-1), (picture::Rect{9, 19, 32, 42}));
  EXPECT_TRUE(r.inset(15).empty());
  EXPECT_EQ(r.intersect({30, 50, 100, 100}), (picture::Rect{30, 50, 10, 10}));
  EXPECT_TRUE(r.intersect({40, 20, 5, 5}).empty());
  picture::Rect far{INT_MAX - 10, INT_MAX - 10, 100, 100};
  EXPECT_EQ(far.intersect({INT_MAX - 5, INT_MAX - 5, 100, 100}),
            (picture::Rect{INT_MAX - 5, INT_MAX - 5, 95, 95}));
}

}  // namespace
