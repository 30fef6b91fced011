#pragma once
#include <string>

#include "ui/control.h"

namespace ui {

// A standard push button with a text caption (the system's own button on
// Win32). A left click runs onClick; a right click opens the button's popup
// menu, if it has one, where the button was released.
class PushButton : public Control {
 public:
  PushButton(Control* parent, std::string name);

  // Held down by the left button with the pointer on it.
  bool pressed() const { return pressed_; }

  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  void mouseDown(MouseButton b, unsigned shift, int x, int y) override;
  void mouseMove(unsigned shift, int x, int y) override;
  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;

  // Opens the popup menu with its corner at (x, y) of the button.
  void openPopupMenu(int x, int y);

 private:
  void setPressed(bool v);
  bool pressed_ = false;
  bool tracking_ = false;
};

}  // namespace ui
