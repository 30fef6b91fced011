#include "ui/controls.h"

#include "ui/form.h"

namespace ui {

void Panel::setBevelInner(BevelCut b) {
  if (b == bevelInner_) return;
  bevelInner_ = b;
  changed(Change::Appearance);
}

void Panel::setBevelOuter(BevelCut b) {
  if (b == bevelOuter_) return;
  bevelOuter_ = b;
  changed(Change::Appearance);
}

void Panel::setBevelWidth(int w) {
  if (w == bevelWidth_) return;
  bevelWidth_ = w;
  changed(Change::Appearance);
}

Image::Image(Control* parent, std::string name) : Control(parent, std::move(name)) {
  setColor(clNone);
}

void Image::setPicture(const picture::Picture& p) {
  picture_ = p;
  if (autoSize_ && !picture_.empty())
    setBounds({left(), top(), picture_.width(), picture_.height()});
  changed(Change::Appearance);
}

void Image::setStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  changed(Change::Appearance);
}

void Image::setAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  if (autoSize_ && !picture_.empty())
    setBounds({left(), top(), picture_.width(), picture_.height()});
}

Label::Label(Control* parent, std::string name) : Control(parent, std::move(name)) {
  setColor(clNone);
}

void Label::setTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  changed(Change::Appearance);
}

SpeedButton::SpeedButton(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void SpeedButton::setGlyph(const picture::Bitmap& g) {
  glyph_ = g;
  changed(Change::Appearance);
}

void SpeedButton::setDown(bool v) {
  if (v == down_) return;
  if (!v && groupIndex_ != 0 && !allowAllUp_) return;  // one of the group stays down
  down_ = v;
  if (v && groupIndex_ != 0 && parent()) {
    for (Control* c : parent()->children()) {
      auto* other = dynamic_cast<SpeedButton*>(c);
      if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->changed(Change::Appearance);
      }
    }
  }
  changed(Change::Appearance);
}

void SpeedButton::setPressed(bool v) {
  if (v == pressed_) return;
  pressed_ = v;
  changed(Change::Appearance);
}

void SpeedButton::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left && enabled()) {
    tracking_ = true;
    setPressed(true);
  }
  Control::mouseDown(b, shift, x, y);
}

void SpeedButton::mouseMove(unsigned shift, int x, int y) {
  if (tracking_) setPressed(x >= 0 && y >= 0 && x < width() && y < height());
  Control::mouseMove(shift, x, y);
}

void SpeedButton::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  bool inside = x >= 0 && y >= 0 && x < width() && y < height();
  bool wasTracking = tracking_ && b == MouseButton::Left;
  if (wasTracking) {
    tracking_ = false;
    setPressed(false);
  }
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (!wasTracking || !inside) return;
  if (groupIndex_ != 0) {
    if (down_ && allowAllUp_)
      setDown(false);
    else if (!down_)
      setDown(true);
  }
  if (onClick) onClick();
}

Gauge::Gauge(Control* parent, std::string name) : Control(parent, std::move(name)) {
  setColor(clWhite);
}

void Gauge::setRange(int lo, int hi) {
  if (lo == min_ && hi == max_) return;
  min_ = lo;
  max_ = hi;
  changed(Change::Appearance);
}

void Gauge::setProgress(int v) {
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (v == progress_) return;
  progress_ = v;
  changed(Change::Appearance);
}

void Gauge::setForeColor(Color c) {
  if (c == fore_) return;
  fore_ = c;
  changed(Change::Appearance);
}

void Gauge::setBackColor(Color c) {
  if (c == back_) return;
  back_ = c;
  changed(Change::Appearance);
}

void Gauge::setShowText(bool v) {
  if (v == showText_) return;
  showText_ = v;
  changed(Change::Appearance);
}

int Gauge::percent() const {
  if (max_ <= min_) return 0;
  return (progress_ - min_) * 100 / (max_ - min_);
}

}  // namespace ui
