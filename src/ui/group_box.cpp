#include "ui/group_box.h"

#include "ui/draw.h"
#include "ui/painter.h"

namespace ui {

GroupBox::GroupBox(Control* parent, std::string name) : Control(parent, std::move(name)) { setColor(clNone); }

void GroupBox::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  int band = caption().empty() ? 0 : painter.scaled(6);
  draw::etchedFrame(c, {r.left, r.top + band, r.width, r.height - band}, painter.scaled(1));
  if (caption().empty()) return;
  auto size = painter.measureText(font(), caption());
  c.fillRect({r.left + painter.scaled(8), r.top, size.width + painter.scaled(4), size.height}, clBtnFace);
  painter.drawText(c, font(), caption(), r.left + painter.scaled(10), r.top, font().color);
}

}  // namespace ui
