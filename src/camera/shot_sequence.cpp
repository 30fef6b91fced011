#include "camera/shot_sequence.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "base/error.h"

namespace camera {

ShotTiming ShotTiming::from(const app::Settings& settings) {
  return {settings.shutterDelaySeconds, settings.strobeCount, settings.strobeIntervalTenths};
}

ShotSequence::ShotSequence(ui::Application& app, sys::Screen& screen, sys::Clock& clock, ui::Form& palette,
                           ui::Timer& layoutTimer, ShotWindow& window)
    : app_(app),
      screen_(screen),
      clock_(clock),
      palette_(palette),
      layoutTimer_(layoutTimer),
      window_(window) {}

// Never empty: an empty caption would leave the shot's frame free for the
// next picture.
std::string ShotSequence::timeStamp() {
  std::string text = clock_.timeOfDay();
  if (text.empty()) text = clock_.plainTimeOfDay();
  return text;
}

// What sets the four shots apart; the steps and their order are shared.
struct ShotSequence::Shot {
  // When the windows the shot hid come back.
  enum class Return { BeforeStoring, AfterTheLast, AfterTheHold };
  bool wholeScreen;
  // A burst reads the time stamp before each shot, a single shot before the
  // application window goes.
  bool burst;
  // The layout runs slower while the shots last.
  bool slowsLayout;
  Return windowsBack;
};

void ShotSequence::shootArea(const ShotTiming& timing) {
  shoot({false, false, false, Shot::Return::AfterTheHold}, timing);
}
void ShotSequence::shootAreaBurst(const ShotTiming& timing) {
  shoot({false, true, true, Shot::Return::AfterTheLast}, timing);
}
void ShotSequence::shootScreen(const ShotTiming& timing) {
  shoot({true, false, false, Shot::Return::BeforeStoring}, timing);
}
void ShotSequence::shootScreenBurst(const ShotTiming& timing) {
  shoot({true, true, false, Shot::Return::AfterTheLast}, timing);
}

namespace {

// The layout slows down while a burst lasts and comes back to its pace
// when it ends, however it ends. The product saturates rather than
// wrapping, and an interval of 0 (from a hand-edited file) would stop it.
class SlowedLayout {
 public:
  SlowedLayout(ui::Timer& timer, unsigned speed) : timer_(timer), interval_(timer.interval()) {
    if (speed == 0) return;
    long long slowed = static_cast<long long>(interval_) * speed;
    timer_.setInterval(static_cast<int>(std::min<long long>(slowed, std::numeric_limits<int>::max())));
  }
  ~SlowedLayout() { timer_.setInterval(interval_); }
  SlowedLayout(const SlowedLayout&) = delete;
  SlowedLayout& operator=(const SlowedLayout&) = delete;

 private:
  ui::Timer& timer_;
  int interval_;
};

}  // namespace

void ShotSequence::shoot(const Shot& shot, const ShotTiming& timing) {
  runShot(shot.wholeScreen, [this, &shot, &timing] {
    // Hide, and wait the shutter delay.
    window_.setKeepHidden(true);
    if (shot.wholeScreen) palette_.hide();
    window_.leaveForShot();
    waitShutterDelay(timing.delaySeconds);
    std::string stamp;
    if (!shot.burst) stamp = timeStamp();
    app_.hideApplicationWindow();
    std::optional<SlowedLayout> slowed;
    if (shot.slowsLayout) slowed.emplace(layoutTimer_, timing.burstIntervalTenths);
    const int count = shot.burst ? timing.burstCount : 1;
    for (int taken = 0; taken < count; ++taken) {
      if (shot.burst) stamp = timeStamp();
      app_.processMessages();
      // Copy; only the first copy waits for the screen to settle. The box
      // changes only once the copy is in hand: a shot refused for memory
      // or a failed copy leaves its photo, size and time stamp as they were.
      window_.showShot(shot.wholeScreen ? copyWholeScreen(taken == 0) : copyAreaUnderPhoto(taken == 0), stamp,
                       shot.wholeScreen);
      // An area shot has the application window back after each copy, so
      // only the first shot of a burst is taken without it.
      if (!shot.wholeScreen) {
        app_.showApplicationWindow();
        window_.showNormalView();
      }
      if (shot.windowsBack == Shot::Return::BeforeStoring) bringBack(shot);
      // Store.
      window_.storePhotoInFilm();
      if (shot.burst) pause(timing.burstIntervalTenths * 100LL);
    }
    if (shot.windowsBack == Shot::Return::AfterTheLast) bringBack(shot);
    window_.setKeepHidden(false);
    if (shot.windowsBack == Shot::Return::AfterTheHold) bringBack(shot);
  });
}

void ShotSequence::bringBack(const Shot& shot) {
  if (shot.wholeScreen) {
    app_.showApplicationWindow();
    palette_.showForm();
  }
  window_.comeBackAfterShot();
}

void ShotSequence::runShot(bool hidesPalette, const std::function<void()>& steps) {
  try {
    steps();
  } catch (...) {
    // Each step of the way back runs even if another fails; their own
    // errors are reported as any other, and the shot's error after them.
    ui::Application& a = app_;
    a.dispatch([&a] { a.showApplicationWindow(); });
    if (hidesPalette && !palette_.visible()) a.dispatch([this] { palette_.showForm(); });
    if (!window_.onScreen()) a.dispatch([this] { window_.comeBackAfterShot(); });
    window_.setKeepHidden(false);
    throw;
  }
}

picture::Picture ShotSequence::copyAreaUnderPhoto(bool settle) {
  // Read now: the box may have moved.
  return copyScreen(window_.areaUnderPhoto(), settle);
}

picture::Picture ShotSequence::copyWholeScreen(bool settle) {
  std::vector<sys::Monitor> monitors = screen_.monitors();
  const ui::Point centre = window_.centreOnScreen();
  const sys::Monitor* under = sys::monitorAt(monitors, centre.x, centre.y);
  return copyScreen((under ? *under : monitors.front()).area, settle);
}

picture::Picture ShotSequence::copyScreen(ui::Rect r, bool settle) {
  // A photo without width or height takes no picture, and the film then
  // stores nothing.
  if (r.width <= 0 || r.height <= 0) return {};
  if (static_cast<unsigned long long>(r.width) * static_cast<unsigned long long>(r.height) * 4 >
      picture::Bitmap::kMaxBytes)
    throw base::Error(base::kOutOfResources);
  picture::Rect area{r.left, r.top, r.width, r.height};
  return picture::Picture(settle ? screen_.copy(area) : screen_.copyWithoutSettling(area));
}

void ShotSequence::waitShutterDelay(unsigned seconds) { pause(seconds * 1000LL); }

void ShotSequence::pause(long long ms) {
  clock_.sleep(static_cast<int>(std::min<long long>(ms, std::numeric_limits<int>::max())));
}

}  // namespace camera
