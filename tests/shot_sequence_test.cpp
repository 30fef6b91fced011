// The shot sequence with the test as its box and clock, over the headless
// screen: the order of its steps and the timing it is given.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "camera/shot_sequence.h"

namespace {

using Log = std::vector<std::string>;

// Logs what the sequence asks of the box and the clock, and each copy of
// the screen with whether the palette was on it.
class ShotSequenceTest : public AppTest, public camera::ShotWindow, public sys::Clock {
 protected:
  ShotSequenceTest() {
    platform.screen.onCopy = [this](const picture::Rect& r) {
      log.push_back("copy " + std::to_string(r.width) + "x" + std::to_string(r.height) +
                    (palette.visible() ? " with palette" : ""));
      intervalAtCopy = layoutTimer.interval();
    };
  }
  void leaveForShot() override { shown = false, log.push_back("box leaves"); }
  void comeBackAfterShot() override { shown = true, log.push_back("box back"); }
  bool onScreen() const override { return shown; }
  void setKeepHidden(bool keep) override { log.push_back(keep ? "hold" : "release"); }
  ui::Rect areaUnderPhoto() const override { return {10, 20, 30, 40}; }
  ui::Point centreOnScreen() const override { return {100, 100}; }
  void showShot(const picture::Picture&, const std::string& stamp, bool) override {
    log.push_back("show " + stamp);
  }
  void showNormalView() override { log.push_back("normal view"); }
  void storePhotoInFilm() override { log.push_back("store"); }
  std::int64_t nowMs() override { return 0; }
  void sleep(int ms) override { log.push_back("sleep " + std::to_string(ms)); }
  std::string timeOfDay() override { return "12:34:56"; }
  std::string plainTimeOfDay() override { return "12:34:56"; }

  Log log;
  bool shown = true;
  int intervalAtCopy = 0;
  ui::Form palette{app, "palette"};
  ui::Timer layoutTimer{app, "layoutTimer", 55};
  camera::ShotSequence shots{app, platform.screen, *this, palette, layoutTimer, *this};
};

TEST_F(ShotSequenceTest, AnAreaShotWaitsItsDelayThenCopiesShowsAndStores) {
  shots.shootArea({.delaySeconds = 3});
  EXPECT_EQ(log, (Log{"hold", "box leaves", "sleep 3000", "copy 30x40", "show 12:34:56", "normal view",
                      "store", "release", "box back"}));
}

TEST_F(ShotSequenceTest, AScreenBurstTakesItsCountWithTheIntervalAfterEach) {
  palette.showForm();
  shots.shootScreenBurst({.delaySeconds = 0, .burstCount = 2, .burstIntervalTenths = 5});
  EXPECT_EQ(log, (Log{"hold", "box leaves", "sleep 0", "copy 1024x768", "show 12:34:56", "store", "sleep 500",
                      "copy 1024x768", "show 12:34:56", "store", "sleep 500", "box back", "release"}));
  EXPECT_TRUE(palette.visible());
}

// The product saturates; a zero interval would stop the layout.
TEST_F(ShotSequenceTest, AnAreaBurstSlowsTheLayoutByItsIntervalWhileItLastsAndAZeroIntervalLeavesIt) {
  shots.shootAreaBurst({.burstCount = 1, .burstIntervalTenths = 0});
  EXPECT_EQ(intervalAtCopy, 55);
  layoutTimer.setInterval(INT_MAX / 3);
  shots.shootAreaBurst({.burstCount = 1, .burstIntervalTenths = 20});
  EXPECT_EQ(intervalAtCopy, INT_MAX);
  EXPECT_EQ(layoutTimer.interval(), INT_MAX / 3);
  EXPECT_TRUE(layoutTimer.enabled());
}

}  // namespace
