#pragma once
#include <functional>
#include <string>

#include "ui/control.h"

namespace ui {

// A horizontal track bar with ticks below (the system's own on Win32).
// The position always lies in the range: a value outside it is taken to
// the nearest end.
class TrackBar : public Control {
 public:
  TrackBar(Control* parent, std::string name);
  int minValue() const { return min_; }
  int maxValue() const { return max_; }
  void setRange(int lo, int hi);
  int position() const { return position_; }
  void setPosition(int v);
  // A tick every this many steps.
  int frequency() const { return frequency_; }
  void setFrequency(int f);
  // The user moved the thumb.
  std::function<void()> onChange;
  void slide(int v);

  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
};

}  // namespace ui
