#pragma once
#include <string>
#include <utility>

#include "ui/controls.h"

namespace ui {

// A panel that is windowed from the start (Panel::setWindowed).
class WindowedPanel : public Panel {
 public:
  WindowedPanel(Control* parent, std::string name) : Panel(parent, std::move(name)) { setWindowed(true); }
};

}  // namespace ui
