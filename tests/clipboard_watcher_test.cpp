// The clipboard watcher: bitmaps another program puts on the clipboard go
// into the film while the palette's clipboard button is down.
#include "picture/errors.h"
#include "sheet_fixture.h"
#include "shell/palette.h"

namespace {

using app::settings;
using app::windows;
using sheet::kFilmFrames;
using sheet::kOverflow;

class ClipboardWatcherTest : public SheetTest {
 protected:
  ClipboardWatcherTest() {
    app.run();
    idle();  // the start-up tidy pass
  }
  void clipboardButton() { windows.palette->clipboardButton.click(); }
  // One tick of the watcher.
  void tick() { platform.backend.advance(55); }
  picture::Bitmap copyInOtherProgram(int w, int h, std::uint32_t number) {
    picture::Bitmap b = numbered(w, h, number);
    platform.clipboard.putFromOtherProgram(b);
    return b;
  }
  sys::Clipboard& clipboard() { return platform.clipboard; }
  int usedFrames() const {
    int n = 0;
    for (const auto& f : sheet->frames) n += f.used() ? 1 : 0;
    return n;
  }
};

TEST_F(ClipboardWatcherTest, WithTheButtonUpABitmapStaysAndATickAsksNothing) {
  fill(2);
  copyInOtherProgram(64, 48, 9);
  for (int i = 0; i < 10; ++i) tick();
  EXPECT_EQ(platform.clipboard.owner, "other");
  EXPECT_TRUE(clipboard().hasBitmap());
  EXPECT_EQ(usedFrames(), 2);
  // Only the flag is looked at (the check above made the one query).
  EXPECT_EQ(platform.clipboard.formatQueries, 1);
  EXPECT_EQ(platform.clipboard.opens, 0);
}

TEST_F(ClipboardWatcherTest, TextIsLeftAloneAndCostsOneFormatQueryPerTick) {
  clipboardButton();
  ASSERT_TRUE(windows.palette->clipboardButton.down());
  platform.clipboard.putTextFromOtherProgram("hello");
  for (int i = 0; i < 20; ++i) tick();
  EXPECT_EQ(platform.clipboard.text(), "hello");
  EXPECT_EQ(usedFrames(), 0);
  EXPECT_EQ(platform.clipboard.formatQueries, 20);
  EXPECT_EQ(platform.clipboard.opens, 0);
}

TEST_F(ClipboardWatcherTest, ABitmapGoesToTheFirstEmptyFrameWithoutATidyPassOrScrolling) {
  fill(3);
  std::string title = sheet->caption();
  clipboardButton();
  // A bitmap with a text beside it: both go.
  picture::Bitmap copied = numbered(640, 480, 0x4242);
  platform.clipboard.putFromOtherProgram(copied, "caption text");
  tick();
  EXPECT_EQ(platform.clipboard.text(), "");
  const auto& f = sheet->frames[3];
  EXPECT_EQ(f.caption.caption(), "From Clip");
  EXPECT_EQ(f.thumbnail.bounds(), (ui::Rect{2, 13, 71, 53}));
  EXPECT_EQ(f.thumbnail.picture().bitmap(), copied);
  EXPECT_FALSE(clipboard().hasBitmap());
  EXPECT_EQ(box->clipboardImage.picture().bitmap(), copied);
  EXPECT_EQ(box->stagingImage.picture().bitmap(), copied);
  EXPECT_EQ(box->stagingImage.width(), 640);
  EXPECT_EQ(pictureIn(4), 0u);
  // No tidy pass is due: the title keeps the old count.
  EXPECT_EQ(sheet->tidyTimer.interval(), 0);
  EXPECT_EQ(sheet->caption(), title);
  EXPECT_EQ(sheet->filmStrip.position(ui::Axis::Horizontal), 0);
  EXPECT_EQ(sheet->frames[3].panel.caption(), "(未撮影)");

  // A portrait bitmap: the next frame, centred across.
  copyInOtherProgram(30, 60, 5);
  tick();
  EXPECT_EQ(sheet->frames[4].thumbnail.bounds(), (ui::Rect{2 + (75 - 35) / 2, 2, 35, 71}));
  // Nothing new on the clipboard: nothing changes.
  tick();
  EXPECT_EQ(usedFrames(), 5);
}

TEST_F(ClipboardWatcherTest, TheSelectedFrameHasItsPictureReplacedInPlace) {
  fill(6);
  windows.negativeSheet->toggleFrame(4);
  ui::Rect boxBefore = sheet->frames[4].thumbnail.bounds();
  picture::Bitmap staged = box->stagingImage.picture().bitmap();
  clipboardButton();
  picture::Bitmap copied = copyInOtherProgram(300, 100, 0x77);
  tick();
  EXPECT_EQ(sheet->frames[4].thumbnail.picture().bitmap(), copied);
  EXPECT_EQ(sheet->frames[4].thumbnail.bounds(), boxBefore);
  EXPECT_EQ(sheet->frames[4].caption.caption(), "5");
  EXPECT_EQ(usedFrames(), 6);
  EXPECT_FALSE(clipboard().hasBitmap());
  EXPECT_EQ(box->stagingImage.picture().bitmap(), staged);
  EXPECT_EQ(box->clipboardImage.picture().bitmap(), copied);
}

TEST_F(ClipboardWatcherTest, AFullFilmUsesTheOverflowFrameThenLeavesTheBitmapOnTheClipboard) {
  fill(kFilmFrames);
  clipboardButton();
  picture::Bitmap first = copyInOtherProgram(50, 50, 100);
  tick();
  EXPECT_EQ(sheet->frames[kOverflow].caption.caption(), "From Clip");
  EXPECT_EQ(sheet->frames[kOverflow].thumbnail.picture().bitmap(), first);

  // No place left and push-out off: the bitmap stays with its owner, and
  // the ticks do not even open the clipboard.
  picture::Bitmap second = copyInOtherProgram(50, 50, 200);
  int opens = platform.clipboard.opens;
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(platform.clipboard.opens, opens);
  EXPECT_EQ(platform.clipboard.owner, "other");
  EXPECT_EQ(pictureIn(0), 1u);
  EXPECT_EQ(usedFrames(), kFilmFrames + 1);

  // Push-out on: frame 1 gives way and takes the bitmap in the same tick.
  settings.pushOutWhenFull = true;
  tick();
  EXPECT_FALSE(clipboard().hasBitmap());
  EXPECT_EQ(sheet->frames[0].thumbnail.picture().bitmap(), second);
  EXPECT_EQ(sheet->frames[0].caption.caption(), "From Clip");
  // Fitted from a cleared frame: a square is centred over the whole panel, then moved 2 down.
  EXPECT_EQ(sheet->frames[0].thumbnail.bounds(), (ui::Rect{2, 4, 71, 71}));
  EXPECT_EQ(pictureIn(1), 2u);
  EXPECT_EQ(sheet->tidyTimer.interval(), 0);
}

TEST_F(ClipboardWatcherTest, ARedCaptionLeftOnAnEmptyFrameTakesEveryBitmap) {
  fill(4);
  windows.negativeSheet->toggleFrame(2);
  // What delete all leaves: every frame cleared, the marks kept.
  for (int i = 0; i < 4; ++i) sheet->clearFrame(i);
  idle();
  clipboardButton();
  for (std::uint32_t n = 1; n <= 3; ++n) {
    picture::Bitmap copied = copyInOtherProgram(20, 10, n);
    tick();
    EXPECT_EQ(sheet->frames[2].thumbnail.picture().bitmap(), copied);
  }
  EXPECT_EQ(usedFrames(), 0);
  EXPECT_FALSE(sheet->frames[2].used());
  // A press on another frame moves nothing: no frame is used to press.
  windows.negativeSheet->toggleFrame(0);
  EXPECT_TRUE(sheet->frames[2].captionRed());
}

TEST_F(ClipboardWatcherTest, AClipboardHeldByAnotherProgramIsTriedAgainNextTick) {
  fill(1);
  clipboardButton();
  copyInOtherProgram(10, 10, 3);
  platform.clipboard.heldByOtherProgram = true;
  tick();
  tick();
  EXPECT_EQ(usedFrames(), 1);
  EXPECT_TRUE(platform.messages.shown.empty());
  platform.clipboard.heldByOtherProgram = false;
  EXPECT_TRUE(clipboard().hasBitmap());
  tick();
  EXPECT_EQ(pictureIn(1), 3u);
  EXPECT_FALSE(clipboard().hasBitmap());
}

TEST_F(ClipboardWatcherTest, ABitmapThatCannotBeTakenIsReportedOnceAndLeftThere) {
  clipboardButton();
  copyInOtherProgram(10, 10, 3);
  platform.clipboard.unreadableBitmap = true;
  for (int i = 0; i < 5; ++i) tick();
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, picture::messages::kBadBitmap);
  EXPECT_EQ(platform.clipboard.owner, "other");
  EXPECT_EQ(usedFrames(), 0);

  // Emptying fails: reported, and the film does not take a bitmap that
  // is still on the clipboard.
  platform.clipboard.unreadableBitmap = false;
  platform.clipboard.failingEmpty = true;
  copyInOtherProgram(10, 10, 4);
  tick();
  tick();
  ASSERT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_EQ(platform.messages.shown[1].text, sys::kCannotEmptyClipboard);
  EXPECT_EQ(usedFrames(), 0);

  // The next bitmap goes in as usual.
  platform.clipboard.failingEmpty = false;
  copyInOtherProgram(10, 10, 5);
  tick();
  EXPECT_EQ(pictureIn(0), 5u);
  EXPECT_EQ(platform.messages.shown.size(), 2u);
}

}  // namespace
