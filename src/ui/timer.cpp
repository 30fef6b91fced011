#include "ui/timer.h"

#include "base/raised.h"
#include "ui/application.h"

namespace ui {

Timer::Timer(Application& app, std::string name, int intervalMs)
    : app_(app), name_(std::move(name)), interval_(intervalMs) {
  peer_ = app_.backend().createTimerPeer(*this);
  changed();
}

Timer::~Timer() = default;

void Timer::changed() {
  if (peer_) peer_->timerChanged();
}

void Timer::setEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  changed();
}

void Timer::setInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  changed();
}

void Timer::fire() {
  if (!enabled_ || interval_ <= 0 || !onTimer || failing_) return;
  try {
    onTimer();
  } catch (...) {
    // The error box's own loop keeps the timers running: this one rests
    // until its failure has been seen.
    base::Raised failing(failing_);
    app_.showError(Application::failureText(std::current_exception()));
  }
}

}  // namespace ui
