// A press on a frame: selecting, unselecting, the camera box and the
// hand-off file.
#include <cstdlib>
#include <memory>
#include <optional>

#include "sheet_fixture.h"

namespace {

using sheet::kFilmFrames;
using sheet::kOverflow;

constexpr ui::Color kRed = 0xFF0000;

class FrameClickTest : public SheetTest {
 protected:
  // A click on frame i's thumbnail, the strip scrolled to it, as the loop
  // delivers it: an error ends in the error box.
  void press(int i, ui::MouseButton button = ui::MouseButton::Left) {
    sheet->scrollStrip(75 * i);
    const sheet::NegativeSheet::SheetLook look = sheet->look();
    const sheet::NegativeSheet::FrameLook& f = look.frames[i];
    const int x = look.strip.content.x + f.panel.left + f.thumbnail.left + 5;
    const int y = look.strip.content.y + f.panel.top + f.thumbnail.top + 5;
    app.dispatch([&] { sheet->dispatchMouseDown(button, 0, x, y); });
    app.dispatch([&] { sheet->dispatchMouseUp(button, 0, x, y); });
  }

  std::string handOffPath() const { return (dir / "temp" / "temp.bmp").string(); }
  bool handOffWritten() const { return std::filesystem::exists(handOffPath()); }
  picture::Bitmap handOffBitmap() const { return bmpIn(handOffPath()); }

  // The frame with a lowered panel, then the one with a red caption.
  std::vector<std::optional<int>> marks() const {
    return {sheet->film().loweredFrame(), sheet->film().redFrame()};
  }
  static std::vector<std::optional<int>> both(std::optional<int> frame) { return {frame, frame}; }
};

TEST_F(FrameClickTest, APressSelectsAndASecondPressUnselects) {
  fill(3);
  picture::Bitmap second = load(120, 90, "shot02.bmp", 0x00AA55);
  idle();
  box->showPicture(picture::Picture(), box->timeStamp(), app::PhotoSize::Kept);

  // The right button does what the left does, on the press.
  press(3, ui::MouseButton::Right);
  EXPECT_EQ(marks(), both(3));
  EXPECT_EQ(box->photoPicture().bitmap(), second);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 120, 90}));
  EXPECT_EQ(box->timeStamp(), "shot02.bmp");
  EXPECT_EQ(box->look().stampShadow.text, "shot02.bmp");
  ASSERT_TRUE(handOffWritten());
  EXPECT_EQ(handOffBitmap(), second);
  // Selecting does not show a hidden camera box, nor touch the film.
  EXPECT_FALSE(box->visible());
  EXPECT_EQ(sheet->film().frame(3).imageBox, (ui::Rect{2, 2 + (75 - 53) / 2, 71, 53}));

  // The middle button unselects; the camera box and the file keep the picture.
  std::filesystem::remove(handOffPath());
  press(3, ui::MouseButton::Middle);
  EXPECT_EQ(marks(), both(std::nullopt));
  EXPECT_EQ(box->photoPicture().bitmap(), second);
  EXPECT_FALSE(handOffWritten());
  EXPECT_TRUE(platform.messages.shown.empty());
}

// Each frame shows what the film holds, the marks of the selected picture
// after the tidy pass moved it included.
TEST_F(FrameClickTest, EachFrameShowsTheFilm) {
  fill(4);
  press(2);
  clearAndTidy({1});
  ASSERT_EQ(sheet->film().loweredFrame(), 1);
  for (int i = 0; i <= kOverflow; ++i) {
    SCOPED_TRACE(i);
    const sheet::FrameContent& c = sheet->film().frame(i);
    const sheet::NegativeSheet::FrameLook f = sheet->look().frames[i];
    const picture::Picture& shown = f.picture;
    EXPECT_EQ(shown.empty() ? 0u : shown.bitmap().pixel(0, 0), pictureIn(i));
    EXPECT_EQ(f.thumbnail, c.imageBox);
    EXPECT_EQ(f.caption, c.caption);
    if (i == kOverflow) continue;
    EXPECT_EQ(f.bevel, i == 1 ? ui::BevelCut::Lowered : ui::BevelCut::Raised);
    EXPECT_EQ(f.captionFont.color, i == 1 ? kRed : ui::clBlack);
  }
}

TEST_F(FrameClickTest, SelectingAnotherFrameLeavesOnlyItMarked) {
  fill(6);
  press(1);
  press(4);
  EXPECT_EQ(marks(), both(4));
  EXPECT_EQ(handOffBitmap().pixel(0, 0), 5u);
  EXPECT_EQ(box->timeStamp(), "5");

  // Marks left out of step (delete all, sheet printing) are put right by a selection.
  press(0);
  sheet->film().dropLoweredMark();
  press(5);
  EXPECT_EQ(marks(), both(5));
}

// The overflow frame stays hidden, so a press reaches frame 36 only.
TEST_F(FrameClickTest, WithAPictureInTheOverflowFrameAPressSelectsFrame36) {
  fill(kFilmFrames);
  load(40, 30, "overflow", 99);
  press(kFilmFrames - 1);
  EXPECT_EQ(sheet->film().loweredFrame(), kFilmFrames - 1);
  EXPECT_EQ(box->timeStamp(), "36");
  EXPECT_EQ(sheet->look().frames[kOverflow].bevel, ui::BevelCut::Raised);
}

TEST_F(FrameClickTest, APressOnAnEmptyFrameChangesNothing) {
  // Even an empty frame that still shows the marks (delete all leaves them).
  fill(3);
  press(2);
  sheet->deleteAllFrames();
  idle();
  fill(2);
  std::filesystem::remove(handOffPath());
  box->showPicture(picture::Picture(), "before", app::PhotoSize::Kept);
  press(2);
  press(5, ui::MouseButton::Right);
  EXPECT_EQ(marks(), both(2));
  EXPECT_TRUE(box->photoPicture().empty());
  EXPECT_EQ(box->timeStamp(), "before");
  EXPECT_FALSE(handOffWritten());
}

TEST_F(FrameClickTest, APictureAsWideOrAsTallAsTheScreenShowsAtAQuarter) {
  // The screen is 1024 x 768.
  struct Case {
    int w, h, photoW, photoH;
  } cases[] = {
      {1023, 767, 1023, 767},  // smaller both ways: its own size
      {1024, 700, 256, 175},   // as wide as the screen
      {1001, 768, 250, 192},   // as tall as the screen
      {1030, 770, 257, 192},   // larger: a quarter, truncated
  };
  fill(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
    sheet->film().replacePicture(0, picture::Picture(numbered(c.w, c.h, 7)));
    press(0);  // selects
    EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, c.photoW, c.photoH}));
    EXPECT_EQ(box->photoPicture().width(), c.w);
    press(0);  // unselects, for the next case
  }
}

TEST_F(FrameClickTest, TheHandOffFileIsAStandardBmpOfTheFramesOwnFormatAndIsReplaced) {
  std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  picture::Bitmap indexed = picture::Bitmap::create(5, 3, 8, palette);
  indexed.setPixel(4, 2, 3);
  indexed.setPixel(0, 0, 1);
  fill(2);
  sheet->film().replacePicture(1, picture::Picture(indexed));
  press(1);
  auto bytes = picture::readFileBytes(handOffPath(), 1 << 20);
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  picture::Bitmap written = picture::readBmp(bytes.data(), bytes.size());
  EXPECT_EQ(written, indexed);
  EXPECT_EQ(written.bitsPerPixel(), 8);

  // The next selection replaces the file (a shorter one leaves nothing of the old).
  press(0);
  EXPECT_EQ(handOffBitmap(), numbered(40, 30, 1));
}

// A Windows metafile: header, a SetWindowExt record of w x h when given, the end record.
std::vector<std::uint8_t> metafile(int w, int h) {
  std::vector<std::uint8_t> f;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(1, 2), put(9, 2), put(0x300, 2), put(0, 4), put(0, 2), put(5, 4), put(0, 2);
  if (w > 0) put(5, 4), put(0x020C, 2), put(std::uint32_t(h), 2), put(std::uint32_t(w), 2);
  put(3, 4), put(0, 2);
  return f;
}

TEST_F(FrameClickTest, AMetafileFramesHandOffFileIsABmpOfThePictureAsShown) {
  fill(2);
  sheet->film().replacePicture(1, picture::Picture::fromMetafileBytes(metafile(60, 40)));
  press(1);
  ASSERT_TRUE(platform.messages.shown.empty());
  picture::Bitmap written = handOffBitmap();
  EXPECT_EQ(std::pair(written.width(), written.height()), std::pair(60, 40));
  // Nothing is drawn headless: the page the metafile is played on.
  EXPECT_EQ(written.pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(written.pixel(59, 39) & 0xFFFFFFu, 0xFFFFFFu);

  // A metafile that records no size: the size of the thumbnail's box.
  press(1);
  sheet->film().replacePicture(0, picture::Picture::fromMetafileBytes(metafile(0, 0)));
  press(0);
  written = handOffBitmap();
  EXPECT_EQ(std::pair(written.width(), written.height()), std::pair(71, 71));
}

TEST_F(FrameClickTest, AFailedWriteNamesTheFileAndTheFrameIsSelectedAllTheSame) {
  fill(2);
  platform.files.tempDir = (dir / "no such folder").string() + "/";
  press(1);
  EXPECT_EQ(messageTexts(),
            std::vector<std::string>{"ﾌｧｲﾙ " + (dir / "no such folder" / "temp.bmp").string() +
                                     " を作成できません"});
  EXPECT_EQ(marks(), both(1));
  EXPECT_EQ(box->photoPicture().bitmap().pixel(0, 0), 2u);
  EXPECT_EQ(box->timeStamp(), "2");
}

TEST_F(FrameClickTest, TheTemporaryFolderIsTmpdirElseTmp) {
  // TMPDIR back as it was, however the test ends.
  const char* was = std::getenv("TMPDIR");
  std::shared_ptr<void> keep(nullptr, [saved = was ? std::optional<std::string>(was) : std::nullopt](void*) {
    saved ? ::setenv("TMPDIR", saved->c_str(), 1) : ::unsetenv("TMPDIR");
  });
  ::setenv("TMPDIR", "/var/somewhere", 1);
  EXPECT_EQ(headless::Files::userTemporaryDirectory(), "/var/somewhere/");
  ::unsetenv("TMPDIR");
  EXPECT_EQ(headless::Files::userTemporaryDirectory(), "/tmp/");
  EXPECT_EQ(sheet->handOffPath(), handOffPath());
}

}  // namespace
