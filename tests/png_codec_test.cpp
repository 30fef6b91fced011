// The headless PNG codec: what it writes comes back pixel for pixel, what
// ImageMagick and Pillow write reads as they read it themselves, and a
// damaged or oversized file is refused in the program's words.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "platform/headless/services.h"

#ifndef MIRUNE_PNG_DATA_DIR
#error MIRUNE_PNG_DATA_DIR names the folder of the PNG test files
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 |
         b[at + 3];
}

void putBe32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Where the chunk of this type starts (its length field), or npos.
std::size_t findChunk(const Bytes& png, const char* type) {
  for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + be32(png, at))
    if (std::equal(type, type + 4, png.begin() + static_cast<std::ptrdiff_t>(at + 4))) return at;
  return std::string::npos;
}

std::string errorOf(headless::PngCodec& codec, const Bytes& bytes) {
  try {
    codec.decode(bytes);
  } catch (const base::Error& e) {
    return e.what();
  }
  return "";
}

// A picture like a screen: flat areas, gradients, and noisy detail.
picture::Bitmap screenLike(int w, int h) {
  picture::Bitmap b = picture::Bitmap::create(w, h, 32);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      std::uint32_t c = (y < h / 3)       ? 0xF0F0F0u
                        : (y < 2 * h / 3) ? ((x * 255 / w) << 16 | (y & 0xFF))
                                          : (seed >> 8);
      b.setPixel(x, y, c & 0xFFFFFF);
    }
  return b;
}

TEST(PngCodecTest, WhatItWritesIsAnRgbPngThatReadsBackPixelForPixel) {
  headless::PngCodec codec;
  picture::Bitmap screen = screenLike(1920, 1080);
  Bytes png = codec.encode(screen);
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png[24], 8);  // bits a sample
  EXPECT_EQ(png[25], 2);  // RGB, no alpha
  picture::Bitmap back = codec.decode(png);
  ASSERT_EQ(back.width(), 1920);
  ASSERT_EQ(back.height(), 1080);
  EXPECT_EQ(back.bitsPerPixel(), 24);
  long long differing = 0;
  for (int y = 0; y < 1080; ++y)
    for (int x = 0; x < 1920; ++x) differing += back.pixel(x, y) != screen.pixel(x, y);
  EXPECT_EQ(differing, 0);

  // A palette picture (the title picture's kind) and a 24-bit one too.
  picture::Bitmap palette = picture::Bitmap::create(13, 7, 8, {0x000000, 0xFF0000, 0x00FF80, 0x123456});
  for (int x = 0; x < 13; ++x) palette.setPixel(x, x % 7, x % 2 ? 0x00FF80 : 0x123456);
  picture::Bitmap rgb24 = picture::Bitmap::create(5, 3, 24);
  rgb24.setPixel(4, 2, 0xABCDEF);
  for (const picture::Bitmap& b : {palette, rgb24}) {
    picture::Bitmap again = codec.decode(codec.encode(b));
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) ASSERT_EQ(again.pixel(x, y), b.pixel(x, y)) << x << "," << y;
  }

  // An alpha picture (an icon's) is laid over white: the fourth byte is not kept.
  picture::Bitmap rgba = picture::Bitmap::createRgba(3, 1);
  rgba.setPixel(0, 0, 0x102030);  // opaque
  rgba.setPixel(1, 0, 0x000000), rgba.setAlpha(1, 0, 0);
  rgba.setPixel(2, 0, 0xFF0000), rgba.setAlpha(2, 0, 128);
  Bytes flat = codec.encode(rgba);
  EXPECT_EQ(flat[25], 2);
  picture::Bitmap read = codec.decode(flat);
  EXPECT_EQ(read.pixel(0, 0), 0x102030u);
  EXPECT_EQ(read.pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(read.pixel(2, 0), 0xFF7F7Fu);
}

TEST(PngCodecTest, ReadsEveryKindImageMagickAndPillowWriteAsTheyReadIt) {
  headless::PngCodec codec;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(MIRUNE_PNG_DATA_DIR)) {
    if (entry.path().extension() != ".png") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++files;
    Bytes png = picture::readFileBytes(entry.path().string(), 1 << 20);
    std::filesystem::path bmpPath = entry.path();
    bmpPath.replace_extension(".bmp");
    Bytes bmp = picture::readFileBytes(bmpPath.string(), 1 << 20);
    picture::Bitmap expected = picture::readBmp(bmp.data(), bmp.size());
    picture::Bitmap got = codec.decode(png);
    ASSERT_EQ(got.width(), expected.width());
    ASSERT_EQ(got.height(), expected.height());
    // The tools lay alpha over white in their own arithmetic: one step apart at most.
    const int tolerance = entry.path().filename().string().find("alpha") != std::string::npos ? 1 : 0;
    int worst = 0;
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x) {
        std::uint32_t a = got.pixel(x, y), b = expected.pixel(x, y);
        for (int s = 0; s < 24; s += 8)
          worst = std::max(worst, std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)));
      }
    EXPECT_LE(worst, tolerance);
  }
  EXPECT_GE(files, 12);
}

TEST(PngCodecTest, RefusesDamagedFilesAndOnesTooLargeForABitmap) {
  headless::PngCodec codec;
  picture::Bitmap b = screenLike(64, 40);
  const Bytes good = codec.encode(b);
  const std::string bad = sys::kBadPng;

  EXPECT_EQ(errorOf(codec, {}), bad);
  EXPECT_EQ(errorOf(codec, {0x89, 'P', 'N', 'G'}), bad);
  Bytes bmp = picture::writeBmp(b);
  EXPECT_EQ(errorOf(codec, bmp), bad);  // a bitmap under a PNG name
  // Cut anywhere: in the header, in the image data, before the end chunk.
  for (std::size_t keep : {std::size_t{8}, std::size_t{20}, std::size_t{40}, good.size() / 2,
                           good.size() - 12, good.size() - 1}) {
    SCOPED_TRACE(keep);
    EXPECT_EQ(errorOf(codec, Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(keep))), bad);
  }
  // A byte changed inside the image data: the checksum gives it away.
  std::size_t idat = findChunk(good, "IDAT");
  ASSERT_NE(idat, std::string::npos);
  Bytes corrupted = good;
  corrupted[idat + 8 + be32(good, idat) / 2] ^= 0x55;
  EXPECT_EQ(errorOf(codec, corrupted), bad);
  // The same change with the checksum made to match: the data itself is broken.
  std::size_t len = be32(good, idat);
  Bytes rechecked = good;
  for (std::size_t i = 0; i < len; ++i) rechecked[idat + 8 + i] ^= 0xA5;
  putBe32(rechecked, idat + 8 + len, crc32(rechecked.data() + idat + 4, len + 4));
  EXPECT_EQ(errorOf(codec, rechecked), bad);

  // 20000 x 20000 is over the bitmap limit: refused before the pixels are made.
  Bytes huge = good;
  putBe32(huge, 16, 20000), putBe32(huge, 20, 20000);
  putBe32(huge, 29, crc32(huge.data() + 12, 17));
  EXPECT_EQ(errorOf(codec, huge), base::kOutOfResources);
  // A width PNG does not allow at all is damage, not size.
  putBe32(huge, 16, 0x80000000u);
  putBe32(huge, 29, crc32(huge.data() + 12, 17));
  EXPECT_EQ(errorOf(codec, huge), bad);
}

}  // namespace
