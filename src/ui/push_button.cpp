#include "ui/push_button.h"

#include "picture/canvas.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/painter.h"

namespace ui {

namespace {

void ring(picture::Canvas& c, Rect r, Color topLeft, Color bottomRight) {
  if (r.empty()) return;
  c.hLine(r.left, r.top, r.width, topLeft);
  c.vLine(r.left, r.top, r.height, topLeft);
  c.hLine(r.left, r.bottom() - 1, r.width, bottomRight);
  c.vLine(r.right() - 1, r.top, r.height, bottomRight);
}

bool inside(const Control& c, int x, int y) { return x >= 0 && y >= 0 && x < c.width() && y < c.height(); }

}  // namespace

PushButton::PushButton(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void PushButton::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  c.fillRect(r, clBtnFace);
  if (pressed()) {
    ring(c, r, clBlack, clBlack);
    ring(c, r.inset(1), clBtnShadow, clBtnShadow);
  } else {
    ring(c, r, clBtnHighlight, clBlack);
    ring(c, r.inset(1), clBtnFace, clBtnShadow);
  }
  if (caption().empty()) return;
  auto size = painter.measureText(font(), caption());
  int shift = pressed() ? 1 : 0;
  Color text = enabled() ? font().color : clBtnShadow;
  painter.drawText(c, font(), caption(), r.left + (r.width - size.width) / 2 + shift,
                   r.top + (r.height - size.height) / 2 + shift, text);
}

void PushButton::setPressed(bool v) { setProperty(pressed_, v, Change::Appearance); }

void PushButton::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left) {
    tracking_ = true;
    setPressed(true);
  }
  Control::mouseDown(b, shift, x, y);
}

void PushButton::mouseMove(unsigned shift, int x, int y) {
  if (tracking_) setPressed(inside(*this, x, y));
  Control::mouseMove(shift, x, y);
}

void PushButton::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left) {
    bool wasTracking = tracking_;
    tracking_ = false;
    setPressed(false);
    if (onMouseUp) onMouseUp(b, shift, x, y);
    if (wasTracking && inside(*this, x, y) && onClick) onClick();
    return;
  }
  Control::mouseUp(b, shift, x, y);
  if (b == MouseButton::Right) openPopupMenu(x, y);
}

void PushButton::openPopupMenu(int x, int y) {
  PopupMenu* menu = popupMenu();
  if (!menu) return;
  // Screen coordinates: the form's client area starts inside its frame.
  int sx = formLeft() + x, sy = formTop() + y;
  if (const Form* f = form()) {
    Rect in = f->peer() ? f->peer()->frameInsets() : Rect{};
    sx += f->left() + in.left;
    sy += f->top() + in.top;
  }
  menu->popup(sx, sy);
}

}  // namespace ui
