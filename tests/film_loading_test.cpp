// Laying the camera box's photo into the film: fitting, the caption, the
// photo's size, the strip's scroll and the full film.
#include "sheet_fixture.h"

namespace {

using sheet::kFilmFrames;
using sheet::kOverflow;

TEST_F(SheetTest, FittingSizesAndCentresOverTheWholePanel) {
  struct Case {
    int w, h;
    ui::Rect box;
  } cases[] = {
      {640, 480, {2, 13, 71, 53}},  // 480 * 71 / 640 = 53, (75 - 53) / 2 + 2 = 13
      {480, 640, {13, 2, 53, 71}},
      {100, 100, {2, 4, 71, 71}},  // square counts as landscape: top (75 - 71) / 2 + 2
      {1000, 10, {2, 39, 71, 0}},  // too thin to see, and the frame is used all the same
      {10, 1000, {39, 2, 0, 71}},
      {100000, 3, {2, 39, 71, 0}},
  };
  int i = 0;
  for (const Case& c : cases) {
    load(c.w, c.h, "stamp " + std::to_string(i));
    EXPECT_EQ(sheet->film().frame(i).imageBox, c.box) << c.w << " x " << c.h;
    EXPECT_TRUE(sheet->film().used(i));
    ++i;
  }
}

TEST_F(SheetTest, LoadingSharesThePictureCaptionsItAndSizesThePhoto) {
  picture::Bitmap shot = load(1024, 768, "12:34:56", 7);
  const sheet::FrameContent& f = sheet->film().frame(0);
  EXPECT_TRUE(f.image.bitmap().sharesPixelsWith(shot));
  EXPECT_TRUE(box->photoPicture().bitmap().sharesPixelsWith(shot));
  EXPECT_EQ(f.caption, "12:34:56");
  EXPECT_EQ(box->photoBounds().width, 1024);
  EXPECT_EQ(box->photoBounds().height, 768);
  // The tidy pass is due, and runs when the loop is idle.
  EXPECT_TRUE(sheet->tidyDue());
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート　1枚");
  EXPECT_EQ(sheet->look().frames[0].placeholder, "");

  box->setDisplayDivisor(4);  // as a full-screen shot leaves it
  box->showPicture(picture::Picture(numbered(1024, 768, 0)), "full screen", app::PhotoSize::Kept);
  box->storePhotoInFilm();
  EXPECT_EQ(box->photoBounds().width, 256);
  EXPECT_EQ(box->photoBounds().height, 192);
  box->setDisplayDivisor(4);  // as a full-screen shot leaves it
  box->showPicture(picture::Picture(numbered(1023, 767, 0)), "odd", app::PhotoSize::Kept);
  box->storePhotoInFilm();
  EXPECT_EQ(box->photoBounds().width, 255);
  EXPECT_EQ(box->photoBounds().height, 191);
}

TEST_F(SheetTest, LoadsFromFrame8OnScrollTheStripToItsEnd) {
  auto strip = [this] { return sheet->look().strip; };
  int end = 2700 - strip().shownLength;
  ASSERT_EQ(strip().maxPosition, end);
  fill(7);
  EXPECT_EQ(strip().position, 0);
  fill(1, 8);
  EXPECT_EQ(strip().position, 75);
  // The frames move with the strip: frame 8 is on screen.
  EXPECT_EQ(strip().content.x + sheet->look().frames[7].panel.left, 89 + 7 * 75 - 75);
  fill(12, 9);
  EXPECT_EQ(strip().position, 13 * 75);
  fill(16, 21);
  EXPECT_EQ(strip().position, end);  // clamped, not 29 * 75
  // Into the overflow frame: no scrolling.
  sheet->scrollStrip(100);
  load(40, 30, "37");
  EXPECT_TRUE(sheet->film().used(kOverflow));
  EXPECT_EQ(strip().position, 100);
}

TEST_F(SheetTest, EmptyCaptionLeavesTheFrameEmptyAndTheNextLoadFitsFromItsBox) {
  load(640, 480, "", 1);
  const sheet::FrameContent& f = sheet->film().frame(0);
  EXPECT_FALSE(f.used());
  EXPECT_EQ(pictureIn(0), 1u);
  EXPECT_EQ(f.imageBox, (ui::Rect{2, 13, 71, 53}));
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート");
  EXPECT_EQ(sheet->look().frames[0].placeholder, "(未撮影)");

  load(640, 480, "next", 2);
  EXPECT_EQ(pictureIn(0), 2u);
  EXPECT_EQ(f.imageBox, (ui::Rect{2, 20, 71, 39}));  // 480 * 53 / 640, (75 - 39) / 2 + 2
  EXPECT_FALSE(sheet->film().used(1));
}

TEST_F(SheetTest, FullFilmWithoutPushOutTakesOneMoreThenNothing) {
  fill(36);
  picture::Bitmap extra = load(640, 480, "37", 37);
  EXPECT_EQ(pictureIn(kOverflow), 37u);
  EXPECT_EQ(sheet->film().frame(kOverflow).caption, "37");
  EXPECT_EQ(pictureIn(0), 1u);
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");

  load(320, 200, "38", 38);
  for (int i = 0; i < kFilmFrames; ++i) EXPECT_EQ(pictureIn(i), std::uint32_t(i + 1));
  EXPECT_EQ(pictureIn(kOverflow), 37u);
  // The camera box keeps the picture its caller put there, at the size it had.
  EXPECT_EQ(box->photoPicture().bitmap().pixel(0, 0), 38u);
  EXPECT_EQ(box->photoBounds().width, 640);
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
}

TEST_F(SheetTest, FullFilmWithPushOutDropsTheOldest) {
  settings.pushOutWhenFull = true;
  fill(36);
  load(40, 30, "37", 37);
  // In the same call: frame 1 is cleared.
  EXPECT_FALSE(sheet->film().used(0));
  EXPECT_TRUE(sheet->film().frame(0).image.empty());
  idle();
  for (int i = 0; i < kFilmFrames; ++i) EXPECT_EQ(pictureIn(i), std::uint32_t(i + 2)) << i;
  EXPECT_FALSE(sheet->film().used(kOverflow));
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");

  fill(1, 38);
  EXPECT_EQ(pictureIn(0), 3u);
  EXPECT_EQ(pictureIn(35), 38u);
}

TEST_F(SheetTest, PushOutSwitchedOnWithAFullOverflowFrame) {
  fill(37);
  ASSERT_EQ(pictureIn(kOverflow), 37u);
  settings.pushOutWhenFull = true;
  load(40, 30, "38", 38);
  EXPECT_FALSE(sheet->film().used(0));
  idle();
  for (int i = 0; i < kFilmFrames; ++i) EXPECT_EQ(pictureIn(i), std::uint32_t(i + 2)) << i;
  EXPECT_FALSE(sheet->film().used(kOverflow));
}

TEST_F(SheetTest, PhotoWithoutAPictureChangesNothing) {
  fill(2);
  box->showPicture(picture::Picture(), box->timeStamp(), app::PhotoSize::Kept);
  box->resizePhoto({156, 116});
  box->setTimeStamp("cut");
  settings.pushOutWhenFull = true;
  box->storePhotoInFilm();
  EXPECT_FALSE(sheet->film().used(2));
  EXPECT_EQ(sheet->film().frame(2).imageBox, box71());
  EXPECT_FALSE(sheet->tidyDue());
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_TRUE(platform.messages.shown.empty());
}

}  // namespace
