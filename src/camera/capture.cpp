// The shots and the views that aim them. A shot runs to its end inside its
// menu command: nothing of the program runs during its waits, and pending
// timers and paints are handled only at fixed steps (so the film's tidy
// pass runs between the shots of a burst); input waits for the shot's end.
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "base/error.h"
#include "camera/camera_box.h"
#include "ui/application.h"

namespace camera {

namespace {

// A full-screen shot shows in the camera box at a quarter of its size.
constexpr unsigned kScreenShotDivisor = 4;

}  // namespace

void CameraBox::showAimingView() {
  const ViewfinderGeometry geometry(dpi());
  edgeHandles.setBounds(geometry.handlesForAiming(edgeHandles.bounds(), viewfinder.bounds()));
  cornerMarks.setBounds(geometry.cornerMarksAround(viewfinder.bounds()));
  for (Edge e : {Edge::Left, Edge::Bottom, Edge::Right, Edge::Top}) edgeHandles[e].show();
  for (Corner c : {Corner::TopLeft, Corner::BottomLeft, Corner::TopRight, Corner::BottomRight})
    cornerMarks[c].show();
  viewfinder.hide();
}

void CameraBox::showNormalView() {
  if (!reshapeMode)
    for (Edge e : {Edge::Left, Edge::Bottom, Edge::Right, Edge::Top}) edgeHandles[e].hide();
  for (Corner c : {Corner::TopLeft, Corner::BottomLeft, Corner::TopRight, Corner::BottomRight})
    cornerMarks[c].hide();
  viewfinder.show();
}

// Never empty: an empty caption would leave the shot's frame free for the
// next picture.
std::string CameraBox::shotTimeStamp() {
  std::string text = services_.clock.timeOfDay();
  if (text.empty()) text = services_.clock.plainTimeOfDay();
  return text;
}

// What sets the four shots apart; the steps and their order are shared.
struct CameraBox::Shot {
  // When the windows the shot hid come back: the box, and for a screen
  // shot the application window and the palette.
  enum class Return { BeforeStoring, AfterTheLast, AfterTheHold };
  // The palette goes out too, the whole screen is copied, and the photo
  // shows it at a quarter.
  bool wholeScreen;
  // The strobe count of shots with the strobe interval after each (the
  // time stamp read before each), not one (the time stamp read before the
  // application window goes).
  bool burst;
  // The layout runs slower while the shots last.
  bool slowsLayout;
  Return windowsBack;
};

void CameraBox::shootArea() { shoot({false, false, false, Shot::Return::AfterTheHold}); }
void CameraBox::shootAreaBurst() { shoot({false, true, true, Shot::Return::AfterTheLast}); }
void CameraBox::shootScreen() { shoot({true, false, false, Shot::Return::BeforeStoring}); }
void CameraBox::shootScreenBurst() { shoot({true, true, false, Shot::Return::AfterTheLast}); }

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

void CameraBox::shoot(const Shot& shot) {
  runShot(shot.wholeScreen, [this, &shot] {
    // Hide, and wait the shutter delay.
    keepHidden = true;
    if (shot.wholeScreen) palette_.hide();
    hide();
    pause(settings_.shutterDelaySeconds * 1000LL);
    std::string stamp;
    if (!shot.burst) stamp = shotTimeStamp();
    application().hideApplicationWindow();
    std::optional<SlowedLayout> slowed;
    if (shot.slowsLayout) slowed.emplace(layoutTimer, settings_.strobeIntervalTenths);
    const int count = shot.burst ? settings_.strobeCount : 1;
    for (int taken = 0; taken < count; ++taken) {
      if (shot.burst) stamp = shotTimeStamp();
      application().processMessages();
      // Copy; only the first copy waits for the screen to settle. The box
      // changes only once the copy is in hand: a shot refused for memory
      // or a failed copy leaves its photo, size and time stamp as they were.
      showShot(shot, shot.wholeScreen ? copyWholeScreen(taken == 0) : copyAreaUnderPhoto(taken == 0), stamp);
      // An area shot has the application window back after each copy, so
      // only the first shot of a burst is taken without it.
      if (!shot.wholeScreen) {
        application().showApplicationWindow();
        showNormalView();
      }
      if (shot.windowsBack == Shot::Return::BeforeStoring) bringBackAfterShot(shot);
      // Store.
      storePhotoInFilm();
      if (shot.burst) pause(settings_.strobeIntervalTenths * 100LL);
    }
    if (shot.windowsBack == Shot::Return::AfterTheLast) bringBackAfterShot(shot);
    keepHidden = false;
    if (shot.windowsBack == Shot::Return::AfterTheHold) bringBackAfterShot(shot);
  });
}

void CameraBox::showShot(const Shot& shot, const picture::Picture& taken, const std::string& stamp) {
  displayDivisor = shot.wholeScreen ? kScreenShotDivisor : 1;
  if (shot.wholeScreen) photo.setBounds({photo.left(), photo.top(), taken.width(), taken.height()});
  photo.setPicture(taken);
  setTimeStamp(stamp);
}

void CameraBox::bringBackAfterShot(const Shot& shot) {
  if (shot.wholeScreen) {
    application().showApplicationWindow();
    palette_.showForm();
  }
  showForm();
}

void CameraBox::runShot(bool hidesPalette, const std::function<void()>& steps) {
  try {
    steps();
  } catch (...) {
    // Each step of the way back runs even if another fails; their own
    // errors are reported as any other, and the shot's error after them.
    ui::Application& a = application();
    a.dispatch([&a] { a.showApplicationWindow(); });
    if (hidesPalette && !palette_.visible()) a.dispatch([this] { palette_.showForm(); });
    if (!visible()) a.dispatch([this] { showForm(); });
    keepHidden = false;
    throw;
  }
}

picture::Picture CameraBox::copyAreaUnderPhoto(bool settle) {
  // The photo's place on the screen, read now: the box may have moved.
  return copyScreen(photoOnScreen({left(), top()}, viewfinder.bounds(), sizeOf(photo.bounds())), settle);
}

picture::Picture CameraBox::copyWholeScreen(bool settle) {
  std::vector<sys::Monitor> monitors = services_.screen.monitors();
  const sys::Monitor* under = sys::monitorAt(monitors, left() + width() / 2, top() + height() / 2);
  return copyScreen((under ? *under : monitors.front()).area, settle);
}

picture::Picture CameraBox::copyScreen(ui::Rect r, bool settle) {
  // A photo without width or height takes no picture, and the film then
  // stores nothing.
  if (r.width <= 0 || r.height <= 0) return {};
  if (static_cast<unsigned long long>(r.width) * static_cast<unsigned long long>(r.height) * 4 >
      picture::Bitmap::kMaxBytes)
    throw base::Error(base::kOutOfResources);
  picture::Rect area{r.left, r.top, r.width, r.height};
  return picture::Picture(settle ? services_.screen.copy(area) : services_.screen.copyWithoutSettling(area));
}

void CameraBox::storePhotoInFilm() {
  if (storeInFilm_) storeInFilm_(photo.picture(), timeStamp.caption());
  // A full film that kept nothing does not size the photo: it takes its
  // size over the divisor all the same (a screen shot a quarter of the
  // screen, not the whole screen in a box that stays on top).
  const picture::Picture& taken = photo.picture();
  if (taken.width() <= 0 || taken.height() <= 0) return;
  unsigned divisor = std::max(1u, displayDivisor);
  photo.setHeight(static_cast<int>(static_cast<unsigned>(taken.height()) / divisor));
  photo.setWidth(static_cast<int>(static_cast<unsigned>(taken.width()) / divisor));
}

void CameraBox::showPicture(const picture::Picture& picture, const std::string& caption,
                            app::PhotoSize size) {
  const int w = picture.width(), h = picture.height();
  switch (size) {
    case app::PhotoSize::Kept:
      break;
    case app::PhotoSize::Own:
      displayDivisor = 1;
      photo.setHeight(h);
      photo.setWidth(w);
      break;
    case app::PhotoSize::Selected: {
      const std::vector<sys::Monitor> monitors = services_.screen.monitors();
      const bool monitorSized = std::any_of(monitors.begin(), monitors.end(), [w, h](const sys::Monitor& m) {
        return m.area.width == w && m.area.height == h;
      });
      // A picture as wide or as tall as the screen, or of the very size of
      // a monitor (a full-screen shot of it), is shown at a quarter of its
      // size, any smaller one at its own.
      if (h < services_.screen.height() && w < services_.screen.width() && !monitorSized) {
        photo.setHeight(h);
        photo.setWidth(w);
      } else {
        photo.setHeight(h / 4);
        photo.setWidth(w / 4);
      }
      break;
    }
  }
  photo.setPicture(picture);
  setTimeStamp(caption);
}

void CameraBox::pause(long long ms) {
  services_.clock.sleep(static_cast<int>(std::min<long long>(ms, std::numeric_limits<int>::max())));
}

}  // namespace camera
