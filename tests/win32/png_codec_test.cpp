// The Windows Imaging Component's PNG codec as the program uses it: what it
// writes is a 24-bit RGB PNG that reads back pixel for pixel, the test
// files of ImageMagick and Pillow read as those tools read them, and a
// damaged or oversized file is refused in the program's words.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/error.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "platform/win32/services.h"

namespace {

std::string errorOf(win32::PngCodec& codec, const std::vector<std::uint8_t>& bytes) {
  try {
    codec.decode(bytes);
  } catch (const base::Error& e) {
    return e.what();
  }
  return "";
}

// The largest difference of one colour channel between two pictures; 256
// when their sizes differ.
int worstChannel(const picture::Bitmap& a, const picture::Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return 256;
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      for (int s = 0; s < 24; s += 8)
        worst =
            std::max(worst, std::abs(int((a.pixel(x, y) >> s) & 0xFF) - int((b.pixel(x, y) >> s) & 0xFF)));
  return worst;
}

TEST(PngCodec, WritesRgbThatReadsBackAndReadsWhatTheToolsWrite) {
  win32::PngCodec codec;
  picture::Bitmap shot = picture::Bitmap::create(640, 480, 32);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) shot.setPixel(x, y, std::uint32_t(x * 2654435761u + y * 40503u) & 0xFFFFFF);
  std::vector<std::uint8_t> png = codec.encode(shot);
  EXPECT_TRUE(png.size() > 33) << "an encoded PNG has a header";
  EXPECT_EQ(int(png[24]) * 10 + int(png[25]), 82) << "8 bits a sample, RGB";
  EXPECT_EQ(worstChannel(codec.decode(png), shot), 0) << "a shot comes back pixel for pixel";

  // Files made by ImageMagick and Pillow, beside the same images as BMP
  // (alpha laid over white). Sixteen bits and alpha may round one step apart.
  const std::string dir = std::string("Z:") + MIRUNE_PNG_DATA_DIR + "/";
  for (const char* name :
       {"im_palette", "im_grey", "im_grey2", "im_interlaced", "im_rgb16", "im_alpha", "pil_palette",
        "pil_palette_trns", "pil_grey", "pil_mono", "pil_grey16", "pil_alpha"}) {
    std::vector<std::uint8_t> bmp = picture::readFileBytes(dir + name + ".bmp", 1 << 20);
    picture::Bitmap expected = picture::readBmp(bmp.data(), bmp.size());
    picture::Bitmap got = codec.decode(picture::readFileBytes(dir + name + ".png", 1 << 20));
    const std::string n = name;
    const int tolerance = n.find("alpha") != std::string::npos || n.find("16") != std::string::npos ? 1 : 0;
    EXPECT_TRUE(worstChannel(got, expected) <= tolerance)
        << n + ".png reads as the tool reads it (worst channel " +
               std::to_string(worstChannel(got, expected)) + ")";
  }
}

TEST(PngCodec, RefusesDamagedAndOversizedFiles) {
  win32::PngCodec codec;
  picture::Bitmap b = picture::Bitmap::create(64, 40, 24);
  for (int x = 0; x < 64; ++x) b.setPixel(x, x % 40, 0x00FF00u + std::uint32_t(x));
  const std::vector<std::uint8_t> good = codec.encode(b);
  EXPECT_EQ(errorOf(codec, {}), std::string(sys::kBadPng)) << "nothing at all";
  EXPECT_EQ(errorOf(codec, picture::writeBmp(b)), std::string(sys::kBadPng)) << "a BMP under a PNG name";
  EXPECT_EQ(errorOf(codec, std::vector<std::uint8_t>(good.begin(), good.begin() + 40)),
            std::string(sys::kBadPng))
      << "cut inside the header";
  EXPECT_EQ(errorOf(codec, std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2)),
            std::string(sys::kBadPng))
      << "cut inside the image data";
  std::vector<std::uint8_t> huge = good;  // 30000 x 30000, the header's checksum made to match
  for (int at : {16, 20}) huge[at] = 0, huge[at + 1] = 0, huge[at + 2] = 0x75, huge[at + 3] = 0x30;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (int i = 12; i < 29; ++i) {
    crc ^= huge[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  EXPECT_EQ(errorOf(codec, huge), std::string(base::kOutOfResources)) << "over the bitmap limit";
  EXPECT_EQ(errorOf(codec, good), std::string()) << "the undamaged file reads";
}

}  // namespace
