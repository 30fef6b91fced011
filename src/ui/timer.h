#pragma once
#include <functional>
#include <memory>
#include <string>

#include "ui/backend.h"

namespace ui {

class Application;

// A message-loop timer: onTimer runs every interval while enabled.
class Timer {
 public:
  Timer(Application& app, std::string name, int intervalMs = 1000);
  ~Timer();
  const std::string& name() const { return name_; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  int interval() const { return interval_; }
  void setInterval(int ms);
  std::function<void()> onTimer;
  // The backend calls this when the interval has elapsed. A failing
  // handler shows the error box and does not run again while it is up.
  void fire();

 private:
  void changed();
  Application& app_;
  std::string name_;
  int interval_;
  bool enabled_ = true;
  bool failing_ = false;
  std::unique_ptr<TimerPeer> peer_;
};

}  // namespace ui
