#pragma once
#include <string>

#include "ui/control.h"

namespace ui {

class Form;

// A push button with a text caption (the system's own on Win32). The
// default button is the one Enter presses, the cancel button the one
// Escape presses, anywhere in its form.
class Button : public Control {
 public:
  Button(Control* parent, std::string name);
  bool isDefault() const { return default_; }
  void setDefault(bool v);
  bool isCancel() const { return cancel_; }
  void setCancel(bool v);
  bool pressed() const { return pressed_; }

  void mouseDown(MouseButton b, unsigned shift, int x, int y) override;
  void mouseMove(unsigned shift, int x, int y) override;
  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  void setPressed(bool v);
  bool default_ = false, cancel_ = false, pressed_ = false, tracking_ = false;
};

enum class DialogKey { Enter, Escape };

// Enter clicks the form's showing, enabled default button, Escape its
// cancel button. False when there is none.
bool pressDialogKey(Form& form, DialogKey key);

}  // namespace ui
