// The negative sheet's window and the film's tidy pass.
#include "sheet_fixture.h"
#include "shell/palette.h"

namespace {

using sheet::kFilmFrames;
using sheet::kOverflow;

const std::string kKey = "\\Software\\Olvane\\Mirune36枚撮り";

TEST_F(SheetTest, WindowAsBuilt) {
  EXPECT_EQ(sheet->caption(), "ネガシート");
  EXPECT_EQ(sheet->borderStyle(), ui::BorderStyle::ToolWindow);
  EXPECT_FALSE(sheet->visible());
  // On the bottom edge of the 1024 x 768 screen, as wide as the screen.
  EXPECT_EQ(sheet->clientHeight(), 109);
  EXPECT_EQ(sheet->left(), 0);
  EXPECT_EQ(sheet->width(), 1024);
  EXPECT_EQ(sheet->top() + sheet->height(), 768);

  // Each button's caption, and the one item of its right-click menu.
  struct Expect {
    ui::PushButton& button;
    const char* caption;
    const char* item;
  } buttons[] = {
      {sheet->buttons().play, "連続表示　＞", "自動連続表示"},
      {sheet->buttons().paint, "ペイント　＞", "オプションソフトを起動"},
      {sheet->buttons().save, "連続保存＞", "連続読込"},
      {sheet->buttons().remove, "削除　＞", "全て削除"},
      {sheet->buttons().print, "ﾈｶﾞｼｰﾄ印刷", nullptr},
  };
  for (auto& b : buttons) {
    EXPECT_EQ(b.button.caption(), b.caption);
    ui::PopupMenu* menu = b.button.popupMenu();
    if (!b.item) {
      EXPECT_EQ(menu, nullptr);
      continue;
    }
    ASSERT_NE(menu, nullptr) << b.caption;
    ASSERT_EQ(menu->items().size(), 1u);
    EXPECT_EQ(menu->items()[0]->caption(), b.item);
  }

  // The strip fills the rest: 1018 - 89 pixels show of its 2700.
  const sheet::NegativeSheet::SheetLook look = sheet->look();
  const sheet::NegativeSheet::StripLook& strip = look.strip;
  EXPECT_EQ(strip.bounds, (ui::Rect{89, 0, sheet->clientWidth() - 89, 109}));
  EXPECT_EQ(strip.length, 2700);
  EXPECT_EQ(strip.increment, 25);
  EXPECT_EQ(strip.height, 88);
  EXPECT_EQ(strip.position, 0);
  EXPECT_TRUE(strip.barShown);
  EXPECT_FALSE(strip.verticalBarShown);

  for (int i = 0; i <= kOverflow; ++i) {
    const sheet::NegativeSheet::FrameLook& f = look.frames[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(f.panel, (ui::Rect{75 * i, 0, 75, 75}));
    EXPECT_EQ(f.bevel, ui::BevelCut::Raised);
    EXPECT_EQ(f.placeholder, "（未撮影）");
    EXPECT_EQ(f.thumbnail, box71());
    EXPECT_EQ(f.captionBounds, (ui::Rect{75 * i + 2, 76, 70, 12}));
    EXPECT_EQ(f.captionFont, (ui::Font{"ＭＳ Ｐゴシック", 11, ui::clBlack, false}));
    EXPECT_EQ(f.caption, "");
    EXPECT_EQ(f.shown, i != kOverflow);
    EXPECT_EQ(f.captionShown, i != kOverflow);
  }
}

TEST_F(SheetTest, FirstTidyPassAfterStartUpThenTheTimerRests) {
  EXPECT_TRUE(sheet->tidyDue());
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート");
  for (int i = 0; i < kFilmFrames; ++i) EXPECT_EQ(sheet->look().frames[i].placeholder, "(未撮影)") << i;
  // The overflow frame keeps what it was built with: nobody sees it.
  EXPECT_EQ(sheet->look().frames[kOverflow].placeholder, "（未撮影）");
  EXPECT_FALSE(sheet->tidyDue());

  // With nothing scheduled, time passing repaints nothing.
  sheet->showForm();
  app.processMessages();
  int paints = platform.backend.paintCount(*sheet);
  platform.backend.advance(5000);
  EXPECT_EQ(platform.backend.paintCount(*sheet), paints);
}

TEST_F(SheetTest, PaletteButtonShowsAndHidesTheSheet) {
  app.run();
  forms.palette->negativeSheetButton.click();
  EXPECT_TRUE(sheet->visible());
  app.processMessages();
  // Painted: the first frame's raised bevel and the strip's drawn scroll bar.
  const picture::Canvas* c = platform.backend.canvas(*sheet);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->pixel(89, 0), ui::clBtnHighlight);
  EXPECT_EQ(c->pixel(89 + 74, 74), ui::clBtnShadow);
  forms.palette->negativeSheetButton.click();
  EXPECT_FALSE(sheet->visible());
}

TEST_F(SheetTest, OneGapClosesInOnePassKeepingImageBoxes) {
  idle();
  load(640, 480, "1", 1);
  load(480, 640, "2", 2);  // portrait: its box has a left offset
  load(100, 100, "3", 3);
  load(480, 640, "4", 4);
  load(1000, 10, "5", 5);
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート　5枚");
  ui::Rect fourth = sheet->film().frame(3).imageBox, fifth = sheet->film().frame(4).imageBox;
  ASSERT_EQ(fourth, (ui::Rect{13, 2, 53, 71}));

  sheet->film().clear(2);
  EXPECT_EQ(sheet->film().frame(2).imageBox, box71());
  EXPECT_TRUE(sheet->film().frame(2).image.empty());
  sheet->film().scheduleTidy();
  idle();
  EXPECT_EQ(picturesIn(0, 4), (std::vector<std::uint32_t>{1, 2, 4, 5, 0}));
  EXPECT_EQ(sheet->film().frame(2).imageBox, fourth);
  EXPECT_EQ(sheet->film().frame(3).imageBox, fifth);
  EXPECT_EQ(captions(2, 4), (std::vector<std::string>{"4", "5", ""}));
  EXPECT_EQ(sheet->film().frame(4).imageBox, box71());
  EXPECT_EQ(sheet->caption(), "ネガシート　4枚");
  EXPECT_EQ(sheet->look().frames[3].placeholder, "");
  EXPECT_EQ(sheet->look().frames[4].placeholder, "(未撮影)");
}

TEST_F(SheetTest, WideGapTakesAPassPerFrameAndTheTitleCountsTheFirstRun) {
  fill(5);
  sheet->film().clear(0);
  sheet->film().clear(1);
  // Scheduling twice before the loop is idle still gives one pass.
  sheet->film().scheduleTidy();
  sheet->film().scheduleTidy();
  idle();
  EXPECT_EQ(captions(0, 4), (std::vector<std::string>{"", "3", "4", "5", ""}));
  EXPECT_EQ(picturesIn(1, 3), (std::vector<std::uint32_t>{3, 4, 5}));
  // The first used frame followed by an empty one is frame 4.
  EXPECT_EQ(sheet->caption(), "ネガシート　4枚");
  EXPECT_EQ(sheet->look().frames[0].placeholder, "(未撮影)");
  EXPECT_FALSE(sheet->tidyDue());

  sheet->film().scheduleTidy();
  idle();
  EXPECT_EQ(pictureIn(0), 3u);
  EXPECT_EQ(pictureIn(2), 5u);
  EXPECT_EQ(sheet->caption(), "ネガシート　3枚");
}

TEST_F(SheetTest, TitleCountsUpToTheFirstUsedFrameBeforeAnEmptyOne) {
  fill(4);
  EXPECT_EQ(sheet->caption(), "ネガシート　4枚");
  clearAndTidy({1, 2});
  // Picture 4 moved down by one; frame 2 is still empty, so frame 1 counts.
  EXPECT_EQ(pictureIn(2), 4u);
  EXPECT_EQ(sheet->caption(), "ネガシート　1枚");
  fill(33, 5);  // two pictures and 33 more, packed by the passes
  EXPECT_EQ(sheet->caption(), "ネガシート　35枚");
  fill(1, 38);
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
}

// The marks travel with their picture when the tidy pass moves it, and a
// picture pushed out of the film takes its marks with it: delete clears
// the picture the user chose.
TEST_F(SheetTest, SelectionMarksTravelWithTheirPicture) {
  auto marked = [this] {
    std::vector<int> frames;
    for (int i = 0; i <= kOverflow; ++i)
      if (sheet->film().loweredFrame() == i || sheet->film().redFrame() == i) frames.push_back(i);
    return frames;
  };
  fill(4);
  sheet->toggleFrame(2);
  clearAndTidy({1});
  EXPECT_EQ(pictureIn(1), 3u);
  EXPECT_EQ(marked(), std::vector<int>{1});

  // A full film with push-out: picture 1 goes, picture 3 slides to frame 1.
  settings.pushOutWhenFull = true;
  fill(kFilmFrames - 2, 5);
  EXPECT_EQ(pictureIn(0), 3u);
  EXPECT_EQ(marked(), std::vector<int>{0});
  sheet->deleteSelectedFrame();
  idle();
  EXPECT_EQ(pictureIn(0), 4u);
  EXPECT_EQ(marked(), std::vector<int>{});

  sheet->toggleFrame(0);
  fill(2, 50);
  EXPECT_EQ(pictureIn(0), 5u);
  EXPECT_EQ(marked(), std::vector<int>{});
}

TEST_F(SheetTest, OverflowFrameEmptiesIntoFrame36OrByPushOut) {
  fill(36);
  load(480, 640, "37", 37);
  idle();
  EXPECT_TRUE(sheet->film().used(kOverflow));
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
  const ui::Rect overflowBox = sheet->film().frame(kOverflow).imageBox;
  EXPECT_EQ(overflowBox, (ui::Rect{13, 2, 53, 71}));

  clearAndTidy({35});
  EXPECT_EQ(pictureIn(35), 37u);
  EXPECT_EQ(sheet->film().frame(35).caption, "37");
  EXPECT_EQ(sheet->film().frame(35).imageBox, overflowBox);
  EXPECT_FALSE(sheet->film().used(kOverflow));
  EXPECT_EQ(sheet->film().frame(kOverflow).imageBox, box71());
  EXPECT_TRUE(sheet->film().frame(kOverflow).image.empty());
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");

  // A frame that counts as empty may still hold a picture (an empty
  // caption): push-out clears it from the overflow frame.
  box->showPicture(picture::Picture(numbered(40, 30, 9)), "", app::PhotoSize::Kept);
  box->storePhotoInFilm();
  ASSERT_EQ(pictureIn(kOverflow), 9u);
  idle();
  EXPECT_EQ(pictureIn(kOverflow), 9u);  // push-out off: it stays

  settings.pushOutWhenFull = true;
  sheet->film().scheduleTidy();
  idle();
  EXPECT_EQ(pictureIn(kOverflow), 0u);
  EXPECT_EQ(sheet->film().frame(kOverflow).imageBox, box71());
}

TEST_F(SheetTest, ShowingReadsTheStoredTopEachTime) {
  int builtTop = sheet->top();
  sheet->showForm();
  EXPECT_EQ(sheet->top(), builtTop);  // no key: the top stays

  platform.registry.put(kKey, "Image.Top", headless::Registry::dword(300));
  sheet->hide();
  sheet->showForm();
  EXPECT_EQ(sheet->top(), 300);
  sheet->setTop(420);
  sheet->hide();
  sheet->showForm();
  EXPECT_EQ(sheet->top(), 300);
  EXPECT_EQ(sheet->left(), 0);
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(SheetTest, UnreadableStoredTopIsReportedAndTheTopStays) {
  platform.registry.put(kKey, "Top", headless::Registry::dword(5));
  sheet->setTop(400);
  sheet->showForm();
  EXPECT_TRUE(sheet->visible());
  EXPECT_EQ(sheet->top(), 400);
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "'Image.Top' の取得に失敗しました");
}

}  // namespace
