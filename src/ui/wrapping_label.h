#pragma once
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

// A label whose caption breaks into lines that fit its width, at any
// character (the text is Japanese: there are no spaces to break at).
class WrappingLabel : public Label {
 public:
  using Label::Label;
  // The caption as drawn, one entry per line.
  std::vector<std::string> wrappedLines(Painter& painter) const;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  // The lines within a width of the painter's pixels.
  std::vector<std::string> linesWithin(Painter& painter, int width) const;
};

}  // namespace ui
