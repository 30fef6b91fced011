#pragma once
#include <string>

#include "ui/control.h"

namespace ui {

// An etched frame that groups controls, with its caption in the top edge
// when it has one (the system's group box on Win32). Its controls are its
// siblings, laid over it.
class GroupBox : public Control {
 public:
  GroupBox(Control* parent, std::string name);
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
};

}  // namespace ui
