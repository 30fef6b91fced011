#include <gtest/gtest.h>

#include "base/text.h"
#include "platform/headless/font_painter.h"

namespace {

// The painter draws what the rest of the program reads: one decoder, so a
// broken, overlong or surrogate sequence gives the same U+FFFD everywhere.
TEST(FontPainter, DecodesUtf8AsTheProgramDoes) {
  EXPECT_EQ(base::utf32FromUtf8("aネ\xF0\x9F\x93\xB7"), (std::u32string{U'a', U'ネ', 0x1F4F7}));
  EXPECT_EQ(base::utf32FromUtf8("\xE3\x83"), (std::u32string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(base::utf32FromUtf8("\xFFz"), (std::u32string{0xFFFD, U'z'}));
  EXPECT_EQ(base::utf32FromUtf8("\xC0\xAF"), (std::u32string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(base::utf32FromUtf8("\xED\xA0\x80"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD}));
  for (const std::string s : {"\xC0\xAFx", "\xED\xA0\x80", "a\xE3\x83\xF4\x90\x80\x80"})
    EXPECT_EQ(base::utf32FromUtf8(s).size(), base::utf16FromUtf8(s).size()) << "same replacements as UTF-16";
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
