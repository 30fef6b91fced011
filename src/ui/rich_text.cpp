#include "ui/rich_text.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/painter.h"

namespace ui {

RichText::RichText(Control* parent, std::string name) : Control(parent, std::move(name)) {
  setColor(clWhite);
}

void RichText::setLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  firstLine_ = std::clamp(firstLine_, 0, maxFirstLine());
  changed(Change::Text);
}

int RichText::lineHeight() const { return std::max(1, font().height); }

void RichText::setMargin(int m) { setProperty(margin_, std::max(0, m), Change::Appearance); }

int RichText::contentHeight() const { return static_cast<int>(lines_.size()) * lineHeight(); }

int RichText::maxFirstLine() const {
  int shown = std::max(1, height() / lineHeight());
  return std::max(0, static_cast<int>(lines_.size()) - shown);
}

void RichText::setFirstLine(int line) {
  setProperty(firstLine_, std::clamp(line, 0, maxFirstLine()), Change::Appearance);
}

void RichText::setScrollTop(int pixels) { setFirstLine(std::max(0, pixels) / lineHeight()); }

void RichText::scrolledTo(int line) {
  int before = firstLine_;
  setFirstLine(line);
  if (firstLine_ != before && onScroll) onScroll();
}

void RichText::setBounds(Rect r) {
  Control::setBounds(r);
  firstLine_ = std::clamp(firstLine_, 0, maxFirstLine());
}

void RichText::paint(picture::Canvas& c, Rect r, Rect clip, Painter& painter) {
  c.fillRect(r, color());
  int h = std::max(1, painter.scaled(lineHeight()));
  int first = std::max(firstLine_, firstLine_ + (clip.top - r.top) / h);
  int last = std::min(static_cast<int>(lines_.size()), firstLine_ + (clip.bottom() - r.top) / h + 1);
  for (int i = first; i < last; ++i) {
    if (lines_[i].empty()) continue;
    painter.drawText(c, font(), lines_[i], r.left + painter.scaled(margin_), r.top + (i - firstLine_) * h,
                     font().color);
  }
}

}  // namespace ui
