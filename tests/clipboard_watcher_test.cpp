// The clipboard watcher: bitmaps another program puts on the clipboard go
// into the film while the palette's clipboard button is down.
#include <new>
#include <stdexcept>

#include "base/error.h"
#include "picture/errors.h"
#include "sheet/clipboard_watcher.h"
#include "sheet_fixture.h"
#include "shell/palette.h"

namespace {

using sheet::kFilmFrames;
using sheet::kOverflow;

class ClipboardWatcherTest : public SheetTest {
 protected:
  ClipboardWatcherTest() {
    app.run();
    idle();  // the start-up tidy pass
  }
  void clipboardButton() { forms.palette->clipboardButton.click(); }
  // One tick of the watcher.
  void tick() { platform.backend.advance(55); }
  picture::Bitmap copyInOtherProgram(int w, int h, std::uint32_t number) {
    picture::Bitmap b = numbered(w, h, number);
    platform.clipboard.putFromOtherProgram(b);
    return b;
  }
  sys::Clipboard& clipboard() { return platform.clipboard; }
  const sheet::ClipboardWatcher& watcher() const { return *forms.clipboardWatcher; }
  // The numbers of the pictures in the used frames of 1..36, in order.
  std::vector<std::uint32_t> film() const {
    std::vector<std::uint32_t> numbers;
    for (int i = 0; i < kFilmFrames; ++i)
      if (sheet->film().used(i)) numbers.push_back(pictureIn(i));
    return numbers;
  }
  int usedFrames() const {
    int n = 0;
    for (int i = 0; i <= kOverflow; ++i) n += sheet->film().used(i) ? 1 : 0;
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

TEST_F(ClipboardWatcherTest, TextIsLeftAloneAndAClipboardThatHasNotChangedIsNotAskedAgain) {
  clipboardButton();
  ASSERT_TRUE(forms.palette->clipboardButton.down());
  platform.clipboard.putTextFromOtherProgram("hello");
  for (int i = 0; i < 20; ++i) tick();
  EXPECT_EQ(platform.clipboard.text(), "hello");
  EXPECT_EQ(usedFrames(), 0);
  // One format query for the text, none while it stays.
  EXPECT_EQ(platform.clipboard.formatQueries, 1);
  EXPECT_EQ(platform.clipboard.opens, 0);
  // Each change is looked at once, and a bitmap after text is seen at once.
  platform.clipboard.putTextFromOtherProgram("world");
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(platform.clipboard.formatQueries, 2);
  copyInOtherProgram(64, 48, 7);
  tick();
  EXPECT_EQ(film(), std::vector<std::uint32_t>{7});
  EXPECT_EQ(platform.clipboard.formatQueries, 3);
  // The clipboard our take emptied is looked at once, then not again.
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(platform.clipboard.formatQueries, 4);
}

TEST_F(ClipboardWatcherTest, ABitmapGoesToTheFirstEmptyFrameAndIsCountedWithoutScrolling) {
  fill(3);
  clipboardButton();
  // A bitmap with a text beside it: both go.
  picture::Bitmap copied = numbered(640, 480, 0x4242);
  platform.clipboard.putFromOtherProgram(copied, "caption text");
  tick();
  EXPECT_EQ(platform.clipboard.text(), "");
  const sheet::FrameContent& f = sheet->film().frame(3);
  EXPECT_EQ(f.caption, "From Clip");
  EXPECT_EQ(f.imageBox, (ui::Rect{2, 13, 71, 53}));
  EXPECT_EQ(f.image.bitmap(), copied);
  EXPECT_FALSE(clipboard().hasBitmap());
  EXPECT_EQ(watcher().lastTaken().bitmap(), copied);
  EXPECT_EQ(watcher().lastStored().bitmap(), copied);
  EXPECT_EQ(watcher().lastStored().width(), 640);
  EXPECT_EQ(pictureIn(4), 0u);
  EXPECT_EQ(sheet->look().strip.position, 0);
  // The tidy pass that follows counts it.
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート　4枚");
  EXPECT_EQ(sheet->look().frames[3].placeholder, "");

  // A portrait bitmap: the next frame, centred across.
  copyInOtherProgram(30, 60, 5);
  tick();
  EXPECT_EQ(sheet->film().frame(4).imageBox, (ui::Rect{2 + (75 - 35) / 2, 2, 35, 71}));
  // Nothing new on the clipboard: nothing changes.
  tick();
  EXPECT_EQ(usedFrames(), 5);
}

TEST_F(ClipboardWatcherTest, TheSelectedFrameHasItsPictureReplacedInPlace) {
  fill(6);
  forms.negativeSheet->toggleFrame(4);
  ui::Rect boxBefore = sheet->film().frame(4).imageBox;
  picture::Bitmap staged = watcher().lastStored().bitmap();
  clipboardButton();
  picture::Bitmap copied = copyInOtherProgram(300, 100, 0x77);
  tick();
  EXPECT_EQ(sheet->film().frame(4).image.bitmap(), copied);
  EXPECT_EQ(sheet->film().frame(4).imageBox, boxBefore);
  EXPECT_EQ(sheet->film().frame(4).caption, "5");
  EXPECT_EQ(usedFrames(), 6);
  EXPECT_FALSE(clipboard().hasBitmap());
  EXPECT_EQ(watcher().lastStored().bitmap(), staged);
  EXPECT_EQ(watcher().lastTaken().bitmap(), copied);
}

TEST_F(ClipboardWatcherTest, AFullFilmUsesTheOverflowFrameThenLeavesTheBitmapOnTheClipboard) {
  fill(kFilmFrames);
  clipboardButton();
  picture::Bitmap first = copyInOtherProgram(50, 50, 100);
  tick();
  EXPECT_EQ(sheet->film().frame(kOverflow).caption, "From Clip");
  EXPECT_EQ(sheet->film().frame(kOverflow).image.bitmap(), first);

  // No place left and push-out off: the bitmap stays with its owner, and
  // the ticks do not even open the clipboard.
  copyInOtherProgram(50, 50, 200);
  int opens = platform.clipboard.opens;
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(platform.clipboard.opens, opens);
  EXPECT_EQ(platform.clipboard.owner, "other");
  EXPECT_EQ(pictureIn(0), 1u);
  EXPECT_EQ(usedFrames(), kFilmFrames + 1);

  // Push-out switched on with the overflow frame used: frame 1 gives way
  // and the film slides down; the bitmap waits on the clipboard and comes
  // in last at a later tick.
  settings.pushOutWhenFull = true;
  for (int i = 0; i < 3; ++i) tick();
  idle();
  EXPECT_FALSE(clipboard().hasBitmap());
  std::vector<std::uint32_t> expected;
  for (std::uint32_t n = 3; n <= 36; ++n) expected.push_back(n);
  expected.push_back(100);
  expected.push_back(200);
  EXPECT_EQ(film(), expected);
  EXPECT_FALSE(sheet->film().used(kOverflow));
  EXPECT_EQ(sheet->film().frame(kFilmFrames - 1).caption, "From Clip");
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
}

// With push-out on, a run of copies into a full film keeps the newest 36
// in the order they came, the oldest giving way one by one.
TEST_F(ClipboardWatcherTest, PushOutKeepsTheNewestCopiesInOrder) {
  settings.pushOutWhenFull = true;
  for (std::uint32_t copies : {2u, 3u}) {
    SCOPED_TRACE(copies);
    for (int i = 0; i < kFilmFrames; ++i) sheet->film().clear(i);
    idle();
    fill(kFilmFrames);
    if (!forms.palette->clipboardButton.down()) clipboardButton();
    for (std::uint32_t n = 1; n <= copies; ++n) {
      copyInOtherProgram(40, 30, 1000 + n);
      tick();
      EXPECT_FALSE(clipboard().hasBitmap());
    }
    idle();
    std::vector<std::uint32_t> expected;
    for (std::uint32_t n = copies + 1; n <= 36; ++n) expected.push_back(n);
    for (std::uint32_t n = 1; n <= copies; ++n) expected.push_back(1000 + n);
    EXPECT_EQ(film(), expected);
    EXPECT_FALSE(sheet->film().used(kOverflow));
    EXPECT_EQ(sheet->film().frame(kFilmFrames - 1).caption, "From Clip");
    EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
  }
}

// A take into a full film leaves frame 1 empty for the tidy pass; a shot
// at its own message step before that pass, single or in a burst, is kept.
TEST_F(ClipboardWatcherTest, AShotAfterATakeIntoAFullFilmIsKept) {
  settings.pushOutWhenFull = true;
  settings.strobeCount = 3;
  fill(kFilmFrames);
  clipboardButton();
  copyInOtherProgram(40, 30, 100);
  app.dispatch([&] { box->shots().shootArea(camera::ShotTiming::from(settings)); });
  idle();
  EXPECT_EQ(sheet->film().frame(0).caption, "3");
  EXPECT_EQ(sheet->film().frame(34).caption, "From Clip");
  EXPECT_EQ(sheet->film().frame(35).caption, box->timeStamp());
  copyInOtherProgram(40, 30, 101);
  app.dispatch([&] { box->shots().shootScreenBurst(camera::ShotTiming::from(settings)); });
  idle();
  EXPECT_EQ(sheet->film().frame(0).caption, "7");
  EXPECT_EQ(sheet->film().frame(32).caption, "From Clip");
}

TEST_F(ClipboardWatcherTest, ARedCaptionLeftOnAnEmptyFrameDoesNotSwallowTheBitmaps) {
  fill(4);
  forms.negativeSheet->toggleFrame(2);
  // What delete all leaves: every frame cleared, the marks kept.
  for (int i = 0; i < 4; ++i) sheet->film().clear(i);
  idle();
  ASSERT_TRUE(sheet->film().redFrame() == 2);
  clipboardButton();
  for (std::uint32_t n = 1; n <= 3; ++n) {
    copyInOtherProgram(20, 10, n);
    tick();
  }
  EXPECT_EQ(usedFrames(), 3);
  EXPECT_EQ(pictureIn(0), 1u);
  EXPECT_EQ(pictureIn(1), 2u);
  // The frame with the red caption is filled like any empty frame, and
  // from then on it is the selected, used frame.
  EXPECT_EQ(pictureIn(2), 3u);
  EXPECT_EQ(sheet->film().frame(2).caption, "From Clip");
  copyInOtherProgram(20, 10, 4);
  tick();
  EXPECT_EQ(pictureIn(2), 4u);
  EXPECT_EQ(usedFrames(), 3);
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

TEST_F(ClipboardWatcherTest, ABitmapTooLargeForAPictureIsReportedOnceInTheProgramsWords) {
  fill(2);
  clipboardButton();
  copyInOtherProgram(10, 10, 3);
  platform.clipboard.oversizedBitmap = true;
  // The error box's own loop keeps the timer running: ticks inside it do
  // not stack up further boxes.
  int ticksInBox = 0;
  platform.messages.onShow = [&](const auto&) {
    for (int i = 0; i < 3; ++i, ++ticksInBox) tick();
  };
  for (int i = 0; i < 10; ++i) tick();
  EXPECT_EQ(ticksInBox, 3);
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
  EXPECT_EQ(platform.messages.shown[0].icon, sys::MsgIcon::Error);
  EXPECT_EQ(platform.clipboard.owner, "other");
  EXPECT_EQ(usedFrames(), 2);

  // The next copy is taken as usual.
  platform.clipboard.oversizedBitmap = false;
  copyInOtherProgram(10, 10, 4);
  tick();
  EXPECT_EQ(pictureIn(2), 4u);
  EXPECT_EQ(platform.messages.shown.size(), 1u);
}

// Whatever makes a take fail, it is reported once. A change count of 0
// tells nothing: a later bitmap is taken.
TEST_F(ClipboardWatcherTest, AnyFailedTakeIsReportedOnceAndACountOf0IsNoCount) {
  clipboardButton();
  for (bool noCount : {false, true}) {
    platform.clipboard.noChangeCount = noCount;
    platform.clipboard.onTake = [] { throw std::bad_alloc(); };
    copyInOtherProgram(10, 10, 3);
    for (int i = 0; i < 5; ++i) tick();
    platform.clipboard.onTake = [] { throw std::out_of_range("map::at"); };
    copyInOtherProgram(10, 10, 4);
    for (int i = 0; i < 5; ++i) tick();
    platform.clipboard.onTake = nullptr;
    copyInOtherProgram(10, 10, 5);
    tick();
    EXPECT_EQ(pictureIn(noCount ? 1 : 0), 5u);
  }
  std::vector<std::string> texts;
  for (const auto& m : platform.messages.shown) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"ｼｽﾃﾑ ﾘｿｰｽが不足しています", base::kUnexpectedError,
                                             "ｼｽﾃﾑ ﾘｿｰｽが不足しています"}));
}

}  // namespace
