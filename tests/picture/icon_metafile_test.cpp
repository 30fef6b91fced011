// Icons (.ico) and metafiles (.wmf, .emf).
#include <gtest/gtest.h>

#include "picture/icon.h"
#include "picture/metafile.h"
#include "support.h"

namespace {

using picture::Bitmap;
using testsupport::put;

// One BMP-encoded icon image: header (double height), palette, XOR rows, AND rows.
std::vector<uint8_t> iconImage(int w, int h, int bpp, const std::vector<uint32_t>& palette,
                               const std::vector<uint8_t>& xorRows, const std::vector<uint8_t>& andRows) {
  std::vector<uint8_t> d;
  put(d, 40, 4), put(d, w, 4), put(d, 2 * h, 4), put(d, 1, 2), put(d, bpp, 2);
  put(d, 0, 4), put(d, 0, 4), put(d, 0, 8), put(d, static_cast<uint32_t>(palette.size()), 4), put(d, 0, 4);
  for (uint32_t c : palette) put(d, c, 4);
  d.insert(d.end(), xorRows.begin(), xorRows.end());
  d.insert(d.end(), andRows.begin(), andRows.end());
  return d;
}

std::vector<uint8_t> ico(const std::vector<std::vector<uint8_t>>& images) {
  std::vector<uint8_t> f;
  put(f, 0, 2), put(f, 1, 2), put(f, static_cast<uint32_t>(images.size()), 2);
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const auto& img : images) {
    put(f, 0, 4), put(f, 1, 2), put(f, 32, 2), put(f, static_cast<uint32_t>(img.size()), 4),
        put(f, offset, 4);
    offset += static_cast<uint32_t>(img.size());
  }
  for (const auto& img : images) f.insert(f.end(), img.begin(), img.end());
  return f;
}

Bitmap readIcon(const std::vector<uint8_t>& f) { return picture::readIcon(f.data(), f.size()); }

// 2x2, 1 bpp: top row black/white, bottom white/black; mask hides the top left.
std::vector<uint8_t> monoImage() {
  return iconImage(2, 2, 1, {0x000000, 0xFFFFFF}, {0x80, 0, 0, 0, 0x40, 0, 0, 0},
                   {0, 0, 0, 0, 0x80, 0, 0, 0});
}

TEST(Icon, MaskGivesTransparencyAndXorGivesColour) {
  Bitmap b = readIcon(ico({monoImage()}));
  ASSERT_EQ(b.width(), 2);
  ASSERT_EQ(b.height(), 2);
  EXPECT_TRUE(b.hasAlpha());
  EXPECT_EQ(b.alpha(0, 0), 0);
  EXPECT_EQ(b.alpha(1, 0), 255);
  EXPECT_EQ(b.pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(b.pixel(0, 1), 0xFFFFFFu);
  EXPECT_EQ(b.pixel(1, 1), 0x000000u);
}

TEST(Icon, ThirtyTwoBitAlphaWinsOverTheMask) {
  std::vector<uint8_t> xorRows = {0x10, 0x20, 0x30, 0x80};  // 1x1, half transparent
  Bitmap b = readIcon(ico({iconImage(1, 1, 32, {}, xorRows, {0x80, 0, 0, 0})}));
  EXPECT_EQ(b.pixel(0, 0), 0x302010u);
  EXPECT_EQ(b.alpha(0, 0), 0x80);
  // Without the mask a 32-bit image still has its alpha; others need the mask.
  EXPECT_NO_THROW(readIcon(ico({iconImage(1, 1, 32, {}, xorRows, {})})));
  std::vector<uint8_t> noMask = monoImage();
  noMask.resize(noMask.size() - 8);
  EXPECT_EQ(testsupport::errorText([&] { readIcon(ico({noMask})); }), picture::messages::kBadIcon);
}

TEST(Icon, PicksTheLargestBmpImage) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0};
  std::vector<uint8_t> xorRows(12, 0);  // 3x2, 24 bpp: bottom row black, then the top row
  for (uint8_t v = 1; v <= 9; ++v) xorRows.push_back(v);
  xorRows.resize(24, 0);
  std::vector<uint8_t> big = iconImage(3, 2, 24, {}, xorRows, std::vector<uint8_t>(8, 0));
  Bitmap b = readIcon(ico({monoImage(), png, big}));
  EXPECT_EQ(b.width(), 3);
  EXPECT_EQ(b.pixel(2, 0), 0x090807u);
  EXPECT_EQ(testsupport::errorText([&] { readIcon(ico({png})); }), picture::messages::kBadIcon);
}

TEST(Icon, DamagedFilesAreRefused) {
  std::vector<uint8_t> good = ico({monoImage()});
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_EQ(testsupport::errorText([&] { picture::readIcon(good.data(), n); }), picture::messages::kBadIcon)
        << n;
  auto refused = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> f = good;
    f[at] = value;
    return testsupport::errorText([&] { readIcon(f); }) == picture::messages::kBadIcon;
  };
  EXPECT_TRUE(refused(2, 3));        // not an icon or cursor
  EXPECT_TRUE(refused(4, 0));        // no images
  EXPECT_TRUE(refused(4, 200));      // more directory than file
  EXPECT_TRUE(refused(18, 0xF0));    // image past the end
  EXPECT_TRUE(refused(22 + 8, 3));   // odd double height
  EXPECT_TRUE(refused(22 + 16, 1));  // compressed
}

std::vector<uint8_t> wmf(bool placeable, bool withExtent = true) {
  std::vector<uint8_t> f;
  if (placeable) {
    put(f, 0x9AC6CDD7, 4), put(f, 0, 2), put(f, 0, 4), put(f, 600, 2), put(f, 400, 2), put(f, 1440, 2);
    put(f, 0, 4), put(f, 0, 2);
  }
  put(f, 1, 2), put(f, 9, 2), put(f, 0x300, 2), put(f, 0, 4), put(f, 0, 2), put(f, 5, 4), put(f, 0, 2);
  if (withExtent) put(f, 5, 4), put(f, 0x020C, 2), put(f, 40, 2), put(f, 60, 2);  // SetWindowExt y, x
  put(f, 3, 4), put(f, 0, 2);                                                     // EOF
  return f;
}

std::vector<uint8_t> emf(int frameRight, int frameBottom) {
  std::vector<uint8_t> f;
  put(f, 1, 4), put(f, 88, 4);
  for (int v : {0, 0, 99, 49, 0, 0, frameRight, frameBottom}) put(f, static_cast<uint32_t>(v), 4);
  put(f, 0x464D4520, 4), put(f, 0x10000, 4), put(f, 108, 4), put(f, 2, 4);
  f.resize(88, 0);
  put(f, 14, 4), put(f, 20, 4), put(f, 0, 4), put(f, 16, 4), put(f, 20, 4);  // EOF record
  return f;
}

picture::MetafileInfo readMeta(const std::vector<uint8_t>& f) {
  return picture::readMetafile(f.data(), f.size());
}

TEST(Metafile, SizesFollowTheHeaders) {
  picture::MetafileInfo placeable = readMeta(wmf(true));
  EXPECT_FALSE(placeable.enhanced);
  EXPECT_EQ(placeable.width, 40);   // 600 twips at 96 DPI
  EXPECT_EQ(placeable.height, 27);  // 26.7 rounded
  picture::MetafileInfo plain = readMeta(wmf(false));
  EXPECT_EQ(plain.width, 60);
  EXPECT_EQ(plain.height, 40);
  EXPECT_EQ(readMeta(wmf(false, false)).width, 0);

  picture::MetafileInfo e = readMeta(emf(2645, 1322));
  EXPECT_TRUE(e.enhanced);
  EXPECT_EQ(e.width, 100);
  EXPECT_EQ(e.height, 50);
  picture::MetafileInfo bounds = readMeta(emf(0, 0));  // empty frame: device bounds
  EXPECT_EQ(bounds.width, 100);
  EXPECT_EQ(bounds.height, 50);
}

TEST(Metafile, DamagedFilesAreRefused) {
  for (const auto& good : {wmf(true), wmf(false), emf(2645, 1322)}) {
    for (size_t n = 0; n < good.size(); ++n)
      EXPECT_EQ(testsupport::errorText([&] { picture::readMetafile(good.data(), n); }),
                picture::messages::kBadMetafile)
          << n;
  }
  auto refused = [](std::vector<uint8_t> f, size_t at, uint8_t value) {
    f[at] = value;
    return testsupport::errorText([&] { readMeta(f); }) == picture::messages::kBadMetafile;
  };
  EXPECT_TRUE(refused(wmf(false), 2, 8));      // header words
  EXPECT_TRUE(refused(wmf(false), 18, 0));     // a record of no size
  EXPECT_TRUE(refused(wmf(false), 18, 0xFF));  // a record past the end
  EXPECT_TRUE(refused(wmf(false), 32, 1));     // the last record is not end-of-file
  std::vector<uint8_t> noInch = wmf(true);
  noInch[14] = noInch[15] = 0;
  EXPECT_EQ(testsupport::errorText([&] { readMeta(noInch); }), picture::messages::kBadMetafile);
  EXPECT_TRUE(refused(emf(10, 10), 88, 1));    // no EMR_EOF
  EXPECT_TRUE(refused(emf(10, 10), 92, 6));    // misaligned record
  EXPECT_TRUE(refused(emf(10, 10), 48, 200));  // longer than the file
}

}  // namespace
