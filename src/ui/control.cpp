#include "ui/control.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {

Control::Control(Control* parent, std::string name) : name_(std::move(name)), parent_(parent) {
  if (parent_) {
    parent_->children_.push_back(this);
    font_ = parent_->font_;
  }
}

Control::~Control() {
  if (parent_) {
    auto& sib = parent_->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  }
}

Form* Control::form() {
  Control* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<Form*>(c);
}

const Form* Control::form() const { return const_cast<Control*>(this)->form(); }

int Control::formLeft() const {
  int x = 0;
  for (const Control* c = this; c->parent_; c = c->parent_) x += c->bounds_.left;
  return x;
}

int Control::formTop() const {
  int y = 0;
  for (const Control* c = this; c->parent_; c = c->parent_) y += c->bounds_.top;
  return y;
}

bool Control::showing() const {
  for (const Control* c = this; c->parent_; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void Control::changed(Change what, Rect oldBounds) {
  if (Form* f = form()) f->controlChanged(*this, what, oldBounds);
}

void Control::setBounds(Rect r) {
  if (r == bounds_) return;
  Rect old = bounds_;
  bounds_ = r;
  changed(Change::Bounds, old);
}

void Control::setVisible(bool v) { setProperty(visible_, v, Change::Visible); }

void Control::setEnabled(bool v) { setProperty(enabled_, v, Change::Enabled); }

void Control::setCaption(const std::string& v) { setProperty(caption_, v, Change::Text); }

void Control::setColor(Color v) { setProperty(color_, v, Change::Appearance); }

void Control::setFont(const Font& f) { setProperty(font_, f, Change::Appearance); }

void Control::setFontColor(Color c) {
  Font f = font_;
  f.color = c;
  setFont(f);
}

void Control::setHint(const std::string& v) { setProperty(hint_, v, Change::Hint); }

void Control::setShowHint(bool v) { setProperty(showHint_, v, Change::Hint); }

void Control::setCursor(Cursor c) { setProperty(cursor_, c, Change::Appearance); }

void Control::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (onMouseDown) onMouseDown(b, shift, x, y);
}

void Control::mouseMove(unsigned shift, int x, int y) {
  if (onMouseMove) onMouseMove(shift, x, y);
}

void Control::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (b == MouseButton::Left && x >= 0 && y >= 0 && x < width() && y < height() && onClick) onClick();
}

void Control::click() {
  mouseDown(MouseButton::Left, ssLeft, width() / 2, height() / 2);
  mouseUp(MouseButton::Left, 0, width() / 2, height() / 2);
}

Control* Control::childAt(int x, int y) {
  // Later children lie above earlier ones.
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    Control* c = *it;
    if (!c->visible_) continue;
    Rect r = c->bounds_;
    if (r.contains(x, y)) {
      Control* deeper = c->childAt(x - r.left, y - r.top);
      return deeper ? deeper : c;
    }
  }
  return nullptr;
}

void forEachDescendant(Control& root, const std::function<void(Control&)>& visit) {
  for (Control* c : root.children()) {
    visit(*c);
    forEachDescendant(*c, visit);
  }
}

}  // namespace ui
