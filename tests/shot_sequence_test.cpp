// The shot sequence over fakes of the box, the screen and the clock: the
// order of its steps and the timing it is given.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "camera/shot_sequence.h"

namespace {

using Log = std::vector<std::string>;

class LoggingClock : public sys::Clock {
 public:
  explicit LoggingClock(Log& log) : log_(log) {}
  std::int64_t nowMs() override { return 0; }
  void sleep(int ms) override { log_.push_back("sleep " + std::to_string(ms)); }
  std::string timeOfDay() override { return "12:34:56"; }
  std::string plainTimeOfDay() override { return "12:34:56"; }

 private:
  Log& log_;
};

class LoggingScreen : public sys::Screen {
 public:
  LoggingScreen(Log& log, const ui::Form& palette) : log_(log), palette_(palette) {}
  int width() override { return 640; }
  int height() override { return 480; }
  std::function<void()> onCopy;
  picture::Bitmap copy(picture::Rect r) override {
    log_.push_back("copy " + std::to_string(r.width) + "x" + std::to_string(r.height) +
                   (palette_.visible() ? " with palette" : ""));
    if (onCopy) onCopy();
    return picture::Bitmap::create(r.width, r.height, 32);
  }

 private:
  Log& log_;
  const ui::Form& palette_;
};

class LoggingBox : public camera::ShotWindow {
 public:
  explicit LoggingBox(Log& log) : log_(log) {}
  void leaveForShot() override { shown_ = false, log_.push_back("box leaves"); }
  void comeBackAfterShot() override { shown_ = true, log_.push_back("box back"); }
  bool onScreen() const override { return shown_; }
  void setKeepHidden(bool keep) override { log_.push_back(keep ? "hold" : "release"); }
  ui::Rect areaUnderPhoto() const override { return {10, 20, 30, 40}; }
  ui::Point centreOnScreen() const override { return {100, 100}; }
  void showShot(const picture::Picture&, const std::string& stamp, bool) override {
    log_.push_back("show " + stamp);
  }
  void showNormalView() override { log_.push_back("normal view"); }
  void storePhotoInFilm() override { log_.push_back("store"); }

 private:
  Log& log_;
  bool shown_ = true;
};

class ShotSequenceTest : public AppTest {
 protected:
  Log log;
  ui::Form palette{app, "palette"};
  ui::Timer layoutTimer{app, "layoutTimer", 55};
  LoggingClock clock{log};
  LoggingScreen screen{log, palette};
  LoggingBox box{log};
  camera::ShotSequence shots{app, screen, clock, palette, layoutTimer, box};
};

TEST_F(ShotSequenceTest, AnAreaShotWaitsItsDelayThenCopiesShowsAndStores) {
  shots.shootArea({.delaySeconds = 3});
  EXPECT_EQ(log, (Log{"hold", "box leaves", "sleep 3000", "copy 30x40", "show 12:34:56", "normal view",
                      "store", "release", "box back"}));
}

TEST_F(ShotSequenceTest, AScreenBurstTakesItsCountWithTheIntervalAfterEach) {
  palette.showForm();
  shots.shootScreenBurst({.delaySeconds = 0, .burstCount = 2, .burstIntervalTenths = 5});
  EXPECT_EQ(log, (Log{"hold", "box leaves", "sleep 0", "copy 640x480", "show 12:34:56", "store", "sleep 500",
                      "copy 640x480", "show 12:34:56", "store", "sleep 500", "box back", "release"}));
  EXPECT_TRUE(palette.visible());
}

TEST_F(ShotSequenceTest, AreaBurstIntervalSaturatesAndAZeroSpeedLeavesIt) {
  shots.shootAreaBurst({.burstCount = 1, .burstIntervalTenths = 0});
  EXPECT_EQ(layoutTimer.interval(), 55);
  EXPECT_EQ(std::count(log.begin(), log.end(), "store"), 1);
  layoutTimer.setInterval(INT_MAX / 3);
  int during = 0;
  screen.onCopy = [&] { during = layoutTimer.interval(); };
  shots.shootAreaBurst({.burstCount = 1, .burstIntervalTenths = 20});
  EXPECT_EQ(during, INT_MAX);
  EXPECT_EQ(layoutTimer.interval(), INT_MAX / 3);
  EXPECT_TRUE(layoutTimer.enabled());
}

}  // namespace
