#pragma once
#include <string>

#include "ui/control.h"

namespace ui {

// The base of check boxes and radio buttons: a mark that is on or off, and a
// caption.
class CheckControl : public Control {
 public:
  bool checked() const { return checked_; }
  virtual void setChecked(bool v);

  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 protected:
  using Control::Control;
  // What a click does to the mark.
  virtual void clicked() = 0;
  // The mark inside its box, for a checked control, at the painter's DPI.
  virtual void paintMark(picture::Canvas& canvas, Rect box, Painter& painter) = 0;

 private:
  bool checked_ = false;
};

// A check box. A click flips it.
class CheckBox : public CheckControl {
 public:
  CheckBox(Control* parent, std::string name);

 protected:
  void clicked() override { setChecked(!checked()); }
  void paintMark(picture::Canvas& canvas, Rect box, Painter& painter) override;
};

// A radio button. The radio buttons of one parent form one group: checking
// one unchecks the others. A click checks it.
class RadioButton : public CheckControl {
 public:
  RadioButton(Control* parent, std::string name);
  void setChecked(bool v) override;

 protected:
  void clicked() override { setChecked(true); }
  void paintMark(picture::Canvas& canvas, Rect box, Painter& painter) override;
};

}  // namespace ui
