#include <climits>
#include <new>
#include <stdexcept>

#include "allocation_limit.h"
#include "base/error.h"
#include "camera_box_fixture.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "ui/timer.h"

namespace {

using camera::Edge;
using Copy = headless::Screen::Copy;
using Names = std::vector<std::string>;

// Every screen pixel tells where it is.
std::uint32_t patternAt(int x, int y) { return std::uint32_t(x) << 12 | std::uint32_t(y); }

class CaptureTest : public CameraBoxFixture {
 protected:
  void start() {
    for (int y = 0; y < platform.screen.height(); ++y)
      for (int x = 0; x < platform.screen.width(); ++x) platform.screen.image.setPixel(x, y, patternAt(x, y));
    CameraBoxFixture::start();
    sheet = forms.negativeSheet;
    // The user shows the camera box with the palette's button.
    box->setKeepHidden(false);
    box->showForm();
    box->setBounds({100, 40, 180, 145});
    platform.backend.advance(200);
  }
  // Opens a submenu of the command menu (its handler runs), then picks an item.
  void command(ui::MenuItem& submenu, ui::MenuItem& item) {
    app.dispatch([&] { submenu.click(); });
    choose(item);
  }
  const std::vector<Copy>& copies() const { return platform.screen.copies; }
  // Whether a picture is the screen's area r, in its size and pixels.
  bool showsScreen(const picture::Picture& p, ui::Rect r) {
    const picture::Bitmap& b = p.bitmap();
    if (b.width() != r.width || b.height() != r.height) return false;
    for (int y = 0; y < b.height(); y += 7)
      for (int x = 0; x < b.width(); x += 5)
        if (b.pixel(x, y) != patternAt(r.left + x, r.top + y)) return false;
    return b.pixel(b.width() - 1, b.height() - 1) ==
           patternAt(r.left + b.width() - 1, r.top + b.height() - 1);
  }
  static picture::Picture tiny() { return picture::Picture(picture::Bitmap::create(1, 1, 24)); }
  int usedFrames() const {
    int n = 0;
    for (int i = 0; i <= sheet::kOverflow; ++i) n += sheet->film().used(i);
    return n;
  }
  // Records, whenever the loop runs during a command, the hold flag, the
  // sheet's title and the box's layout interval.
  struct Probe {
    explicit Probe(ui::Application& app) : timer(app, "probe", 1) {}
    ui::Timer timer;
    std::vector<bool> held;
    Names titles;
    std::vector<int> intervals;
  };
  std::unique_ptr<Probe> probe() {
    auto p = std::make_unique<Probe>(app);
    p->timer.onTimer = [this, raw = p.get()] {
      raw->held.push_back(box->keepHidden());
      raw->titles.push_back(sheet->caption());
      raw->intervals.push_back(box->layoutInterval());
      // Losing activation now must not bring the box into the picture.
      app.deactivated();
    };
    return p;
  }
  void expectWindowsBack(bool paletteToo) {
    EXPECT_TRUE(box->visible());
    EXPECT_FALSE(box->keepHidden());
    EXPECT_TRUE(platform.backend.applicationWindowVisible());
    if (paletteToo) {
      EXPECT_TRUE(forms.palette->visible());
    }
  }
  sheet::NegativeSheet* sheet = nullptr;
};

TEST_F(CaptureTest, AreaShotCopiesTheScreenUnderThePhotoWithTheBoxOutOfThePicture) {
  start();
  box->setDisplayDivisor(4);  // as a full-screen shot leaves it
  auto p = probe();
  std::int64_t before = platform.backend.nowMs();
  command(box->menus().command.area, box->menus().area.shoot);

  ASSERT_EQ(copies().size(), 1u);
  const Copy& c = copies()[0];
  EXPECT_EQ(c.rect, (ui::Rect{112, 57, 156, 116}));
  EXPECT_EQ(c.visibleForms, Names{"palette"});
  EXPECT_FALSE(c.applicationWindowVisible);
  EXPECT_EQ(c.atMs - before, 1000);  // the shutter delay
  EXPECT_TRUE(c.settled);            // a shot waits for the screen to settle
  ASSERT_FALSE(p->held.empty());
  EXPECT_EQ(p->held.front(), true);

  EXPECT_TRUE(showsScreen(box->photoPicture(), {112, 57, 156, 116}));
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_EQ(box->displayDivisor(), 1u);
  EXPECT_EQ(box->timeStamp(), "12:00:01");
  EXPECT_EQ(sheet->film().frame(0).caption, "12:00:01");
  EXPECT_TRUE(showsScreen(sheet->film().frame(0).image, {112, 57, 156, 116}));
  expectWindowsBack(false);
  EXPECT_TRUE(box->look().viewfinder.shown);
  EXPECT_EQ(shown(), "0000|0000");
  platform.backend.advance(10);
  EXPECT_EQ(sheet->caption(), "ネガシート　1枚");
}

TEST_F(CaptureTest, FramingViewPlacesHandlesAndMarksAroundTheHiddenViewfinder) {
  start();
  box->resizePhoto({200, 100});
  platform.backend.advance(200);
  ASSERT_EQ(box->look().viewfinder.bounds, (ui::Rect{10, 15, 204, 104}));
  app.dispatch([&] { box->menus().command.area.click(); });
  EXPECT_FALSE(box->look().viewfinder.shown);
  EXPECT_EQ(handleBounds(),
            (Rects{{{5, 15, 5, 104}, {10, 10, 204, 5}, {214, 15, 5, 104}, {10, 119, 204, 5}}}));
  EXPECT_EQ(markBounds(), (Rects{{{0, 5, 10, 10}, {214, 5, 10, 10}, {0, 119, 10, 10}, {214, 119, 10, 10}}}));
  EXPECT_EQ(shown(), "1111|1111");

  // Cancel from the shot menu, or opening the full-screen submenu, ends it.
  choose(box->menus().shot, box->menus().shot.cancel);
  EXPECT_TRUE(box->look().viewfinder.shown);
  EXPECT_EQ(shown(), "0000|0000");
  app.dispatch([&] { box->menus().command.area.click(); });
  app.dispatch([&] { box->menus().command.screen.click(); });
  EXPECT_TRUE(box->look().viewfinder.shown);
  EXPECT_EQ(shown(), "0000|0000");
}

TEST_F(CaptureTest, ShotFromTheFramingViewThroughAHandleCopiesTheImageAreaAndLeavesTheNormalView) {
  start();
  app.dispatch([&] { box->menus().command.area.click(); });
  // A right press on the bottom handle opens the shot menu; "シャッター".
  platform.backend.menuScript = [this](ui::PopupMenu& m) -> ui::MenuItem* {
    return &m == &box->menus().shot ? &box->menus().shot.shoot : nullptr;
  };
  const ui::Rect d = box->look().handles[Edge::Bottom].bounds;
  app.dispatch([&] { box->dispatchMouseDown(ui::MouseButton::Right, 0, d.left + 3, d.top + 2); });
  platform.backend.menuScript = nullptr;
  ASSERT_EQ(copies().size(), 1u);
  EXPECT_EQ(copies()[0].rect, (ui::Rect{112, 57, 156, 116}));
  EXPECT_TRUE(showsScreen(box->photoPicture(), {112, 57, 156, 116}));
  EXPECT_TRUE(box->look().viewfinder.shown);
  EXPECT_EQ(shown(), "0000|0000");
  expectWindowsBack(false);

  // In reshape mode the handles stay out after a shot; the marks do not.
  choose(box->menus().size.reshape);
  app.dispatch([&] { box->menus().command.area.click(); });
  choose(box->menus().shot, box->menus().shot.shoot);
  EXPECT_EQ(shown(), "1111|0000");
  EXPECT_EQ(usedFrames(), 2);
}

TEST_F(CaptureTest, AreaShotAfterAZoomOrAMoveCopiesThePhotosCurrentSizeAndPlace) {
  start();
  choose(box->menus().size.zoom200);
  box->setLeft(300);
  platform.backend.advance(200);
  settings.shutterDelaySeconds = 0;
  std::int64_t before = platform.backend.nowMs();
  choose(box->menus().area.shoot);
  ASSERT_EQ(copies().size(), 1u);
  EXPECT_EQ(copies()[0].atMs, before);  // no delay
  EXPECT_EQ(copies()[0].rect, (ui::Rect{312, 57, 312, 232}));
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 312, 232}));
  EXPECT_TRUE(showsScreen(box->photoPicture(), {312, 57, 312, 232}));
}

TEST_F(CaptureTest, AreaShotOfAnEmptyPhotoStoresNothing) {
  start();
  box->resizePhoto({0, box->photoBounds().height});
  choose(box->menus().area.shoot);
  EXPECT_EQ(usedFrames(), 0);
  EXPECT_TRUE(box->photoPicture().empty());
  expectWindowsBack(false);
  platform.backend.advance(10);
  EXPECT_EQ(sheet->caption(), "ネガシート");
}

TEST_F(CaptureTest, AreaBurstHidesTheApplicationWindowForTheFirstShotOnlyAndSlowsTheLayout) {
  start();
  settings.strobeCount = 3;
  settings.strobeIntervalTenths = 2;
  box->setDisplayDivisor(4);
  auto p = probe();
  std::int64_t before = platform.backend.nowMs();
  command(box->menus().command.area, box->menus().area.shootBurst);

  ASSERT_EQ(copies().size(), 3u);
  EXPECT_EQ(copies()[0].atMs - before, 1000);
  for (std::size_t i = 0; i < copies().size(); ++i) {
    EXPECT_EQ(copies()[i].rect, (ui::Rect{112, 57, 156, 116})) << i;
    EXPECT_EQ(copies()[i].visibleForms, Names{"palette"}) << i;
    EXPECT_EQ(copies()[i].applicationWindowVisible, i > 0) << i;
    EXPECT_EQ(copies()[i].settled, i == 0) << i;  // only the first waits for the screen
    if (i > 0) {
      EXPECT_EQ(copies()[i].atMs - copies()[i - 1].atMs, 200) << i;
    }
  }
  // The pause follows the last shot too.
  EXPECT_EQ(platform.backend.nowMs() - copies()[2].atMs, 200);
  EXPECT_EQ(usedFrames(), 3);
  EXPECT_EQ(box->displayDivisor(), 1u);
  expectWindowsBack(false);
  EXPECT_EQ(std::count(p->held.begin(), p->held.end(), false), 0);
  // The tidy pass ran between the shots.
  EXPECT_NE(std::find(p->titles.begin(), p->titles.end(), "ネガシート　1枚"), p->titles.end());
  EXPECT_NE(std::find(p->titles.begin(), p->titles.end(), "ネガシート　2枚"), p->titles.end());
  // The layout runs slower while the burst lasts, and at its pace after.
  ASSERT_FALSE(p->intervals.empty());
  EXPECT_EQ(p->intervals.front(), 110);
  EXPECT_EQ(box->layoutInterval(), 55);
  choose(box->menus().shot, box->menus().shot.shootBurst);
  EXPECT_EQ(box->layoutInterval(), 55);
  EXPECT_EQ(usedFrames(), 6);
  // After a third burst the box follows a zoom within two ticks.
  choose(box->menus().area.shootBurst);
  ASSERT_EQ(copies().size(), 9u);
  choose(box->menus().size.zoom200);
  platform.backend.advance(2 * 55);
  EXPECT_EQ(box->bounds(), (ui::Rect{100, 40, 312 + 24, 232 + 29}));
}

TEST_F(CaptureTest, BurstsOfNoShotsStillHideAndWait) {
  start();
  settings.strobeCount = 0;
  settings.strobeIntervalTenths = 3;
  std::int64_t before = platform.backend.nowMs();
  auto p = probe();
  choose(box->menus().area.shootBurst);
  EXPECT_EQ(platform.backend.nowMs() - before, 1000);
  EXPECT_EQ(box->layoutInterval(), 55);
  choose(box->menus().screen.shootBurst);
  EXPECT_EQ(platform.backend.nowMs() - before, 2000);
  EXPECT_TRUE(copies().empty());
  EXPECT_EQ(usedFrames(), 0);
  expectWindowsBack(true);
}

TEST_F(CaptureTest, BurstLargerThanTheFreeFramesLeavesTheRestToTheFilm) {
  start();
  for (int i = 0; i < 33; ++i) sheet->film().add(tiny(), "used");
  settings.strobeCount = 5;
  choose(box->menus().area.shootBurst);
  EXPECT_EQ(copies().size(), 5u);
  // Three frames, then the hidden overflow frame; the fifth is not kept.
  EXPECT_EQ(usedFrames(), 37);
  platform.backend.advance(10);
  EXPECT_EQ(sheet->caption(), "ネガシート　36枚");

  // With push-out on, each shot drops the oldest.
  settings.pushOutWhenFull = true;
  settings.strobeCount = 3;
  settings.strobeIntervalTenths = 1;
  choose(box->menus().area.shootBurst);
  platform.backend.advance(10);
  EXPECT_EQ(usedFrames(), 36);
  EXPECT_TRUE(showsScreen(sheet->film().frame(35).image, {112, 57, 156, 116}));
}

TEST_F(CaptureTest, FullScreenShotKeepsPaletteAndBoxOutAndShowsAQuarter) {
  start();
  sheet->showForm();
  app.dispatch([&] { box->menus().command.area.click(); });
  // Opening the full-screen submenu ends the framing view; the shot itself
  // leaves the handles and the viewfinder as they are.
  auto p = probe();
  command(box->menus().command.screen, box->menus().screen.shoot);
  ASSERT_EQ(copies().size(), 1u);
  EXPECT_EQ(copies()[0].rect, (ui::Rect{0, 0, 1024, 768}));
  EXPECT_EQ(copies()[0].visibleForms, Names{"negativeSheet"});
  EXPECT_FALSE(copies()[0].applicationWindowVisible);
  EXPECT_TRUE(copies()[0].settled);
  EXPECT_TRUE(showsScreen(box->photoPicture(), {0, 0, 1024, 768}));
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 256, 192}));
  EXPECT_EQ(box->displayDivisor(), 4u);
  EXPECT_EQ(p->held.front(), true);
  expectWindowsBack(true);
  EXPECT_TRUE(box->look().viewfinder.shown);
  platform.backend.advance(200);
  EXPECT_EQ(box->bounds(), (ui::Rect{100, 40, 280, 221}));
  EXPECT_EQ(sheet->caption(), "ネガシート　1枚");

  // A shot straight from the framing view does not touch it.
  app.dispatch([&] { box->menus().command.area.click(); });
  choose(box->menus().screen.shoot);
  EXPECT_FALSE(box->look().viewfinder.shown);
  EXPECT_EQ(shown(), "1111|1111");
}

TEST_F(CaptureTest, FullScreenBurstKeepsTheApplicationWindowHiddenAndTheLayoutAsItWas) {
  start();
  settings.strobeCount = 4;
  settings.strobeIntervalTenths = 1;
  command(box->menus().command.screen, box->menus().screen.shootBurst);
  ASSERT_EQ(copies().size(), 4u);
  for (std::size_t i = 0; i < copies().size(); ++i) {
    EXPECT_EQ(copies()[i].visibleForms, Names{}) << i;
    EXPECT_FALSE(copies()[i].applicationWindowVisible) << i;
    EXPECT_EQ(copies()[i].settled, i == 0) << i;
    if (i > 0) {
      EXPECT_EQ(copies()[i].atMs - copies()[i - 1].atMs, 100) << i;
    }
  }
  EXPECT_EQ(usedFrames(), 4);
  EXPECT_EQ(box->layoutInterval(), 55);
  EXPECT_EQ(box->photoBounds().width, 256);
  expectWindowsBack(true);
}

TEST_F(CaptureTest, AFailingStepBringsTheWindowsBackAndReportsTheError) {
  start();
  // An area too large for a bitmap.
  box->resizePhoto({20000, 20000});
  choose(box->menus().area.shoot);
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
  EXPECT_EQ(usedFrames(), 0);
  expectWindowsBack(false);
  box->resizePhoto({156, 116});

  // The screen copy of a full-screen shot runs out of memory: the palette,
  // the box and the application window come back, the hold flag is clear,
  // and the text is the program's own.
  platform.screen.onCopy = [](const picture::Rect&) { throw std::bad_alloc(); };
  choose(box->menus().screen.shoot);
  ASSERT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_EQ(platform.messages.shown[1].text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
  EXPECT_EQ(usedFrames(), 0);
  expectWindowsBack(true);
  platform.screen.onCopy = [](const picture::Rect&) { throw std::length_error("vector"); };
  choose(box->menus().screen.shootBurst);
  ASSERT_EQ(platform.messages.shown.size(), 3u);
  EXPECT_EQ(platform.messages.shown[2].text, base::kUnexpectedError);
  expectWindowsBack(true);
  platform.screen.onCopy = nullptr;

  // The palette's show handler fails on a stored position of the wrong
  // type: reported, and the shot still ends with everything back.
  platform.registry.put(app::kPositionKey, "Main.Top", {sys::Registry::Type::String, {'x', 0}});
  choose(box->menus().screen.shoot);
  ASSERT_EQ(platform.messages.shown.size(), 4u);
  EXPECT_EQ(platform.messages.shown[3].text, "'Main.Top' のﾃﾞｰﾀ型が不正です");
  EXPECT_EQ(usedFrames(), 1);
  expectWindowsBack(true);

  // The copy fails, and so does the palette's return, with errors of the
  // standard library: the box still comes back and the flag is cleared.
  platform.screen.onCopy = [](const picture::Rect&) { throw std::invalid_argument("Bitmap: too large"); };
  forms.palette->onShow = [] { throw std::length_error("basic_string"); };
  choose(box->menus().screen.shoot);
  ASSERT_EQ(platform.messages.shown.size(), 6u);
  EXPECT_EQ(platform.messages.shown[4].text, base::kUnexpectedError);
  EXPECT_EQ(platform.messages.shown[5].text, base::kUnexpectedError);
  expectWindowsBack(false);
}

// A copy refused for memory, or one the system fails to make, refuses
// the shot: the photo keeps its picture and size, the stamp its text.
TEST_F(CaptureTest, ARefusedOrFailedCopyLeavesThePhotoItsSizeAndTheTimeStamp) {
  start();
  box->setTimeStamp("before");
  const picture::Picture before = box->photoPicture();
  const ui::Rect bounds = box->photoBounds();
  platform.screen.onCopy = [](const picture::Rect&) { throw std::bad_alloc(); };
  for (bool systemFails : {false, true}) {
    platform.screen.failing = systemFails;
    for (ui::MenuItem* item : {&box->menus().screen.shoot, &box->menus().area.shoot}) {
      choose(*item);
      EXPECT_EQ(platform.messages.shown.back().text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
      EXPECT_TRUE(box->photoPicture().bitmap().sharesPixelsWith(before.bitmap()));
      EXPECT_EQ(box->photoBounds(), bounds);
      EXPECT_EQ(box->timeStamp(), "before");
    }
    platform.screen.onCopy = nullptr;
  }
  EXPECT_EQ(platform.messages.shown.size(), 4u);
  EXPECT_EQ(usedFrames(), 0);
}

// At a single shot's store: the box, the palette, the application window,
// the hold flag. A screen shot is stored with its windows back, an area
// shot before the box is back.
TEST_F(CaptureTest, AShotIsStoredAtItsPlaceAmongTheWindowsReturn) {
  start();
  std::vector<std::vector<bool>> seen;
  box->setFilmInput([&](const picture::Picture& p, const std::string& caption) {
    seen.push_back({box->visible(), forms.palette->visible(), platform.backend.applicationWindowVisible(),
                    box->keepHidden()});
    sheet->addPicture(p, caption);
  });
  choose(box->menus().screen.shoot);
  choose(box->menus().area.shoot);
  EXPECT_EQ(seen, (std::vector<std::vector<bool>>{{true, true, true, true}, {false, true, true, true}}));
}

TEST_F(CaptureTest, AFullScreenShotIntoAFullFilmStillShowsAQuarter) {
  start();
  for (int i = 0; i <= sheet::kOverflow; ++i) sheet->film().add(tiny(), "used");
  ASSERT_FALSE(settings.pushOutWhenFull);
  choose(box->menus().screen.shoot);
  ASSERT_EQ(copies().size(), 1u);
  EXPECT_EQ(box->photoPicture().width(), 1024);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 256, 192}));
  platform.backend.advance(200);
  EXPECT_EQ(box->bounds(), (ui::Rect{100, 40, 280, 221}));
  // The same for each shot of a burst.
  settings.strobeCount = 2;
  choose(box->menus().screen.shootBurst);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 256, 192}));
}

TEST_F(CaptureTest, WithoutALocaleTimePatternTheStampIsHoursMinutesSeconds) {
  platform.backend.startSecondOfDay = 9 * 3600;
  platform.backend.noLocaleTimePattern = true;
  start();
  choose(box->menus().area.shoot);
  EXPECT_EQ(box->timeStamp(), "09:00:01");
  EXPECT_EQ(sheet->film().frame(0).caption, "09:00:01");
  // The frame counts as used, so the next shot goes to the next one.
  platform.backend.advance(10);
  choose(box->menus().area.shoot);
  EXPECT_EQ(usedFrames(), 2);
  EXPECT_EQ(sheet->film().frame(1).caption, "09:00:02");
}

// What the film holds: each frame's caption and picture (a copy shares the
// pixels, so a frame that kept its picture still shares them).
struct FilmState {
  std::vector<std::string> captions;
  std::vector<picture::Picture> pictures;
  bool operator==(const FilmState& o) const {
    if (captions != o.captions || pictures.size() != o.pictures.size()) return false;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      const picture::Bitmap &mine = pictures[i].bitmap(), &theirs = o.pictures[i].bitmap();
      if (mine.empty() != theirs.empty() || (!mine.empty() && !mine.sharesPixelsWith(theirs))) return false;
    }
    return true;
  }
};

TEST_F(CaptureTest, AShotThatRunsOutOfMemoryIsRefusedAndTheFilmStaysAsItWas) {
  start();
  settings.pushOutWhenFull = true;
  // A full film, its overflow frame too, of small area shots.
  box->resizePhoto({40, 30});
  for (int i = 0; i <= sheet::kOverflow; ++i) {
    choose(box->menus().area.shoot);
    platform.backend.advance(200);
  }
  ASSERT_EQ(usedFrames(), sheet::kFilmFrames);
  ASSERT_TRUE(platform.messages.shown.empty());
  auto film = [this] {
    FilmState state;
    for (int i = 0; i <= sheet::kOverflow; ++i) {
      state.captions.push_back(sheet->film().frame(i).caption);
      state.pictures.push_back(sheet->film().frame(i).image);
    }
    return state;
  };
  const FilmState before = film();
  // Runs a shot's command under an allocation limit; tells how many
  // requests were refused and whether the shot itself failed (a refusal in
  // a timer that runs at one of its message steps is that timer's own).
  struct Outcome {
    std::size_t refusals = 0;
    bool failed = false;
  };
  auto shootWithin = [this](ui::MenuItem& item, std::size_t budget, std::size_t failAt) {
    Outcome outcome;
    std::function<void()> shoot = item.onClick;
    app.dispatch([&] {
      testsupport::AllocationLimit limit(budget, failAt);
      try {
        shoot();
      } catch (...) {
        outcome = {limit.refusals(), true};
        throw;
      }
      outcome.refusals = limit.refusals();
    });
    return outcome;
  };

  // Memory for less than the screen: the full-screen shot and its burst
  // are refused in the program's own words, the film keeps every frame.
  const std::size_t screenBytes = 1024u * 768u * 4u;
  std::size_t shown = 0;
  for (ui::MenuItem* item : {&box->menus().screen.shoot, &box->menus().screen.shootBurst}) {
    EXPECT_TRUE(shootWithin(*item, screenBytes - 1, 0).failed);
    ASSERT_EQ(platform.messages.shown.size(), ++shown);
    EXPECT_EQ(platform.messages.shown.back().text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
    platform.backend.advance(200);
    EXPECT_TRUE(film() == before);
    expectWindowsBack(true);
  }

  // Memory that runs out at any one request of a shot: the failure is
  // reported in the program's own words, and a shot that failed left the
  // film as it was; one that went on (the refusal was a timer's, at one of
  // the shot's message steps) took the picture whole: the newest last, the
  // oldest gone.
  for (ui::MenuItem* item : {&box->menus().screen.shoot, &box->menus().area.shoot}) {
    std::size_t refusals = 1;
    for (std::size_t failAt = 1; refusals > 0; ++failAt) {
      SCOPED_TRACE("request " + std::to_string(failAt) + " of " + item->name());
      ASSERT_LT(failAt, 5000u);
      const FilmState was = film();
      const std::size_t messages = platform.messages.shown.size();
      const Outcome outcome = shootWithin(*item, SIZE_MAX / 2, failAt);
      refusals = outcome.refusals;
      platform.backend.advance(200);
      if (refusals > 0) {
        ASSERT_EQ(platform.messages.shown.size(), messages + 1);
        EXPECT_EQ(platform.messages.shown.back().text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
      } else {
        EXPECT_EQ(platform.messages.shown.size(), messages);
      }
      const FilmState now = film();
      if (outcome.failed) {
        ASSERT_TRUE(now == was);
      } else {
        EXPECT_EQ(usedFrames(), sheet::kFilmFrames);
        EXPECT_TRUE(
            now.pictures[sheet::kFilmFrames - 1].bitmap().sharesPixelsWith(box->photoPicture().bitmap()));
        EXPECT_EQ(now.captions[sheet::kFilmFrames - 1], box->timeStamp());
        EXPECT_TRUE(now.pictures[0].bitmap().sharesPixelsWith(was.pictures[1].bitmap()));
        ASSERT_FALSE(
            now.pictures[sheet::kFilmFrames - 1].bitmap().sharesPixelsWith(was.pictures.back().bitmap()));
      }
      expectWindowsBack(item == &box->menus().screen.shoot);
    }
  }
}

}  // namespace
