#include "ui/form.h"

#include <algorithm>

#include "base/error.h"
#include "system/printer.h"
#include "system/screen.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/scale.h"

namespace ui {

Form::Form(Application& app, std::string name)
    : Control(nullptr, std::move(name)), app_(app), dpi_(app.screen().monitors().front().dpi) {
  // A new window stands on the primary monitor until it is placed.
  Control::setVisible(false);
  setFont(app.font());
}

Form::~Form() = default;

void Form::formChanged(Change what) {
  if (peer_) peer_->formChanged(what);
}

void Form::controlChanged(Control& c, Change what, Rect oldBounds) {
  if (&c == this) {
    formChanged(what);
    return;
  }
  if (!c.visible() && what == Change::Visible && captured_ == &c) captured_ = nullptr;
  if (peer_) peer_->controlChanged(c, what, oldBounds);
}

void Form::setBorderStyle(BorderStyle s) { setProperty(borderStyle_, s, Change::Appearance); }

void Form::setStayOnTop(bool v) { setProperty(stayOnTop_, v, Change::Appearance); }

void Form::setSystemMenu(bool v) { setProperty(systemMenu_, v, Change::Appearance); }

void Form::setSeeThrough(bool v) { setProperty(seeThrough_, v, Change::Appearance); }

void Form::setMovableBySurface(bool v) { setProperty(movableBySurface_, v, Change::Appearance); }

static Rect insetsOf(const Form& f) { return f.peer() ? f.peer()->frameInsets() : Rect{}; }

int Form::deviceClientWidth() const {
  Rect in = insetsOf(*this);
  return width() - in.left - in.width;
}

int Form::deviceClientHeight() const {
  Rect in = insetsOf(*this);
  return height() - in.top - in.height;
}

int Form::clientWidth() const { return fromDevice(deviceClientWidth()); }

int Form::clientHeight() const { return fromDevice(deviceClientHeight()); }

void Form::setClientWidth(int w) {
  Rect in = insetsOf(*this);
  setWidth(toDevice({0, 0, w, 0}).width + in.left + in.width);
}

void Form::setClientHeight(int h) {
  Rect in = insetsOf(*this);
  setHeight(toDevice({0, 0, 0, h}).height + in.top + in.height);
}

int Form::scaled(int designLength) const { return ui::scaled(designLength, dpi_); }

Rect Form::toDevice(Rect r) const { return devicePixelLayout_ ? r : ui::scaled(r, dpi_); }

int Form::fromDevice(int v) const { return devicePixelLayout_ ? v : ui::unscaled(v, dpi_); }

Rect Form::deviceBounds(const Control& c) const {
  return toDevice({c.formLeft(), c.formTop(), c.width(), c.height()});
}

Point Form::clientToScreen(int x, int y) const {
  Rect in = insetsOf(*this);
  Rect at = toDevice({x, y, 0, 0});
  return {left() + in.left + at.left, top() + in.top + at.top};
}

Rect Form::clientAreaAtDpi(int dpi) const {
  if (devicePixelLayout_) return {0, 0, deviceClientWidth(), deviceClientHeight()};
  return ui::scaled(Rect{0, 0, clientWidth(), clientHeight()}, dpi);
}

void Form::bringBackIfLost() { setBounds(sys::keptOnMonitors(app_.screen().monitors(), bounds())); }

void Form::dpiChangedBySystem(int dpi, Rect suggested) {
  bool changed = dpi > 0 && dpi != dpi_;
  if (changed) {
    dpi_ = dpi;
    // Text takes another width at another size: what was fitted to its
    // text is fitted again.
    Painter& painter = app_.backend().painter();
    forEachDescendant(*this, [&painter](Control& c) {
      auto* label = dynamic_cast<Label*>(&c);
      if (label && label->fitsText()) label->fitToText(painter);
    });
    if (peer_) peer_->formChanged(Change::Appearance);
  }
  setBounds(suggested);
  if (changed && onDpiChange) onDpiChange();
}

void Form::boundsChangedBySystem(Rect r) {
  // The window is already there: record it without telling the peer back.
  auto saved = std::move(peer_);
  Control::setBounds(r);
  peer_ = std::move(saved);
}

void Form::setVisible(bool v) {
  if (v == visible()) return;
  if (v) {
    // The show handler places the window before it appears; a failure in
    // it is reported like any handler's, and the window is shown anyway.
    if (onShow) app_.dispatch(onShow);
    try {
      Control::setVisible(true);
    } catch (...) {
      // Its window could not be made: the form stays hidden, and the next
      // show tries again.
      visible_ = false;
      throw;
    }
  } else {
    Control::setVisible(false);
    releaseMouse();
    active_ = false;
    if (onHide) onHide();
  }
}

void Form::releaseMouse() {
  if (!captured_) return;
  captured_ = nullptr;
  if (peer_) peer_->captureMouse(false);
}

void Form::showForm() {
  if (visible()) {
    if (peer_) peer_->bringToFront();
    return;
  }
  setVisible(true);
}

void Form::showModal() {
  showForm();
  if (visible()) app_.backend().runModal(*this);
}

void Form::close() {
  bool canClose = true;
  if (onCloseQuery) onCloseQuery(canClose);
  if (!canClose) return;
  CloseAction action = app_.mainForm() == this ? CloseAction::Free : CloseAction::Hide;
  if (onClose) onClose(action);
  switch (action) {
    case CloseAction::None:
      break;
    case CloseAction::Hide:
      hide();
      break;
    case CloseAction::Free:
      if (app_.mainForm() == this)
        app_.terminate();
      else
        hide();
      break;
  }
}

void Form::update() {
  if (peer_) peer_->update();
}

picture::Canvas Form::clientImage() {
  if (!peer_) return {};
  long long w = std::max(0, deviceClientWidth()), h = std::max(0, deviceClientHeight());
  if (w * h * 4 > static_cast<long long>(picture::Bitmap::kMaxBytes)) throw base::Error(sys::kCannotPrint);
  return peer_->clientImage();
}

void Form::centerOnScreen() {
  int sw = app_.screen().width(), sh = app_.screen().height();
  setBounds({(sw - width()) / 2, (sh - height()) / 2, width(), height()});
}

void Form::activated() {
  active_ = true;
  if (onActivate) onActivate();
}

void Form::dispatchMouseDown(MouseButton b, unsigned shift, int x, int y) {
  Control* target = captured_ ? captured_ : childAt(x, y);
  if (!target) target = this;
  if (!target->enabled()) return;
  captured_ = target;
  if (peer_ && target != this) peer_->captureMouse(true);
  target->mouseDown(b, shift, x - target->formLeft(), y - target->formTop());
}

void Form::dispatchMouseMove(unsigned shift, int x, int y) {
  Control* target = captured_ ? captured_ : childAt(x, y);
  if (!target) target = this;
  if (!target->enabled()) return;
  target->mouseMove(shift, x - target->formLeft(), y - target->formTop());
}

void Form::dispatchMouseUp(MouseButton b, unsigned shift, int x, int y) {
  Control* target = captured_ ? captured_ : childAt(x, y);
  if (!target) target = this;
  releaseMouse();
  if (!target->enabled()) return;
  target->mouseUp(b, shift, x - target->formLeft(), y - target->formTop());
}

}  // namespace ui
