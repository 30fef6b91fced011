#pragma once
#include "ui/controls.h"
#include "ui/form.h"

namespace shell {

// Shown while the windows are made: a bar that advances with each one.
class StartUpWindow : public ui::Form {
 public:
  explicit StartUpWindow(ui::Application& app);
  ui::Gauge progressBar{this, "progressBar"};
};

}  // namespace shell
