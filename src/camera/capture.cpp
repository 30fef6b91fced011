// The shots and the views that aim them. A shot runs to its end inside its
// menu command: the waits are plain sleeps, and pending messages are
// handled only at fixed steps (so the film's tidy pass runs between the
// shots of a burst).
#include <algorithm>
#include <limits>

#include "app/film.h"
#include "app/settings.h"
#include "app/windows.h"
#include "base/error.h"
#include "camera/camera_box.h"
#include "ui/application.h"

namespace camera {

using app::settings;

namespace {

// A full-screen shot shows in the camera box at a quarter of its size.
constexpr unsigned kScreenShotDivisor = 4;

void hidePalette() {
  if (ui::Form* palette = app::windows.paletteForm) palette->hide();
}

void showPalette() {
  if (ui::Form* palette = app::windows.paletteForm) palette->showForm();
}

}  // namespace

void CameraBox::showAimingView() {
  ui::Rect p = viewfinder.bounds();
  int right = p.left + p.width, bottom = p.top + p.height;
  ui::WindowedPanel& l = edgeHandles[Edge::Left];
  ui::WindowedPanel& r = edgeHandles[Edge::Right];
  ui::WindowedPanel& u = edgeHandles[Edge::Top];
  ui::WindowedPanel& d = edgeHandles[Edge::Bottom];
  l.setBounds({p.left - kHandleThickness, p.top, l.width(), p.height});
  r.setBounds({right, p.top, r.width(), p.height});
  u.setBounds({p.left, p.top - kHandleThickness, p.width, u.height()});
  d.setBounds({p.left, bottom, p.width, d.height()});
  const int m = kCornerMarkSize;
  cornerMarks[Corner::TopLeft].setBounds({p.left - m, p.top - m, m, m});
  cornerMarks[Corner::TopRight].setBounds({right, p.top - m, m, m});
  cornerMarks[Corner::BottomLeft].setBounds({p.left - m, bottom, m, m});
  cornerMarks[Corner::BottomRight].setBounds({right, bottom, m, m});
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
void CameraBox::writeTimeStamp() {
  std::string text = services_.clock.timeOfDay();
  if (text.empty()) text = services_.clock.plainTimeOfDay();
  setTimeStamp(text);
}

void CameraBox::shootArea() {
  runShot(false, [this] {
    keepHidden = true;
    hide();
    pause(settings.shutterDelaySeconds * 1000LL);
    displayDivisor = 1;
    photo.setPicture({});
    writeTimeStamp();
    application().hideApplicationWindow();
    application().processMessages();
    copyAreaUnderPhoto();
    application().showApplicationWindow();
    showNormalView();
    addPhotoToFilm();
    keepHidden = false;
    showForm();
  });
}

void CameraBox::shootAreaBurst() {
  runShot(false, [this] {
    keepHidden = true;
    hide();
    pause(settings.shutterDelaySeconds * 1000LL);
    displayDivisor = 1;
    application().hideApplicationWindow();
    // The layout slows down while the burst lasts and comes back to its
    // pace when it ends, however it ends. The product saturates rather
    // than wrapping, and an interval of 0 (from a hand-edited file) would
    // stop it.
    struct RestoreInterval {
      ui::Timer& timer;
      int interval;
      ~RestoreInterval() { timer.setInterval(interval); }
    } restore{layoutTimer, layoutTimer.interval()};
    if (unsigned speed = settings.strobeIntervalTenths) {
      long long slowed = static_cast<long long>(layoutTimer.interval()) * speed;
      layoutTimer.setInterval(static_cast<int>(std::min<long long>(slowed, std::numeric_limits<int>::max())));
    }
    for (int shot = 0; shot < settings.strobeCount; ++shot) {
      photo.setPicture({});
      writeTimeStamp();
      application().processMessages();
      copyAreaUnderPhoto(shot == 0);
      // Only the first shot has the application window out of the way.
      application().showApplicationWindow();
      showNormalView();
      addPhotoToFilm();
      pause(settings.strobeIntervalTenths * 100LL);
    }
    showForm();
    keepHidden = false;
  });
}

void CameraBox::shootScreen() {
  runShot(true, [this] {
    keepHidden = true;
    hidePalette();
    hide();
    pause(settings.shutterDelaySeconds * 1000LL);
    displayDivisor = kScreenShotDivisor;
    photo.setPicture(blankImage.picture());
    writeTimeStamp();
    application().hideApplicationWindow();
    application().processMessages();
    copyWholeScreen();
    application().showApplicationWindow();
    showPalette();
    showForm();
    addPhotoToFilm();
    keepHidden = false;
  });
}

void CameraBox::shootScreenBurst() {
  runShot(true, [this] {
    keepHidden = true;
    hidePalette();
    hide();
    pause(settings.shutterDelaySeconds * 1000LL);
    displayDivisor = kScreenShotDivisor;
    application().hideApplicationWindow();
    for (int shot = 0; shot < settings.strobeCount; ++shot) {
      photo.setPicture(blankImage.picture());
      writeTimeStamp();
      application().processMessages();
      copyWholeScreen(shot == 0);
      addPhotoToFilm();
      pause(settings.strobeIntervalTenths * 100LL);
    }
    application().showApplicationWindow();
    showPalette();
    showForm();
    keepHidden = false;
  });
}

void CameraBox::runShot(bool hidesPalette, const std::function<void()>& steps) {
  try {
    steps();
  } catch (...) {
    // Each step of the way back runs even if another fails; their own
    // errors are reported as any other, and the shot's error after them.
    ui::Application& a = application();
    a.dispatch([&a] { a.showApplicationWindow(); });
    ui::Form* palette = app::windows.paletteForm;
    if (hidesPalette && palette && !palette->visible()) a.dispatch([palette] { palette->showForm(); });
    if (!visible()) a.dispatch([this] { showForm(); });
    keepHidden = false;
    throw;
  }
}

void CameraBox::copyAreaUnderPhoto(bool settle) {
  // The photo's place on the screen, read now: the box may have moved.
  ui::Rect area{left() + viewfinder.left() + kPhotoInset, top() + viewfinder.top() + kPhotoInset,
                photo.width(), photo.height()};
  photo.setPicture(copyScreen(area, settle));
}

void CameraBox::copyWholeScreen(bool settle) {
  photo.setBounds({photo.left(), photo.top(), services_.screen.width(), services_.screen.height()});
  photo.setPicture(copyScreen({0, 0, photo.width(), photo.height()}, settle));
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

void CameraBox::addPhotoToFilm() {
  if (app::Film* film = app::windows.film) film->addPhotoToFilm();
  // A full film that kept nothing does not size the photo: it takes its
  // size over the divisor all the same (a screen shot a quarter of the
  // screen, not the whole screen in a box that stays on top).
  const picture::Picture& taken = photo.picture();
  if (taken.width() <= 0 || taken.height() <= 0) return;
  unsigned divisor = std::max(1u, displayDivisor);
  photo.setHeight(static_cast<int>(static_cast<unsigned>(taken.height()) / divisor));
  photo.setWidth(static_cast<int>(static_cast<unsigned>(taken.width()) / divisor));
}

void CameraBox::pause(long long ms) {
  services_.clock.sleep(static_cast<int>(std::min<long long>(ms, std::numeric_limits<int>::max())));
}

}  // namespace camera
