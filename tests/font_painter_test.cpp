#include <gtest/gtest.h>

#include "platform/headless/font_painter.h"

namespace {

TEST(FontPainter, DecodesUtf8AndReplacesBrokenBytes) {
  EXPECT_EQ(headless::decodeUtf8("aネ"), (std::u32string{U'a', U'ネ'}));
  EXPECT_EQ(headless::decodeUtf8("\xE3\x83"), (std::u32string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(headless::decodeUtf8("\xFFz"), (std::u32string{0xFFFD, U'z'}));
}

TEST(FontPainter, DrawsJapaneseTextInsideItsCell) {
  headless::FontPainter p;
  // The test command installs the IPA fonts; without them this must fail.
  ASSERT_TRUE(p.hasFonts()) << "the IPA fonts are not installed (scripts/setup.sh installs them)";
  ui::Font f;
  auto size = p.measureText(f, "起動中");
  EXPECT_GE(size.width, 30);  // three full-width characters of 12 px
  EXPECT_LE(size.width, 40);
  EXPECT_EQ(size.height, 12);
  picture::Canvas c(60, 20, 0xFFFFFF);
  p.drawText(c, f, "起動中", 4, 4, 0x000000);
  int ink = 0, outside = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      bool dark = c.pixel(x, y) != 0xFFFFFF;
      bool inCell = x >= 4 && x < 4 + size.width && y >= 4 && y < 4 + 12;
      if (dark) (inCell ? ink : outside)++;
    }
  EXPECT_GT(ink, 40);
  EXPECT_EQ(outside, 0);
}

}  // namespace
