#pragma once
#include "ui/controls.h"

namespace ui {

// A panel that is a window of its own where the system has windows. It
// keeps its mouse events on a form whose own surface moves the window
// (Form::setMovableBySurface), and the control under the pointer at a
// press keeps the mouse until the button is released, wherever it goes.
// Its children are drawn with it; it is meant as a direct child of a form.
class WindowedPanel : public Panel {
 public:
  using Panel::Panel;
};

}  // namespace ui
