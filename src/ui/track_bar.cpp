#include "ui/track_bar.h"

#include <algorithm>

#include "ui/draw.h"

namespace ui {

namespace {
constexpr int kEnd = 12;  // room at each end for half the thumb
}  // namespace

TrackBar::TrackBar(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void TrackBar::setRange(int lo, int hi) {
  if (hi < lo) hi = lo;
  if (lo == min_ && hi == max_) return;
  min_ = lo;
  max_ = hi;
  position_ = std::clamp(position_, min_, max_);
  changed(Change::Appearance);
}

void TrackBar::setPosition(int v) { setProperty(position_, std::clamp(v, min_, max_), Change::Appearance); }

void TrackBar::setFrequency(int f) { setProperty(frequency_, std::max(1, f), Change::Appearance); }

void TrackBar::slide(int v) {
  int before = position_;
  setPosition(v);
  if (position_ != before && onChange) onChange();
}

void TrackBar::paint(picture::Canvas& c, Rect r, Rect, Painter&) {
  if (color() != clNone) c.fillRect(r, color());
  int span = std::max(1, max_ - min_);
  int length = std::max(1, r.width - 2 * kEnd);
  auto xOf = [&](int v) { return r.left + kEnd + int(long(length) * (v - min_) / span); };
  draw::sunkenBox(c, {r.left + kEnd - 2, r.top + 8, length + 4, 4}, clWhite);
  for (int v = min_; v <= max_; v += frequency_) c.vLine(xOf(v), r.top + 22, 3, clBlack);
  c.vLine(xOf(max_), r.top + 22, 3, clBlack);
  draw::raisedBox(c, {xOf(position_) - 5, r.top + 2, 11, 18});
}

}  // namespace ui
