#include "ui/check_box.h"

#include "ui/draw.h"
#include "ui/painter.h"
#include "ui/scale.h"

namespace ui {

namespace {

constexpr int kMarkSize = 13;

// The mark at the left, vertically centred, and the caption after it.
Rect markRect(Rect r, int size) { return {r.left, r.top + (r.height - size) / 2, size, size}; }

// A part of a mark drawn in the design's pixels inside the box.
void fillScaled(picture::Canvas& c, Rect box, Rect part, Painter& painter) {
  c.fillRect(scaled(part, painter.dpi()).offset(box.left, box.top), clBlack);
}

}  // namespace

void CheckControl::setChecked(bool v) { setProperty(checked_, v, Change::Appearance); }

void CheckControl::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (b != MouseButton::Left || !Rect{0, 0, width(), height()}.contains(x, y)) return;
  clicked();
  if (onClick) onClick();
}

void CheckControl::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  int mark = painter.scaled(kMarkSize);
  Rect box = markRect(r, mark);
  draw::sunkenBox(c, box, clWhite, painter.scaled(1));
  if (checked_) paintMark(c, box, painter);
  if (caption().empty()) return;
  auto size = painter.measureText(font(), caption());
  painter.drawText(c, font(), caption(), r.left + mark + painter.scaled(4),
                   r.top + (r.height - size.height) / 2, enabled() ? font().color : clBtnShadow);
}

CheckBox::CheckBox(Control* parent, std::string name) : CheckControl(parent, std::move(name)) {}

void CheckBox::paintMark(picture::Canvas& c, Rect box, Painter& painter) {
  // A tick: down from the left, up to the right.
  for (int i = 0; i < 7; ++i) fillScaled(c, box, {3 + i, i < 3 ? 5 + i : 9 - (i - 2), 1, 3}, painter);
}

RadioButton::RadioButton(Control* parent, std::string name) : CheckControl(parent, std::move(name)) {}

void RadioButton::setChecked(bool v) {
  if (v == checked()) return;
  if (v && parent()) {
    for (Control* c : parent()->children()) {
      auto* other = dynamic_cast<RadioButton*>(c);
      if (other && other != this) other->setChecked(false);
    }
  }
  CheckControl::setChecked(v);
}

void RadioButton::paintMark(picture::Canvas& c, Rect box, Painter& painter) {
  fillScaled(c, box, {4, 4, kMarkSize - 8, kMarkSize - 8}, painter);
}

}  // namespace ui
