#pragma once
#include <string>

#include "ui/control.h"

namespace ui {

class Form;

// A push button with a text caption. In a dialog one button may be the
// default, which Enter presses, and one the cancel button, which Escape presses.
class PushButton : public Control {
 public:
  PushButton(Control* parent, std::string name);

  bool isDefault() const { return default_; }
  void setDefault(bool v);
  bool isCancel() const { return cancel_; }
  void setCancel(bool v);
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
  bool default_ = false, cancel_ = false, pressed_ = false, tracking_ = false;
};

enum class DialogKey { Enter, Escape };

// Enter clicks the form's showing, enabled default button, Escape its
// cancel button. False when there is none.
bool pressDialogKey(Form& form, DialogKey key);

}  // namespace ui
