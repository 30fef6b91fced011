#pragma once
#include <string>

#include "ui/control.h"

namespace ui {

// A check box with its caption to the right of the box (the system's own
// on Win32). A click flips it, then runs onClick.
class CheckBox : public Control {
 public:
  CheckBox(Control* parent, std::string name);
  bool checked() const { return checked_; }
  void setChecked(bool v);

  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  bool checked_ = false;
};

// A radio button. The radio buttons of one parent form one group: checking
// one unchecks the others. A click checks it, then runs onClick.
class RadioButton : public Control {
 public:
  RadioButton(Control* parent, std::string name);
  bool checked() const { return checked_; }
  void setChecked(bool v);

  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  bool checked_ = false;
};

}  // namespace ui
