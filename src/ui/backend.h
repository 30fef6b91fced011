#pragma once
#include <functional>
#include <memory>
#include <string>

#include "picture/canvas.h"
#include "ui/types.h"

namespace ui {

class Application;
class Control;
class Painter;
class Form;
class Timer;
class PopupMenu;

// The screen side of a form: a top-level window of the backend.
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  // The form's bounds, visibility, caption, style or z-order changed.
  virtual void formChanged(Change what) = 0;
  // A child control changed; oldBounds is where it was (form coordinates).
  virtual void controlChanged(Control& c, Change what, Rect oldBounds) = 0;
  // Repaint what is invalid now, synchronously.
  virtual void update() = 0;
  // Bring to the front (a show of an already visible form).
  virtual void bringToFront() = 0;
  // Non-client thickness: left, top, right, bottom.
  virtual Rect frameInsets() const = 0;
  // The client area as drawn: the surface, then every visible child in
  // stacking order, clipped; wherever the window stands, even off the screen.
  virtual picture::Canvas clientImage() = 0;
  // The mouse was taken by a control until its button is released.
  virtual void captureMouse(bool on) { (void)on; }
};

class TimerPeer {
 public:
  virtual ~TimerPeer() = default;
  // Enabled, interval or handler changed: (re)arm or stop.
  virtual void timerChanged() = 0;
};

// One windowing system: creates peers and runs the loop.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<FormPeer> createFormPeer(Form& f) = 0;
  virtual std::unique_ptr<TimerPeer> createTimerPeer(Timer& t) = 0;
  // Shows the menu at screen coordinates and returns when it is closed;
  // the chosen item's handler has run by then.
  virtual void popupMenu(PopupMenu& m, int x, int y) = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void setHintColor(Color c) = 0;
  // The application window: the top-level window that owns every form and
  // carries the taskbar button. Hiding it does not hide the forms.
  virtual void setApplicationWindowVisible(bool visible) = 0;
  // Waits for and dispatches messages until the application terminates.
  virtual void run() = 0;
  // Runs what is pending now but no input, so that no command starts inside
  // the one that calls this.
  virtual void processMessages() = 0;
  // Wakes run() so that it sees a termination or posted work.
  virtual void wake() = 0;
  // Draws and measures text in the system's fonts.
  virtual Painter& painter() = 0;
  // Dispatches messages until the form, shown already, is hidden; the
  // application's other windows take no input meanwhile.
  virtual void runModal(Form& f) = 0;
};

}  // namespace ui
