#include "ui/check_box.h"

#include "ui/draw.h"
#include "ui/painter.h"

namespace ui {

namespace {

constexpr int kMarkSize = 13;

bool inside(const Control& c, int x, int y) { return x >= 0 && y >= 0 && x < c.width() && y < c.height(); }

// The mark at the left, vertically centred, and the caption after it.
Rect markRect(Rect r) { return {r.left, r.top + (r.height - kMarkSize) / 2, kMarkSize, kMarkSize}; }

void drawCaption(picture::Canvas& c, Painter& p, const Control& ctl, Rect r) {
  if (ctl.caption().empty()) return;
  auto size = p.measureText(ctl.font(), ctl.caption());
  p.drawText(c, ctl.font(), ctl.caption(), r.left + kMarkSize + 4, r.top + (r.height - size.height) / 2,
             ctl.enabled() ? ctl.font().color : clBtnShadow);
}

}  // namespace

CheckBox::CheckBox(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void CheckBox::setChecked(bool v) { setProperty(checked_, v, Change::Appearance); }

void CheckBox::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (b != MouseButton::Left || !inside(*this, x, y)) return;
  setChecked(!checked_);
  if (onClick) onClick();
}

void CheckBox::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  Rect box = markRect(r);
  draw::sunkenBox(c, box, clWhite);
  if (checked_) {
    // A tick: down from the left, up to the right.
    for (int i = 0; i < 7; ++i) {
      int x = box.left + 3 + i, y = box.top + (i < 3 ? 5 + i : 9 - (i - 2));
      c.vLine(x, y, 3, clBlack);
    }
  }
  drawCaption(c, painter, *this, r);
}

RadioButton::RadioButton(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void RadioButton::setChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (v && parent()) {
    for (Control* c : parent()->children()) {
      auto* other = dynamic_cast<RadioButton*>(c);
      if (other && other != this) other->setChecked(false);
    }
  }
  changed(Change::Appearance);
}

void RadioButton::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (b != MouseButton::Left || !inside(*this, x, y)) return;
  setChecked(true);
  if (onClick) onClick();
}

void RadioButton::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  Rect box = markRect(r);
  draw::sunkenBox(c, box, clWhite);
  if (checked_) c.fillRect({box.left + 4, box.top + 4, kMarkSize - 8, kMarkSize - 8}, clBlack);
  drawCaption(c, painter, *this, r);
}

}  // namespace ui
