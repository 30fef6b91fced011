// The film's commands: playback, batch save and load, delete, and the
// hand-off to other programs.
#include <fstream>
#include <set>

#include "app/file_dialogs.h"
#include "sheet_fixture.h"

namespace {

using sheet::kFilmFrames;
using sheet::kOverflow;

class FilmCommandsTest : public SheetTest {
 protected:
  FilmCommandsTest() : startFolder_(std::filesystem::current_path()) {}
  // The scripted dialogs move the process's current folder.
  ~FilmCommandsTest() override { std::filesystem::current_path(startFolder_); }

  // As the loop delivers a click: an error ends in the error box.
  void click(ui::Control& button) {
    app.dispatch([&] { button.click(); });
  }
  void choose(ui::MenuItem& item) {
    app.dispatch([&] { item.click(); });
  }
  // Batch save under `series`, batch load from `file`, delete all: in the test's folder.
  void saveSeries(const std::string& series) {
    platform.fileDialogs.answers = {at(series)};
    click(sheet->buttons().save);
  }
  void loadSeries(const std::string& file) {
    platform.fileDialogs.answers = {at(file)};
    choose(sheet->menus().save.loadFilm);
  }
  void deleteAll() {
    choose(sheet->menus().remove.deleteAll);
    idle();
  }

  std::string at(const std::string& name) const { return (dir / name).string(); }
  picture::Bitmap bitmapIn(const std::string& name) const { return bmpIn(at(name)); }
  static void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The files in the test's folder, by name.
  std::set<std::string> filesInFolder() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
      if (e.is_regular_file() && e.path().filename() != "mirune.ini")
        names.insert(e.path().filename().string());
    return names;
  }
  // A series "abcdef01.bmp" .. on disk, picture k numbered k.
  void writeSeries(const std::string& series, int count) {
    for (int k = 1; k <= count; ++k)
      picture::writeFileBytes(at(series + (k < 10 ? "0" : "") + std::to_string(k) + ".bmp"),
                              picture::writeBmp(numbered(20 + k, 10 + k, std::uint32_t(k))));
  }
  std::uint32_t photoNumber() const {
    const picture::Picture& p = box->photoPicture();
    return p.empty() ? 0 : p.bitmap().pixel(0, 0);
  }

 private:
  std::filesystem::path startFolder_;
};

// ---------------------------------------------------------------- playback

TEST_F(FilmCommandsTest, PlayStepsShowTheFramesInOrderAndStartOverAfterTheEnd) {
  box->resizePhoto({50, 40});
  box->showPicture(picture::Picture(), box->timeStamp(), app::PhotoSize::Kept);
  // An empty film: nothing shows, the position stays at 1.
  click(sheet->buttons().play);
  EXPECT_EQ(sheet->film().playPosition(), 0);
  EXPECT_TRUE(box->photoPicture().empty());

  fill(3);
  sheet->toggleFrame(1);
  box->resizePhoto({50, 40});
  std::vector<std::uint32_t> shown;
  std::vector<std::string> stamps;
  for (int press = 0; press < 5; ++press) {
    click(sheet->buttons().play);
    shown.push_back(photoNumber());
    stamps.push_back(box->look().stampShadow.text);
  }
  // The fourth press shows nothing and leaves the third picture up.
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{1, 2, 3, 3, 1}));
  EXPECT_EQ(stamps, (std::vector<std::string>{"1", "2", "3", "3", "1"}));
  EXPECT_EQ(sheet->film().playPosition(), 1);
  // The photo keeps its size; the selection and the film stay.
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 50, 40}));
  EXPECT_TRUE(sheet->film().loweredFrame() == 1);
  EXPECT_TRUE(sheet->film().redFrame() == 1);
  EXPECT_EQ(captions(0, 3), (std::vector<std::string>{"1", "2", "3", ""}));
  EXPECT_FALSE(sheet->tidyDue());

  // Frames removed from the end: a position past the film shows nothing.
  sheet->film().playStep();  // from frame 2 to 3
  sheet->film().clear(2);
  box->showPicture(picture::Picture(), box->timeStamp(), app::PhotoSize::Kept);
  click(sheet->buttons().play);
  EXPECT_TRUE(box->photoPicture().empty());
  EXPECT_EQ(sheet->film().playPosition(), 0);

  // A full film plays frame 36, then frame 1.
  deleteAll();
  fill(kFilmFrames);
  for (int press = 1; press <= kFilmFrames; ++press) {
    click(sheet->buttons().play);
    ASSERT_EQ(photoNumber(), std::uint32_t(press));
  }
  EXPECT_EQ(sheet->film().playPosition(), 0);
  click(sheet->buttons().play);
  EXPECT_EQ(photoNumber(), 1u);
  EXPECT_EQ(sheet->film().playPosition(), 1);
}

TEST_F(FilmCommandsTest, TheAutomaticRunDrawsEachStepAtOnceAndPausesTheStrobeInterval) {
  fill(3);
  box->showForm();
  idle();
  std::int64_t start = platform.backend.now();
  std::vector<std::uint32_t> numbers;
  std::vector<std::int64_t> times;
  platform.backend.onPaint = [&](ui::Form& f) {
    if (&f == box) numbers.push_back(photoNumber()), times.push_back(platform.backend.now() - start);
  };
  // Defaults: strobe count 4, so 5 steps, each followed by 1 s.
  ASSERT_EQ(settings.strobeCount, 4);
  ASSERT_EQ(settings.strobeIntervalTenths, 10);
  choose(sheet->menus().play.autoPlay);
  platform.backend.onPaint = nullptr;
  // Frames 1, 2, 3, nothing (no change, no drawing), then 1 again; the
  // loop did not run meanwhile.
  EXPECT_EQ(numbers, (std::vector<std::uint32_t>{1, 2, 3, 1}));
  EXPECT_EQ(times, (std::vector<std::int64_t>{0, 1000, 2000, 4000}));
  EXPECT_EQ(platform.backend.now() - start, 5000);
  EXPECT_EQ(sheet->film().playPosition(), 1);
  EXPECT_EQ(box->timeStamp(), "1");

  // The run starts where the position is; its length is counted in 8 bits.
  settings.strobeCount = 6;
  settings.strobeIntervalTenths = 3;
  start = platform.backend.now();
  choose(sheet->menus().play.autoPlay);
  EXPECT_EQ(platform.backend.now() - start, 7 * 300);
  // From 2: 2, 3, -, 1, 2, 3, -.
  EXPECT_EQ(sheet->film().playPosition(), 0);
  settings.strobeCount = 255;
  start = platform.backend.now();
  choose(sheet->menus().play.autoPlay);
  EXPECT_EQ(platform.backend.now(), start);
  EXPECT_EQ(sheet->film().playPosition(), 0);
}

// -------------------------------------------------------------- batch save

TEST_F(FilmCommandsTest, BatchSaveWritesUsedFramesUnderTheSeriesName) {
  // An empty film: nothing written, nothing said.
  saveSeries("abcdef");
  EXPECT_TRUE(filesInFolder().empty());
  EXPECT_TRUE(platform.messages.shown.empty());

  std::vector<picture::Bitmap> shots;
  for (int k = 1; k <= 4; ++k) {
    shots.push_back(load(30 + k, 20 + k, "shot" + std::to_string(k), std::uint32_t(k)));
    idle();
  }
  // A palette picture is written as one.
  std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  picture::Bitmap eightBit = picture::Bitmap::create(9, 7, 8, palette);
  eightBit.setPixel(1, 1, 0xFF0000);
  box->showPicture(picture::Picture(eightBit), "palette", app::PhotoSize::Kept);
  box->storePhotoInFilm();
  idle();
  // A gap left by a delete before the tidy pass: frame 3 is skipped.
  sheet->film().clear(2);
  // A file of the series already there is replaced without asking.
  writeText(at("abcdef01.bmp"), "old");

  saveSeries("abcdef");
  ASSERT_EQ(platform.fileDialogs.asked.size(), 2u);
  const auto& asked = platform.fileDialogs.asked[1];
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.options.title, "名前をつけて保存");
  EXPECT_EQ(asked.options.filter, "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ（*.BMP）|*.BMP|PNGﾌｧｲﾙ（*.PNG）|*.PNG|全てのﾌｧｲﾙ|*.*");
  EXPECT_FALSE(asked.options.confirmOverwrite);
  EXPECT_TRUE(platform.fileDialogs.overwritePrompts.empty());
  EXPECT_TRUE(platform.messages.shown.empty());

  EXPECT_EQ(filesInFolder(),
            (std::set<std::string>{"abcdef01.bmp", "abcdef02.bmp", "abcdef04.bmp", "abcdef05.bmp"}));
  for (int k : {1, 2, 4}) EXPECT_EQ(bitmapIn("abcdef0" + std::to_string(k) + ".bmp"), shots[k - 1]) << k;
  picture::Bitmap written = bitmapIn("abcdef05.bmp");
  EXPECT_EQ(written.bitsPerPixel(), 8);
  EXPECT_EQ(written, eightBit);
  // The film is as it was.
  EXPECT_EQ(captions(0, 4), (std::vector<std::string>{"shot1", "shot2", "", "shot4", "palette"}));
}

TEST_F(FilmCommandsTest, BatchSaveCountsTheNameInTheJapaneseCodePagesBytes) {
  fill(2);
  struct Case {
    std::vector<std::optional<std::string>> typed;
    std::size_t refusals;
    std::set<std::string> files;
  } cases[] = {
      // ".BMP" is added to a name typed without one: 11 bytes.
      {{"abcdefg", "abcdef"}, 1, {"abcdef01.bmp", "abcdef02.bmp"}},
      // 10 bytes; the extension change cuts at the dot.
      {{"abc.defghi"}, 0, {"abc01.bmp", "abc02.bmp"}},
      // Two double-byte characters count 4 bytes (6 in UTF-8).
      {{"写真ab"}, 0, {"写真ab01.bmp", "写真ab02.bmp"}},
      {{"写真abc", "写真"}, 2, {}},
      {{"ab", std::nullopt}, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(*c.typed[0]);
    for (const auto& p : std::filesystem::directory_iterator(dir))
      if (p.is_regular_file()) std::filesystem::remove(p.path());
    platform.messages.shown.clear();
    platform.fileDialogs.asked.clear();
    platform.fileDialogs.answers.clear();
    for (const auto& t : c.typed)
      platform.fileDialogs.answers.push_back(t ? std::optional(at(*t)) : std::nullopt);
    click(sheet->buttons().save);
    EXPECT_EQ(platform.messages.shown.size(), c.refusals);
    for (const auto& m : platform.messages.shown) {
      EXPECT_EQ(m.text, "英数字6文字で名前をつけてください");
      EXPECT_EQ(m.buttons, sys::MsgButtons::OK);
    }
    // The dialog comes back after each refusal, until a name fits or it is cancelled.
    EXPECT_EQ(platform.fileDialogs.asked.size(), c.refusals + 1);
    EXPECT_EQ(filesInFolder(), c.files);
  }
}

// A write that fails half-way: the files before it are written, the file
// it was to replace stays whole, nothing half-written is left, the later
// frames are not tried, and the failure is said once.
TEST_F(FilmCommandsTest, BatchSaveStopsAtTheFirstFileThatCannotBeWritten) {
  picture::Bitmap small = load(40, 30, "1", 1);
  load(400, 300, "2", 2);  // about 360 KB: beyond the size limit below
  load(40, 30, "3", 3);
  idle();
  writeText(at("abcdef02.bmp"), "the old second file");
  writeText(at("abcdef03.bmp"), "the old third file");
  withSmallFileLimit([&] { saveSeries("abcdef"); });
  const std::vector<std::string> failed = {"ﾌｧｲﾙ " + at("abcdef02.bmp") + " を作成できません"};
  EXPECT_EQ(messageTexts(), failed);
  EXPECT_EQ(bitmapIn("abcdef01.bmp"), small);
  EXPECT_EQ(readText(at("abcdef02.bmp")), "the old second file");
  EXPECT_EQ(readText(at("abcdef03.bmp")), "the old third file");
  EXPECT_EQ(filesInFolder(), (std::set<std::string>{"abcdef01.bmp", "abcdef02.bmp", "abcdef03.bmp"}));

  // A target that is a folder fails the same way.
  std::filesystem::remove(at("abcdef02.bmp"));
  std::filesystem::create_directory(at("abcdef02.bmp"));
  platform.messages.shown.clear();
  saveSeries("abcdef");
  EXPECT_EQ(messageTexts(), failed);
  EXPECT_EQ(readText(at("abcdef03.bmp")), "the old third file");
  EXPECT_EQ(filesInFolder(), (std::set<std::string>{"abcdef01.bmp", "abcdef03.bmp"}));
}

// -------------------------------------------------------------- batch load

TEST_F(FilmCommandsTest, ASavedFilmLoadsBackWithItsPicturesAndFileNames) {
  std::vector<picture::Bitmap> shots;
  for (int k = 1; k <= 3; ++k) {
    shots.push_back(load(64 * k, 48 * k, "12:00:0" + std::to_string(k), std::uint32_t(0x102030 * k)));
    idle();
  }
  std::filesystem::create_directory(dir / "series");
  // A character the code page lacks counts one byte of the series name and
  // stays as it is: only the frame number goes.
  for (const std::string series : {"写真ab", "cafébb", "𠮷abcde"}) {
    SCOPED_TRACE(series);
    saveSeries("series/" + series);
    ASSERT_TRUE(platform.messages.shown.empty());
    deleteAll();
    // A full-screen shot left the camera box at a quarter size.
    box->setDisplayDivisor(4);
    loadSeries("series/" + series + "01.bmp");
    ASSERT_TRUE(platform.messages.shown.empty());
    const auto& asked = platform.fileDialogs.asked.back();
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.options.title, "ファイルを開く");
    EXPECT_EQ(asked.options.filter, "Bitmapﾌｧｲﾙ（ .bmp）|*.bmp|PNGﾌｧｲﾙ（*.png）|*.png");

    EXPECT_EQ(captions(0, 3),
              (std::vector<std::string>{series + "01.bmp", series + "02.bmp", series + "03.bmp", ""}));
    for (int k = 0; k < 3; ++k) EXPECT_EQ(sheet->film().frame(k).image.bitmap(), shots[k]);
    // The camera box shows the last picture at its own size, named by its file.
    EXPECT_EQ(box->photoPicture().bitmap(), shots[2]);
    EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 192, 144}));
    EXPECT_EQ(box->timeStamp(), series + "03.bmp");
    EXPECT_EQ(box->look().stampShadow.text, series + "03.bmp");
    idle();
    EXPECT_EQ(sheet->caption(), "ネガシート　3枚");
  }
}

TEST_F(FilmCommandsTest, BatchLoadTakesTheChosenFileFirstThenTheSeriesFrom02) {
  writeSeries("abcdef", 5);
  loadSeries("abcdef05.bmp");
  EXPECT_EQ(captions(0, 5), (std::vector<std::string>{"abcdef05.bmp", "abcdef02.bmp", "abcdef03.bmp",
                                                      "abcdef04.bmp", "abcdef05.bmp", ""}));
  EXPECT_EQ(pictureIn(0), 5u);
  EXPECT_EQ(pictureIn(4), 5u);
  // One tidy pass, after the command.
  EXPECT_TRUE(sheet->tidyDue());
  EXPECT_TRUE(platform.messages.shown.empty());

  // A file of the series that cannot be read ends the load, silently.
  deleteAll();
  writeText(at("abcdef03.bmp"), "not a bitmap");
  loadSeries("abcdef01.bmp");
  EXPECT_EQ(captions(0, 2), (std::vector<std::string>{"abcdef01.bmp", "abcdef02.bmp", ""}));
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(FilmCommandsTest, AChosenFileThatCannotBeReadChangesNothing) {
  fill(2);
  picture::Picture shown = box->photoPicture();
  std::string stamp = box->timeStamp();
  writeText(at("abcdef01.bmp"), "BM but not a bitmap");
  loadSeries("abcdef01.bmp");
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です"});
  EXPECT_EQ(captions(0, 2), (std::vector<std::string>{"1", "2", ""}));
  EXPECT_EQ(box->photoPicture().bitmap(), shown.bitmap());
  EXPECT_EQ(box->timeStamp(), stamp);
  EXPECT_FALSE(sheet->tidyDue());

  // A cancelled dialog does nothing either.
  platform.messages.shown.clear();
  choose(sheet->menus().save.loadFilm);
  EXPECT_EQ(captions(0, 2), (std::vector<std::string>{"1", "2", ""}));
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(FilmCommandsTest, LoadingMoreFilesThanFreeFramesFollowsTheFullFilmRules) {
  writeSeries("abcdef", kFilmFrames);
  // Push-out off: 26 files fill frames 11 to 36, the 27th goes to the
  // overflow frame, the other 9 are not stored.
  fill(10);
  loadSeries("abcdef01.bmp");
  EXPECT_EQ(pictureIn(9), 10u);
  EXPECT_EQ(sheet->film().frame(10).caption, "abcdef01.bmp");
  EXPECT_EQ(sheet->film().frame(35).caption, "abcdef26.bmp");
  EXPECT_EQ(sheet->film().frame(kOverflow).caption, "abcdef27.bmp");
  EXPECT_EQ(pictureIn(0), 1u);
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
  EXPECT_EQ(sheet->film().frame(kOverflow).caption, "abcdef27.bmp");

  // Batch save leaves the overflow frame out.
  std::filesystem::create_directory(dir / "again");
  saveSeries("again/abcdef");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "again"), {}), kFilmFrames);
  EXPECT_FALSE(std::filesystem::exists(at("again/abcdef37.bmp")));
}

// Each file finds the film tidy: every one is kept, the oldest give way.
TEST_F(FilmCommandsTest, LoadingIntoAFullFilmWithPushOutKeepsEveryFile) {
  settings.pushOutWhenFull = true;
  writeSeries("abcdef", 5);
  fill(34);
  loadSeries("abcdef01.bmp");
  idle();
  for (int i = 0; i < 31; ++i) ASSERT_EQ(pictureIn(i), std::uint32_t(i + 4)) << i;
  EXPECT_EQ(captions(31, 35), (std::vector<std::string>{"abcdef01.bmp", "abcdef02.bmp", "abcdef03.bmp",
                                                        "abcdef04.bmp", "abcdef05.bmp"}));
  EXPECT_FALSE(sheet->film().used(kOverflow));
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");
}

// ------------------------------------------------------------------ delete

TEST_F(FilmCommandsTest, DeleteClearsTheSelectedFrameAndTheFilmClosesUp) {
  fill(5);
  sheet->toggleFrame(2);
  click(sheet->buttons().remove);
  // Cleared and unselected at once; the gap closes in the tidy pass.
  EXPECT_FALSE(sheet->film().used(2));
  EXPECT_EQ(sheet->film().frame(2).imageBox, box71());
  EXPECT_TRUE(sheet->film().frame(2).image.empty());
  EXPECT_FALSE(sheet->film().loweredFrame() == 2);
  EXPECT_FALSE(sheet->film().redFrame() == 2);
  EXPECT_TRUE(sheet->tidyDue());
  idle();
  EXPECT_EQ(picturesIn(0, 4), (std::vector<std::uint32_t>{1, 2, 4, 5, 0}));
  EXPECT_EQ(captions(0, 4), (std::vector<std::string>{"1", "2", "4", "5", ""}));
  EXPECT_EQ(sheet->film().loweredFrame(), std::nullopt);
  EXPECT_EQ(sheet->film().redFrame(), std::nullopt);
  EXPECT_EQ(sheet->caption(), "ネガシート　4枚");
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(FilmCommandsTest, DeleteGoesByTheLoweredPanelOnly) {
  fill(3);
  // A red caption without a lowered panel (as sheet printing leaves it).
  sheet->toggleFrame(1);
  sheet->film().dropLoweredMark();
  click(sheet->buttons().remove);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"削除するパネルを選択してください。"});
  EXPECT_EQ(platform.messages.shown[0].buttons, sys::MsgButtons::OK);
  EXPECT_EQ(captions(0, 2), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(sheet->film().redFrame() == 1);
  // Armed all the same; it finds nothing to do.
  EXPECT_TRUE(sheet->tidyDue());

  // A lowered panel is what delete clears.
  platform.messages.shown.clear();
  sheet->toggleFrame(0);
  click(sheet->buttons().remove);
  EXPECT_EQ(captions(0, 2), (std::vector<std::string>{"", "2", "3"}));
  EXPECT_EQ(sheet->film().loweredFrame(), std::nullopt);
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(FilmCommandsTest, DeleteAllClearsTheOverflowFrameTooAndLeavesTheMarks) {
  fill(kFilmFrames + 1);
  ASSERT_TRUE(sheet->film().used(kOverflow));
  sheet->toggleFrame(4);
  ASSERT_GT(sheet->look().strip.position, 0);
  for (int step = 0; step < 6; ++step) sheet->film().playStep();  // to frame 7
  choose(sheet->menus().remove.deleteAll);
  for (int i = 0; i <= kOverflow; ++i) {
    EXPECT_FALSE(sheet->film().used(i)) << i;
    EXPECT_TRUE(sheet->film().frame(i).image.empty()) << i;
    EXPECT_EQ(sheet->film().frame(i).imageBox, box71()) << i;
  }
  EXPECT_EQ(sheet->look().strip.position, 0);
  EXPECT_EQ(sheet->film().playPosition(), 0);
  EXPECT_TRUE(sheet->film().loweredFrame() == 4);
  EXPECT_TRUE(sheet->film().redFrame() == 4);
  EXPECT_TRUE(sheet->tidyDue());
  idle();
  EXPECT_EQ(sheet->caption(), "ネガシート");
  EXPECT_EQ(sheet->look().frames[0].placeholder, sheet::kPlaceholder);

  // The frame left lowered is deleted again, without a message.
  click(sheet->buttons().remove);
  EXPECT_FALSE(sheet->film().loweredFrame() == 4);
  EXPECT_FALSE(sheet->film().redFrame() == 4);
  EXPECT_TRUE(platform.messages.shown.empty());

  // The next play step starts at frame 1.
  fill(2, 50);
  click(sheet->buttons().play);
  EXPECT_EQ(photoNumber(), 50u);
}

// ------------------------------------------------ paint and option software

TEST_F(FilmCommandsTest, ThePaintCommandOpensABitmapFramesOwnFileElseTheHandOffFile) {
  // Sheet printing raises every panel and leaves the red caption: the
  // command still goes by the caption.
  fill(2);
  load(20, 10, "shot01.bmp", 9);
  idle();
  sheet->toggleFrame(2);
  click(sheet->buttons().print);
  ASSERT_FALSE(sheet->film().loweredFrame() == 2);
  click(sheet->buttons().paint);
  EXPECT_EQ(platform.shell.opened, std::vector<std::string>{"shot01.bmp"});

  const std::string handOff = (dir / "temp" / "temp.bmp").string();
  struct Case {
    std::string caption;
    std::string opened;
  } cases[] = {
      {"shot01.bmp", "shot01.bmp"},
      {"写真.bmp", "写真.bmp"},
      // The comparison is byte for byte.
      {"SHOT01.BMP", handOff},
      // A time stamp: its last dot is followed by a colon.
      {"12.5:30", handOff},
      {"12:00:00", handOff},
      {"From Clip", handOff},
      {"shot.bmp.txt", handOff},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    deleteAll();
    fill(2);
    load(20, 10, c.caption, 9);
    idle();
    // Delete all left the last marks (or the red caption) on the frame.
    if (sheet->film().loweredFrame() != 2) sheet->toggleFrame(2);
    ASSERT_TRUE(sheet->film().redFrame() == 2);
    platform.shell.opened.clear();
    click(sheet->buttons().paint);
    EXPECT_EQ(platform.shell.opened, std::vector<std::string>{c.opened});
  }

  // Nothing selected, or only a red caption that delete all emptied.
  for (bool emptied : {false, true}) {
    // Unselects the last case's frame; then selects it again, to be emptied.
    sheet->toggleFrame(2);
    if (emptied) choose(sheet->menus().remove.deleteAll);
    platform.shell.opened.clear();
    click(sheet->buttons().paint);
    EXPECT_EQ(platform.shell.opened, std::vector<std::string>{handOff});
  }
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_TRUE(platform.shell.commandLines.empty());
}

TEST_F(FilmCommandsTest, TheOptionSoftwareStartsFromItsCommandLineOrIsNotFound) {
  settings.optionSoftwarePath = "C:\\Tools\\paint.exe /x";
  choose(sheet->menus().paint.startOptionSoftware);
  EXPECT_EQ(platform.shell.commandLines, std::vector<std::string>{"C:\\Tools\\paint.exe /x"});
  EXPECT_TRUE(platform.messages.shown.empty());

  platform.shell.failingStarts = true;
  choose(sheet->menus().paint.startOptionSoftware);
  settings.optionSoftwarePath.clear();
  platform.shell.failingStarts = false;
  choose(sheet->menus().paint.startOptionSoftware);
  EXPECT_EQ(messageTexts(), (std::vector<std::string>{"PSが見つかりません。", "PSが見つかりません。"}));
  EXPECT_EQ(platform.messages.shown[1].buttons, sys::MsgButtons::OK);
  EXPECT_TRUE(platform.shell.opened.empty());
}

}  // namespace
