#include "ui/button.h"

#include <functional>

#include "ui/draw.h"
#include "ui/form.h"
#include "ui/painter.h"

namespace ui {

namespace {
bool inside(const Control& c, int x, int y) { return x >= 0 && y >= 0 && x < c.width() && y < c.height(); }
}  // namespace

Button::Button(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void Button::setDefault(bool v) { setProperty(default_, v, Change::Appearance); }

void Button::setCancel(bool v) { setProperty(cancel_, v, Change::Appearance); }

void Button::setPressed(bool v) { setProperty(pressed_, v, Change::Appearance); }

void Button::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left) {
    tracking_ = true;
    setPressed(true);
  }
  Control::mouseDown(b, shift, x, y);
}

void Button::mouseMove(unsigned shift, int x, int y) {
  if (tracking_) setPressed(inside(*this, x, y));
  Control::mouseMove(shift, x, y);
}

void Button::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  bool wasTracking = tracking_ && b == MouseButton::Left;
  if (wasTracking) {
    tracking_ = false;
    setPressed(false);
  }
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (wasTracking && inside(*this, x, y) && onClick) onClick();
}

void Button::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  Rect face = r;
  if (default_) {
    // The default button wears a black ring.
    c.fillRect(r, clBlack);
    face = r.inset(1);
  }
  draw::raisedBox(c, face);
  if (caption().empty()) return;
  auto size = painter.measureText(font(), caption());
  int shift = pressed_ ? 1 : 0;
  painter.drawText(c, font(), caption(), face.left + (face.width - size.width) / 2 + shift,
                   face.top + (face.height - size.height) / 2 + shift,
                   enabled() ? font().color : clBtnShadow);
}

bool pressDialogKey(Form& form, DialogKey key) {
  Button* found = nullptr;
  forEachDescendant(form, [&](Control& c) {
    auto* b = dynamic_cast<Button*>(&c);
    if (found || !b) return;
    bool role = key == DialogKey::Enter ? b->isDefault() : b->isCancel();
    if (role && b->showing() && b->enabled()) found = b;
  });
  if (!found || !found->onClick) return found != nullptr;
  found->onClick();
  return true;
}

}  // namespace ui
