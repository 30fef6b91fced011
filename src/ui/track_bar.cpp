#include "ui/track_bar.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/painter.h"

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

void TrackBar::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  auto s = [&painter](int v) { return painter.scaled(v); };
  int span = std::max(1, max_ - min_);
  int end = s(kEnd);
  int length = std::max(1, r.width - 2 * end);
  auto xOf = [&](int v) { return r.left + end + int(long(length) * (v - min_) / span); };
  draw::sunkenBox(c, {r.left + end - s(2), r.top + s(8), length + s(4), s(4)}, clWhite, s(1));
  for (int v = min_; v <= max_; v += frequency_) c.fillRect({xOf(v), r.top + s(22), s(1), s(3)}, clBlack);
  c.fillRect({xOf(max_), r.top + s(22), s(1), s(3)}, clBlack);
  draw::raisedBox(c, {xOf(position_) - s(5), r.top + s(2), s(11), s(18)}, s(1));
}

}  // namespace ui
