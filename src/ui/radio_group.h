#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/check_box.h"
#include "ui/control.h"

namespace ui {

// A framed group of radio buttons, one per item, laid out in columns from
// top to bottom (a group box with radio buttons on Win32). itemIndex is the
// checked item, -1 when none is.
class RadioGroup : public Control {
 public:
  RadioGroup(Control* parent, std::string name);
  ~RadioGroup() override;

  // Makes the buttons anew: set the items while the form is being built,
  // before it gets its window, which mirrors the buttons it finds then.
  void setItems(const std::vector<std::string>& items);
  int itemCount() const { return static_cast<int>(buttons_.size()); }
  int columns() const { return columns_; }
  void setColumns(int n);
  int itemIndex() const;
  // Out of range checks nothing.
  void setItemIndex(int i);
  RadioButton& button(int i) { return *buttons_.at(i); }

  void setBounds(Rect r) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  void layOut();
  std::vector<std::unique_ptr<RadioButton>> buttons_;
  int columns_ = 1;
};

}  // namespace ui
