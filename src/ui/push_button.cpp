#include "ui/push_button.h"

#include "picture/canvas.h"
#include "ui/draw.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/painter.h"

namespace ui {

PushButton::PushButton(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void PushButton::setDefault(bool v) { setProperty(default_, v, Change::Appearance); }

void PushButton::setCancel(bool v) { setProperty(cancel_, v, Change::Appearance); }

void PushButton::setPressed(bool v) { setProperty(pressed_, v, Change::Appearance); }

void PushButton::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  Rect face = r;
  int ring = painter.scaled(1);
  if (default_) {
    // The default button wears a black ring.
    c.fillRect(r, clBlack);
    face = r.inset(ring);
  }
  if (pressed_)
    draw::pressedBox(c, face, ring);
  else
    draw::raisedBox(c, face, ring);
  if (caption().empty()) return;
  auto size = painter.measureText(font(), caption());
  int shift = pressed_ ? ring : 0;
  painter.drawText(c, font(), caption(), face.left + (face.width - size.width) / 2 + shift,
                   face.top + (face.height - size.height) / 2 + shift,
                   enabled() ? font().color : clBtnShadow);
}

void PushButton::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left) {
    tracking_ = true;
    setPressed(true);
  }
  Control::mouseDown(b, shift, x, y);
}

void PushButton::mouseMove(unsigned shift, int x, int y) {
  if (tracking_) setPressed(Rect{0, 0, width(), height()}.contains(x, y));
  Control::mouseMove(shift, x, y);
}

void PushButton::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  bool wasTracking = tracking_ && b == MouseButton::Left;
  if (b == MouseButton::Left) {
    tracking_ = false;
    setPressed(false);
  }
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (wasTracking && Rect{0, 0, width(), height()}.contains(x, y) && onClick) onClick();
  if (b == MouseButton::Right) openPopupMenu(x, y);
}

void PushButton::openPopupMenu(int x, int y) {
  PopupMenu* menu = popupMenu();
  if (!menu) return;
  // Screen coordinates: the form's client area starts inside its frame.
  Point at{formLeft() + x, formTop() + y};
  if (const Form* f = form()) at = f->clientToScreen(at.x, at.y);
  menu->popup(at.x, at.y);
}

bool pressDialogKey(Form& form, DialogKey key) {
  PushButton* found = nullptr;
  forEachDescendant(form, [&](Control& c) {
    auto* b = dynamic_cast<PushButton*>(&c);
    if (found || !b) return;
    bool role = key == DialogKey::Enter ? b->isDefault() : b->isCancel();
    if (role && b->showing() && b->enabled()) found = b;
  });
  if (!found || !found->onClick) return found != nullptr;
  found->onClick();
  return true;
}

}  // namespace ui
