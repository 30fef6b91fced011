// The camera box's picture commands: open, save, save as, close and the
// edit menu, with the file dialogs scripted.
#include "base/error.h"
#include "base/text.h"
#include "picture/support.h"
#include "sheet_fixture.h"

namespace {

namespace fs = std::filesystem;

class PictureCommandsTest : public SheetTest {
 protected:
  PictureCommandsTest() : startFolder_(fs::current_path()) {
    fs::create_directories(dir / "pics");
    fs::create_directories(dir / "out");
  }
  ~PictureCommandsTest() override { fs::current_path(startFolder_); }

  void choose(ui::MenuItem& item) {
    platform.backend.menuScript = [&item](ui::PopupMenu&) { return &item; };
    box->menus().command.popup(0, 0);
    platform.backend.menuScript = nullptr;
  }
  // The user picks `path` in the next dialog, or cancels it.
  void pick(const fs::path& path) { platform.fileDialogs.answers.push_back(path.string()); }
  void cancelDialog() { platform.fileDialogs.answers.push_back(std::nullopt); }
  // Open with `path` picked in the dialog; save as `path`.
  void open(const fs::path& path) {
    pick(path);
    choose(box->menus().file.open);
  }
  void saveAs(const fs::path& path) {
    pick(path);
    choose(box->menus().file.saveAs);
  }
  // Writes `bytes` as pics/name and opens it.
  void open(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    writeFile(dir / "pics" / name, bytes);
    open(dir / "pics" / name);
  }

  std::string errorShown() const {
    return platform.messages.shown.empty() ? "" : platform.messages.shown.back().text;
  }
  static void writeFile(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    picture::writeFileBytes(p.string(), bytes);
  }
  fs::path writeBmpFile(const std::string& name, const picture::Bitmap& b) {
    fs::path p = dir / "pics" / name;
    writeFile(p, picture::writeBmp(b));
    return p;
  }
  // A shot's leftovers: a picture with the time of day as its stamp.
  void shoot() {
    box->showPicture(picture::Picture(numbered(64, 48, 0x123456)), "9:05:07", app::PhotoSize::Kept);
  }

  // What the user can see of the camera box and the film.
  struct State {
    picture::Picture photo;
    std::string stamp, shadow;
    std::vector<std::string> captions;
    bool operator==(const State& o) const {
      return photo.kind() == o.photo.kind() && photo.bitmap() == o.photo.bitmap() && stamp == o.stamp &&
             shadow == o.shadow && captions == o.captions;
    }
  };
  State state() const {
    State s{box->photoPicture(), box->timeStamp(), box->look().stampShadow.text, {}};
    for (int i = 0; i <= sheet::kOverflow; ++i) s.captions.push_back(sheet->film().frame(i).caption);
    return s;
  }

 private:
  fs::path startFolder_;
};

// A minimal enhanced metafile whose frame is 100 x 50 device pixels.
std::vector<std::uint8_t> emfFile() {
  std::vector<std::uint8_t> f;
  using testsupport::put;
  put(f, 1, 4), put(f, 88, 4);
  for (int v : {0, 0, 99, 49, 0, 0, 2645, 1322}) put(f, static_cast<std::uint32_t>(v), 4);
  put(f, 0x464D4520, 4), put(f, 0x10000, 4), put(f, 108, 4), put(f, 2, 4);
  f.resize(88, 0);
  put(f, 14, 4), put(f, 20, 4), put(f, 0, 4), put(f, 16, 4), put(f, 20, 4);
  return f;
}

// A 1 x 1 icon, 32 bits with its mask.
std::vector<std::uint8_t> icoFile() {
  using testsupport::put;
  std::vector<std::uint8_t> image;
  put(image, 40, 4), put(image, 1, 4), put(image, 2, 4), put(image, 1, 2), put(image, 32, 2);
  put(image, 0, 4), put(image, 0, 4), put(image, 0, 8), put(image, 0, 4), put(image, 0, 4);
  put(image, 0xFF00FF00, 4);  // the pixel
  put(image, 0, 4);           // the mask row
  std::vector<std::uint8_t> f;
  put(f, 0, 2), put(f, 1, 2), put(f, 1, 2);
  put(f, 0x0101, 2), put(f, 0, 2), put(f, 1, 2), put(f, 32, 2), put(f, image.size(), 4), put(f, 22, 4);
  f.insert(f.end(), image.begin(), image.end());
  return f;
}

TEST_F(PictureCommandsTest, OpenTakesEachKindIntoThePhotoAndTheFilmUnderItsBareName) {
  box->setDisplayDivisor(4);
  picture::Bitmap b = numbered(320, 200, 0x00AA55);
  open(writeBmpFile("写真ソ.bmp", b));  // "ソ" ends in the byte of a backslash in Shift-JIS
  EXPECT_EQ(errorShown(), "");
  EXPECT_EQ(box->photoPicture().bitmap(), b);
  EXPECT_EQ(box->timeStamp(), "写真ソ.bmp");
  EXPECT_EQ(box->look().stampShadow.text, "写真ソ.bmp");
  EXPECT_EQ(box->displayDivisor(), 1u);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 320, 200}));  // its own size: the divisor is 1
  EXPECT_EQ(sheet->film().frame(0).caption, "写真ソ.bmp");
  EXPECT_EQ(sheet->film().frame(0).image.bitmap(), b);
  EXPECT_EQ(fs::current_path(), dir / "pics");  // the dialog moved there
  ASSERT_EQ(platform.fileDialogs.asked.size(), 1u);
  const auto& asked = platform.fileDialogs.asked[0];
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.options.title, "ファイルを開く");
  EXPECT_EQ(asked.options.filter, "Bitmapﾌｧｲﾙ（ .bmp）|*.bmp|PNGﾌｧｲﾙ（*.png）|*.png");
  EXPECT_EQ(asked.options.defaultExtension, "bmp");

  open("chart.EMF", emfFile());
  EXPECT_EQ(box->photoPicture().kind(), picture::Picture::Kind::Metafile);
  EXPECT_EQ(box->photoBounds().width, 100);
  EXPECT_EQ(sheet->film().frame(1).caption, "chart.EMF");

  open("dot.ico", icoFile());
  EXPECT_EQ(errorShown(), "");
  EXPECT_EQ(box->photoPicture().kind(), picture::Picture::Kind::Icon);
  EXPECT_EQ(sheet->film().frame(2).caption, "dot.ico");

  // A cancelled dialog changes nothing.
  State before = state();
  cancelDialog();
  choose(box->menus().file.open);
  EXPECT_TRUE(state() == before);
}

TEST_F(PictureCommandsTest, AFailedOpenLeavesPhotoStampAndFilmAsTheyWere) {
  load(40, 30, "first", 7);
  idle();
  State before = state();

  testsupport::BmpFields huge;  // 20000 x 20000 at 8 bits: over the bitmap limit
  huge.width = 20000, huge.height = 20000, huge.bpp = 8, huge.compression = 1;
  huge.palette.assign(2, 0), huge.colorsUsed = 2;
  huge.bits.assign(800000, 0);
  writeFile(dir / "pics" / "huge.bmp", testsupport::makeBmp(huge));
  writeFile(dir / "pics" / "bad.bmp", {'B', 'M', 1, 2, 3});
  writeFile(dir / "pics" / "bad.ico", {0, 0, 1, 0});
  writeFile(dir / "pics" / "bad.wmf", {1, 2, 3, 4});
  writeFile(dir / "pics" / "notes.txt", {'x'});
  std::vector<std::uint8_t> png = platform.png.encode(numbered(300, 200, 0x445566));
  writeFile(dir / "pics" / "cut.png", std::vector<std::uint8_t>(png.begin(), png.end() - 40));
  std::vector<std::uint8_t> hugePng = png;  // 30000 x 30000 in its header
  for (int at : {16, 20})
    hugePng[at] = 0, hugePng[at + 1] = 0, hugePng[at + 2] = 0x75, hugePng[at + 3] = 0x30;
  std::uint32_t crc = 0xFFFFFFFFu;  // the header chunk's checksum, made to match
  for (int i = 12; i < 29; ++i) {
    crc ^= hugePng[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  for (int i = 0; i < 4; ++i) hugePng[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  writeFile(dir / "pics" / "huge.PNG", hugePng);
  writeFile(dir / "pics" / "bitmap.png", picture::writeBmp(numbered(3, 3, 1)));
  struct Case {
    std::string name, message;
  } cases[] = {
      {"huge.bmp", base::kOutOfResources},
      {"bad.bmp", "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"},
      {"bad.ico", "ｱｲｺﾝｲﾒｰｼﾞが不正です"},
      {"bad.wmf", "ﾒﾀﾌｧｲﾙが不正です"},
      {"notes.txt", "拡張子 .txt の画像形式は処理できません"},
      {"cut.png", "PNGｲﾒｰｼﾞが不正です"},
      {"bitmap.png", "PNGｲﾒｰｼﾞが不正です"},
      {"huge.PNG", base::kOutOfResources},
      {"missing.png", "ﾌｧｲﾙ " + (dir / "pics" / "missing.png").string() + " は開けません"},
      {"missing.bmp", "ﾌｧｲﾙ " + (dir / "pics" / "missing.bmp").string() + " は開けません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform.messages.shown.clear();
    open(dir / "pics" / c.name);
    idle();
    EXPECT_EQ(errorShown(), c.message);
    EXPECT_TRUE(state() == before);
  }
}

TEST_F(PictureCommandsTest, SaveWritesUnderTheStampOrFallsBackToSaveAs) {
  // After Open: back to the opened file, found in the folder the dialog left.
  picture::Bitmap original = numbered(30, 20, 0x111111);
  fs::path opened = writeBmpFile("shot01.bmp", original);
  open(opened);
  picture::Bitmap edited = numbered(30, 20, 0x222222);
  box->showPicture(picture::Picture(edited), box->timeStamp(), app::PhotoSize::Kept);
  choose(box->menus().file.save);
  EXPECT_EQ(bmpIn(opened), edited);
  EXPECT_EQ(platform.fileDialogs.asked.size(), 1u);  // no save-as dialog

  // After a shot the stamp holds colons: save as opens, without a message.
  shoot();
  fs::path chosen = dir / "out" / "mine.BMP";
  pick(dir / "out" / "mine");  // typed without extension
  choose(box->menus().file.save);
  ASSERT_EQ(platform.fileDialogs.asked.size(), 2u);
  const auto& asked = platform.fileDialogs.asked[1];
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.options.title, "名前をつけて保存");
  EXPECT_EQ(asked.options.filter, "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ（*.BMP）|*.BMP|PNGﾌｧｲﾙ（*.PNG）|*.PNG|全てのﾌｧｲﾙ|*.*");
  EXPECT_EQ(asked.options.defaultExtension, "BMP");
  EXPECT_TRUE(asked.options.confirmOverwrite);
  EXPECT_EQ(bmpIn(chosen), numbered(64, 48, 0x123456));
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_FALSE(fs::exists("9:05:07"));
  EXPECT_EQ(box->timeStamp(), "9:05:07");  // save as keeps the stamp

  // Save as, then save: the stamp still names the file, so save as again.
  pick(dir / "out" / "again.bmp");
  choose(box->menus().file.save);
  EXPECT_EQ(platform.fileDialogs.asked.size(), 3u);
  EXPECT_TRUE(fs::exists(dir / "out" / "again.bmp"));

  // After Clear the stamp is empty: save as, and a cancel writes nothing.
  choose(box->menus().edit.clear);
  cancelDialog();
  choose(box->menus().file.save);
  EXPECT_EQ(platform.fileDialogs.asked.size(), 4u);

  // A write that fails under a name Windows takes (a folder stands there)
  // is no error for Save: save as opens, silently.
  fs::current_path(dir / "out");
  fs::create_directory(dir / "out" / "folder.bmp");
  box->setTimeStamp("folder.bmp");
  cancelDialog();
  choose(box->menus().file.save);
  ASSERT_EQ(platform.fileDialogs.asked.size(), 5u);
  EXPECT_TRUE(platform.fileDialogs.asked[4].save);
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(PictureCommandsTest, SaveAsAsksBeforeReplacingAndReportsAFileItCannotCreate) {
  shoot();
  fs::path target = dir / "out" / "keep.bmp";
  picture::Bitmap old = numbered(5, 5, 0x0000FF);
  writeFile(target, picture::writeBmp(old));
  platform.fileDialogs.acceptOverwrite = false;
  pick(target);  // the user says no to replacing, then cancels
  cancelDialog();
  choose(box->menus().file.saveAs);
  EXPECT_EQ(platform.fileDialogs.overwritePrompts, std::vector<std::string>{target.string()});
  EXPECT_EQ(bmpIn(target), old);

  fs::path blocked = dir / "out" / "folder.bmp";
  fs::create_directories(blocked);
  platform.fileDialogs.acceptOverwrite = true;
  saveAs(blocked);
  EXPECT_EQ(errorShown(), "ﾌｧｲﾙ " + blocked.string() + " を作成できません");
}

TEST_F(PictureCommandsTest, AWriteFailingHalfWayLeavesTheOldFileWholeAndNothingBeside) {
  fs::path target = dir / "out" / "big.bmp";
  picture::Bitmap old = numbered(8, 8, 0x00FF00);
  writeFile(target, picture::writeBmp(old));
  box->showPicture(picture::Picture(picture::Bitmap::create(800, 600, 24)), box->timeStamp(),
                   app::PhotoSize::Kept);
  withSmallFileLimit([&] { saveAs(target); });

  EXPECT_EQ(errorShown(), "ﾌｧｲﾙ " + target.string() + " を作成できません");
  EXPECT_EQ(bmpIn(target), old);
  std::vector<fs::path> left;
  for (const auto& e : fs::directory_iterator(dir / "out")) left.push_back(e.path());
  EXPECT_EQ(left, std::vector<fs::path>{target});
}

TEST_F(PictureCommandsTest, CutLeavesNoPictureToSaveOrSend) {
  load(40, 30, "kept", 3);
  idle();
  box->setTimeStamp("cut.bmp");
  choose(box->menus().edit.cut);
  EXPECT_TRUE(box->photoPicture().empty());
  EXPECT_EQ(box->timeStamp(), "cut.bmp");  // the stamp stays
  EXPECT_EQ(platform.clipboard.bitmap(), numbered(40, 30, 3));

  fs::current_path(dir / "out");
  choose(box->menus().file.save);
  saveAs(dir / "out" / "x.bmp");
  EXPECT_TRUE(fs::is_empty(dir / "out"));
  EXPECT_TRUE(platform.messages.shown.empty());

  choose(box->menus().edit.sendToSheet);
  idle();
  EXPECT_FALSE(sheet->film().used(1));
}

TEST_F(PictureCommandsTest, PasteKeepsThePhotosSizeAndSaveWritesThePicturesOwn) {
  picture::Bitmap big = numbered(640, 480, 0xABCDEF);
  platform.clipboard.putFromOtherProgram(big);
  choose(box->menus().command.edit);
  EXPECT_TRUE(box->menus().edit.paste.enabled());
  choose(box->menus().edit.paste);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_EQ(box->photoPicture().bitmap(), big);
  EXPECT_FALSE(sheet->film().used(0));  // the film is not touched
  saveAs(dir / "out" / "pasted.bmp");
  EXPECT_EQ(bmpIn(dir / "out" / "pasted.bmp"), big);

  // Nothing on the clipboard: the item is disabled, and paste does nothing.
  platform.clipboard.putTextFromOtherProgram("text");
  int opens = platform.clipboard.opens;
  choose(box->menus().command.edit);
  EXPECT_FALSE(box->menus().edit.paste.enabled());
  EXPECT_EQ(platform.clipboard.opens, opens);  // asked without opening it
  app.dispatch([&] { box->menus().edit.paste.onClick(); });
  EXPECT_EQ(box->photoPicture().bitmap(), big);

  // A bitmap that cannot be read is reported and the photo stays.
  platform.clipboard.putFromOtherProgram(numbered(2, 2, 1));
  platform.clipboard.unreadableBitmap = true;
  choose(box->menus().command.edit);
  choose(box->menus().edit.paste);
  EXPECT_EQ(errorShown(), "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");
  EXPECT_EQ(box->photoPicture().bitmap(), big);
  // One larger than a bitmap may be: the program's out-of-resources text.
  platform.clipboard.unreadableBitmap = false;
  platform.clipboard.oversizedBitmap = true;
  choose(box->menus().edit.paste);
  EXPECT_EQ(errorShown(), base::kOutOfResources);
  EXPECT_EQ(box->photoPicture().bitmap(), big);
}

TEST_F(PictureCommandsTest, ClearCopyAndSendToTheSheet) {
  settings.defaultViewfinderWidth = 200;
  settings.defaultViewfinderHeight = 150;
  box->setTimeStamp("old");
  choose(box->menus().edit.clear);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 196, 146}));
  EXPECT_EQ(box->photoPicture().bitmap(), camera::titlePicture());
  EXPECT_EQ(box->timeStamp(), "");
  EXPECT_EQ(box->look().stampShadow.text, "");

  // Send after clear: the title picture with an empty caption, which the
  // film counts as an empty frame.
  choose(box->menus().edit.sendToSheet);
  EXPECT_EQ(sheet->film().frame(0).image.bitmap(), camera::titlePicture());
  EXPECT_FALSE(sheet->film().used(0));

  box->showPicture(picture::Picture(numbered(50, 40, 9)), "sent", app::PhotoSize::Kept);
  box->setDisplayDivisor(4);
  choose(box->menus().edit.copy);
  EXPECT_EQ(platform.clipboard.bitmap(), numbered(50, 40, 9));
  choose(box->menus().edit.sendToSheet);
  idle();
  EXPECT_EQ(sheet->film().frame(0).caption, "sent");
  EXPECT_EQ(box->displayDivisor(), 1u);
  EXPECT_EQ(box->photoBounds().width, 50);
}

// An icon or a metafile goes to the clipboard as the photo shows it, at
// the photo's size; Cut then clears the photo, Paste replaces it.
TEST_F(PictureCommandsTest, CopyCutAndPasteTakeAnIconOrAMetafileAsShown) {
  open("dot.ico", icoFile());
  box->resizePhoto({4, 3});
  choose(box->menus().edit.copy);
  picture::Bitmap copied = platform.clipboard.bitmap();
  EXPECT_EQ(std::pair(copied.width(), copied.height()), std::pair(4, 3));
  EXPECT_EQ(copied.pixel(3, 2), 0x00FF00u);
  EXPECT_EQ(box->photoPicture().kind(), picture::Picture::Kind::Icon);
  platform.clipboard.putFromOtherProgram(numbered(5, 5, 9));
  choose(box->menus().edit.paste);
  EXPECT_EQ(box->photoPicture().bitmap(), numbered(5, 5, 9));

  open("chart.emf", emfFile());
  choose(box->menus().edit.cut);
  copied = platform.clipboard.bitmap();  // played here into white
  EXPECT_EQ(std::pair(copied.width(), copied.height()), std::pair(100, 50));
  EXPECT_EQ(copied.pixel(99, 49), 0xFFFFFFu);
  EXPECT_TRUE(box->photoPicture().empty());
}

// The series is bitmaps by its names: opened icons and metafiles are
// written as the bitmaps they show, so the whole series loads back.
TEST_F(PictureCommandsTest, BatchSaveWritesIconsAndMetafilesAsBitmapsThatLoadBack) {
  open("dot.ico", icoFile());
  open("chart.emf", emfFile());
  picture::Bitmap third = load(30, 20, "third", 3);
  idle();
  pick(dir / "out" / "series");
  app.dispatch([&] { sheet->buttons().save.click(); });
  app.dispatch([&] { sheet->menus().remove.deleteAll.click(); });
  idle();
  pick(dir / "out" / "series01.bmp");
  app.dispatch([&] { sheet->menus().save.loadFilm.click(); });
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_EQ(sheet->film().frame(2).caption, "series03.bmp");
  EXPECT_EQ(sheet->film().frame(0).image.bitmap().pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(sheet->film().frame(1).image.width(), 100);
  EXPECT_EQ(sheet->film().frame(2).image.bitmap(), third);
}

// An opened file's time stamp keeps 255 characters of its name, however
// many bytes they take in the Japanese code page.
TEST(TimeStampCut, AtCharactersNotBytes) {
  std::string name = "写" + std::string(250, 'x') + ".bmp";
  EXPECT_EQ(base::firstCharacters(name, 255), name);
  EXPECT_EQ(base::firstCharacters(name + "x", 255), name);
  EXPECT_EQ(base::firstCharacters("a𠮷b", 2), "a𠮷");
}

TEST_F(PictureCommandsTest, PngOpensAndIsWrittenOnlyUnderAPngName) {
  const std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  // The picture in a PNG file, none when the file is not one.
  auto pngIn = [&](const fs::path& p) -> std::optional<picture::Bitmap> {
    auto bytes = picture::readFileBytes(p.string(), std::size_t{1} << 26);
    if (bytes.size() <= 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) return std::nullopt;
    return platform.png.decode(bytes);
  };
  auto samePixels = [](const picture::Bitmap& a, const picture::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
  };

  // Open: a PNG (its extension in any case) into the photo and the film.
  picture::Bitmap drawn = numbered(120, 90, 0x3366CC);
  drawn.setPixel(119, 89, 0xFEDCBA);
  fs::path opened = dir / "pics" / "画面.PNG";
  writeFile(opened, platform.png.encode(drawn));
  open(opened);
  EXPECT_EQ(errorShown(), "");
  EXPECT_TRUE(samePixels(box->photoPicture().bitmap(), drawn));
  EXPECT_EQ(box->timeStamp(), "画面.PNG");
  EXPECT_EQ(sheet->film().frame(0).caption, "画面.PNG");
  EXPECT_EQ(box->photoBounds().width, 120);

  // Save writes back to it as PNG.
  picture::Bitmap edited = numbered(120, 90, 0x00FF00);
  box->showPicture(picture::Picture(edited), box->timeStamp(), app::PhotoSize::Kept);
  choose(box->menus().file.save);
  ASSERT_TRUE(pngIn(opened));
  EXPECT_TRUE(samePixels(*pngIn(opened), edited));

  // Under a ".bmp" name it is a BMP, byte for byte what it was before PNG.
  saveAs(dir / "out" / "back.bmp");
  EXPECT_EQ(picture::readFileBytes((dir / "out" / "back.bmp").string(), 1 << 26), picture::writeBmp(edited));
  saveAs(dir / "out" / "plain");  // no extension: the default one, BMP
  EXPECT_EQ(picture::readFileBytes((dir / "out" / "plain.BMP").string(), 1 << 26), picture::writeBmp(edited));

  // A shot (32 bits) saved as PNG: every pixel, and the stamp stays.
  box->showPicture(picture::Picture(picture::Bitmap::create(64, 48, 32)), box->timeStamp(),
                   app::PhotoSize::Kept);
  picture::Bitmap shot = box->photoPicture().bitmap();
  for (int x = 0; x < 64; ++x) shot.setPixel(x, x % 48, 0x010203u * std::uint32_t(x));
  box->showPicture(picture::Picture(shot), "9:05:07", app::PhotoSize::Kept);
  pick(dir / "out" / "shot.png");
  choose(box->menus().file.save);  // the stamp is no file name: save as
  ASSERT_TRUE(pngIn(dir / "out" / "shot.png"));
  EXPECT_TRUE(samePixels(*pngIn(dir / "out" / "shot.png"), shot));
  EXPECT_EQ(box->timeStamp(), "9:05:07");

  // An icon is written as its image over white; a metafile has no pixels
  // here and is refused, with nothing written.
  open("dot.ico", icoFile());
  saveAs(dir / "out" / "dot.png");
  ASSERT_TRUE(pngIn(dir / "out" / "dot.png"));
  EXPECT_EQ(pngIn(dir / "out" / "dot.png")->pixel(0, 0), 0x00FF00u);
  open("chart.emf", emfFile());
  platform.messages.shown.clear();
  saveAs(dir / "out" / "chart.png");
  EXPECT_EQ(errorShown(), "ﾌｧｲﾙ " + (dir / "out" / "chart.png").string() + " を作成できません");
  EXPECT_FALSE(fs::exists(dir / "out" / "chart.png"));
  EXPECT_EQ(platform.messages.shown.size(), 1u);
}

TEST_F(PictureCommandsTest, CloseHidesTheBoxAndLeavesTheHoldFlag) {
  box->setKeepHidden(false);
  box->showForm();
  choose(box->menus().file.close);
  EXPECT_FALSE(box->visible());
  EXPECT_FALSE(box->keepHidden());
  // The file and edit submenus bring back the normal view as they open.
  box->showForm();
  choose(box->menus().command.area);
  EXPECT_FALSE(box->look().viewfinder.shown);
  choose(box->menus().command.file);
  EXPECT_TRUE(box->look().viewfinder.shown);
  choose(box->menus().command.area);
  choose(box->menus().command.edit);
  EXPECT_TRUE(box->look().viewfinder.shown);
}

}  // namespace
