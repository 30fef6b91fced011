#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "picture/canvas.h"
#include "platform/headless/font_painter.h"
#include "system/clock.h"
#include "ui/backend.h"
#include "ui/menu.h"
#include "ui/painter.h"

namespace ui {
class Application;
}

namespace headless {

// A windowing system in memory, on a virtual clock, so that minutes of timer
// work run in microseconds.
class Backend : public ui::Backend, public sys::Clock {
 public:
  Backend();
  ~Backend() override;
  void setApplication(ui::Application* app) { app_ = app; }

  // ui::Backend
  std::unique_ptr<ui::FormPeer> createFormPeer(ui::Form& f) override;
  std::unique_ptr<ui::TimerPeer> createTimerPeer(ui::Timer& t) override;
  void popupMenu(ui::PopupMenu& m, int x, int y) override;
  void setTitle(const std::string& t) override { title_ = t; }
  void setHintColor(ui::Color) override {}
  void setApplicationWindowVisible(bool visible) override { applicationWindowVisible_ = visible; }
  // Dispatches what is ready now and returns; advance() moves the clock.
  void run() override;
  void processMessages() override;
  void wake() override {}
  ui::Painter& painter() override { return painter_; }
  // Runs modalScript, which stands for the user of the modal form.
  void runModal(ui::Form& f) override;

  // sys::Clock: virtual time. Sleeping moves the clock without running
  // the loop, as a blocked thread would.
  std::int64_t nowMs() override { return now_; }
  std::int64_t now() const { return now_; }
  void sleep(int ms) override;
  std::string timeOfDay() override;
  std::string plainTimeOfDay() override;

  // --- for tests ---
  // Runs the loop for ms of virtual time: timers fire at their due times.
  void advance(int ms);
  const std::string& title() const { return title_; }
  bool applicationWindowVisible() const { return applicationWindowVisible_; }
  // The names of the forms on the screen now, in the order they were made.
  std::vector<std::string> visibleForms() const;
  // Called at every synchronous or loop repaint of a form.
  std::function<void(ui::Form&)> onPaint;
  // How often each form has been painted.
  int paintCount(const ui::Form& f) const;
  // How often a see-through form has taken a new copy of what lies
  // beneath it: when it appeared, moved or changed size.
  int backdropRefreshes(const ui::Form& f) const;
  // The form's client area as last painted, only the part on the screen.
  const picture::Canvas* canvas(const ui::Form& f) const;
  ui::Rect canvasArea(const ui::Form& f) const;
  // Where the screen lies; forms paint only what of them is on it.
  std::function<ui::Rect()> screenArea;
  // Chooses the item of the next popup menu; the function gets the menu and
  // returns the item to click (or nullptr to dismiss it).
  std::function<ui::MenuItem*(ui::PopupMenu&)> menuScript;
  struct MenuShown {
    std::string name;
    int x, y;
  };
  std::vector<MenuShown> menusShown;
  // Acts as the user while a modal form is up (for example, clicks its
  // OK button); the names of the modal forms shown, in order.
  std::function<void(ui::Form&)> modalScript;
  std::vector<std::string> modalsShown;
  // The wall-clock time of day the virtual clock starts at, in seconds.
  int startSecondOfDay = 12 * 3600;
  // The locale gives no time pattern: timeOfDay() is empty.
  bool noLocaleTimePattern = false;

 private:
  friend class FormPeer;
  friend class TimerPeer;
  class FormPeer;
  class TimerPeer;
  void paintPending();
  bool fireDue();
  // When the next armed timer is due; -1 when none is armed.
  std::int64_t nextDue() const;
  ui::Application* app_ = nullptr;
  FontPainter painter_;
  std::int64_t now_ = 0;
  std::string title_;
  bool applicationWindowVisible_ = true;
  std::vector<FormPeer*> forms_;
  std::vector<TimerPeer*> timers_;
};

}  // namespace headless
