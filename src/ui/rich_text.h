#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// Read-only text of many lines in one font, scrolled in whole lines.
class RichText : public Control {
 public:
  RichText(Control* parent, std::string name);

  const std::vector<std::string>& lines() const { return lines_; }
  void setLines(std::vector<std::string> lines);
  // Pixels per line: the font's height.
  int lineHeight() const;
  // Room kept free at the left of the text.
  int margin() const { return margin_; }
  void setMargin(int m);
  // Height of all the lines.
  int contentHeight() const;
  // The first line shown, as a pixel position (a whole number of lines).
  int scrollTop() const { return firstLine_ * lineHeight(); }
  // Taken down to a whole line, and no further than the last page.
  void setScrollTop(int pixels);
  int firstLine() const { return firstLine_; }
  int maxFirstLine() const;
  // The user scrolled to show `line` first.
  void scrolledTo(int line);
  std::function<void()> onScroll;

  void setBounds(Rect r) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  void setFirstLine(int line);
  std::vector<std::string> lines_;
  int firstLine_ = 0;
  int margin_ = 0;
};

}  // namespace ui
