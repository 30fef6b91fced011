#pragma once
#include <functional>
#include <string>

#include "app/settings.h"
#include "picture/picture.h"
#include "system/clock.h"
#include "system/screen.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/timer.h"
#include "ui/types.h"

namespace camera {

// What a shot asks of the camera box it is taken from.
class ShotWindow {
 public:
  virtual ~ShotWindow() = default;
  // The box off the screen for the shot, and back; whether it is there.
  virtual void leaveForShot() = 0;
  virtual void comeBackAfterShot() = 0;
  virtual bool onScreen() const = 0;
  // While set, the application's loss of activation does not bring the
  // box back.
  virtual void setKeepHidden(bool keep) = 0;
  // Where the photo stands on the screen now, and the point whose monitor
  // a full-screen shot takes.
  virtual ui::Rect areaUnderPhoto() const = 0;
  virtual ui::Point centreOnScreen() const = 0;
  // A copy into the photo with its time stamp.
  virtual void showShot(const picture::Picture& taken, const std::string& stamp, bool wholeScreen) = 0;
  virtual void showNormalView() = 0;
  // The photo into the film.
  virtual void storePhotoInFilm() = 0;
};

// How a shot is timed: the settings as they stand when the shutter is
// pressed.
struct ShotTiming {
  // Before the first copy.
  unsigned delaySeconds = 0;
  // The copies a burst takes, and the pause after each; the layout slows
  // by the same factor while the burst lasts.
  int burstCount = 1;
  unsigned burstIntervalTenths = 0;

  static ShotTiming from(const app::Settings& settings);
};

// The four shots share one skeleton: hide, wait, copy, show, store. A shot runs
// to its end inside its command; pending timers and paints are handled only at
// fixed steps, so that the film's tidy pass runs between the shots of a burst.
class ShotSequence {
 public:
  ShotSequence(ui::Application& app, sys::Screen& screen, sys::Clock& clock, ui::Form& palette,
               ui::Timer& layoutTimer, ShotWindow& window);

  void shootArea(const ShotTiming& timing);
  void shootAreaBurst(const ShotTiming& timing);
  void shootScreen(const ShotTiming& timing);
  void shootScreenBurst(const ShotTiming& timing);
  // A shot's time stamp: the time of day in the locale's long format.
  std::string timeStamp();

 private:
  struct Shot;
  void shoot(const Shot& shot, const ShotTiming& timing);
  // The box back, and for a screen shot the application window and the
  // palette first.
  void bringBack(const Shot& shot);
  // A shot's steps, with the windows it hides brought back if one fails.
  void runShot(bool hidesPalette, const std::function<void()>& steps);
  // settle gives the screen time to show what was just hidden; the later
  // shots of a burst need not wait.
  picture::Picture copyAreaUnderPhoto(bool settle);
  // The whole monitor the box stands on (by its centre; the primary one
  // when it stands on none).
  picture::Picture copyWholeScreen(bool settle);
  picture::Picture copyScreen(ui::Rect r, bool settle);
  void waitShutterDelay(unsigned seconds);
  void pause(long long ms);

  ui::Application& app_;
  sys::Screen& screen_;
  sys::Clock& clock_;
  ui::Form& palette_;
  ui::Timer& layoutTimer_;
  ShotWindow& window_;
};

}  // namespace camera
