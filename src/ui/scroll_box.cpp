#include "ui/scroll_box.h"

#include <algorithm>

#include "picture/canvas.h"
#include "ui/draw.h"
#include "ui/painter.h"
#include "ui/scale.h"

namespace ui {

namespace {

constexpr Color kTrackColor = 0xE0E0E0;

// A raised face: light top and left, dark bottom and right.
void raisedFace(picture::Canvas& c, Rect r) {
  if (r.empty()) return;
  c.fillRect(r, clBtnFace);
  draw::bevel(c, r, clBtnHighlight, clBlack);
}

// A small solid triangle pointing back (left or up) or forward (right or down).
void arrow(picture::Canvas& c, Rect r, Axis a, bool forward) {
  raisedFace(c, r);
  int cx = r.left + r.width / 2, cy = r.top + r.height / 2;
  for (int i = 0; i < 4; ++i) {
    int tip = forward ? 2 - i : i - 1;  // offset of this row of the triangle from the centre
    if (a == Axis::Horizontal)
      c.vLine(cx + tip, cy - i, 2 * i + 1, clBlack);
    else
      c.hLine(cx - i, cy + tip, 2 * i + 1, clBlack);
  }
}

}  // namespace

ScrollBox::ScrollBox(Control* parent, std::string name) : Control(parent, std::move(name)) {
  viewport_.setColor(clNone);
  content_.setColor(clNone);
}

void ScrollBox::setBounds(Rect r) {
  Control::setBounds(r);
  layOut();
}

int ScrollBox::maxPosition(Axis a) const {
  Rect v = viewport_.bounds();
  return std::max(0, bar(a).range - (a == Axis::Horizontal ? v.width : v.height));
}

void ScrollBox::layOut() {
  Bar& h = bar(Axis::Horizontal);
  Bar& v = bar(Axis::Vertical);
  int w = width(), ht = height();
  // One bar takes room from the other direction, which may need a bar then.
  bool hs = h.range > w, vs = v.range > ht;
  if (hs && !vs) vs = v.range > ht - kBarSize;
  if (vs && !hs) hs = h.range > w - kBarSize;
  h.shown = hs;
  v.shown = vs;
  int vw = std::max(0, w - (vs ? kBarSize : 0)), vh = std::max(0, ht - (hs ? kBarSize : 0));
  viewport_.setBounds({0, 0, vw, vh});
  for (Axis a : {Axis::Horizontal, Axis::Vertical})
    bar(a).position = std::clamp(bar(a).position, 0, maxPosition(a));
  content_.setBounds({-h.position, -v.position, std::max(h.range, vw), std::max(v.range, vh)});
}

void ScrollBox::setRange(Axis a, int range) {
  range = std::max(0, range);
  if (range == bar(a).range) return;
  bar(a).range = range;
  layOut();
  changed(Change::Appearance);
}

void ScrollBox::setIncrement(Axis a, int increment) {
  setProperty(bar(a).increment, std::max(1, increment), Change::Appearance);
}

void ScrollBox::setPosition(Axis a, int position) {
  position = std::clamp(position, 0, maxPosition(a));
  if (position == bar(a).position) return;
  bar(a).position = position;
  content_.setBounds(
      {-bar(Axis::Horizontal).position, -bar(Axis::Vertical).position, content_.width(), content_.height()});
  changed(Change::Appearance);
}

void ScrollBox::scroll(Axis a, ScrollCode code, int thumbPosition) {
  Rect v = viewport_.bounds();
  int page = a == Axis::Horizontal ? v.width : v.height;
  int p = position(a);
  switch (code) {
    case ScrollCode::LineBack:
      p -= increment(a);
      break;
    case ScrollCode::LineForward:
      p += increment(a);
      break;
    case ScrollCode::PageBack:
      p -= page;
      break;
    case ScrollCode::PageForward:
      p += page;
      break;
    case ScrollCode::Thumb:
      p = thumbPosition;
      break;
    case ScrollCode::Start:
      p = 0;
      break;
    case ScrollCode::End:
      p = maxPosition(a);
      break;
  }
  setPosition(a, p);
}

Rect ScrollBox::barRect(Axis a) const {
  if (!barShown(a)) return {};
  Rect v = viewport_.bounds();
  return a == Axis::Horizontal ? Rect{0, v.height, v.width, kBarSize} : Rect{v.width, 0, kBarSize, v.height};
}

ScrollBox::BarParts ScrollBox::barParts(Axis a) const {
  Rect r = barRect(a);
  if (r.empty()) return {};
  bool horizontal = a == Axis::Horizontal;
  int along = horizontal ? r.width : r.height;
  int arrowLength = std::min(kBarSize, along / 2);
  int trackLength = along - 2 * arrowLength;
  // The thumb is to the track what the viewport is to the range.
  Rect v = viewport_.bounds();
  long long page = horizontal ? v.width : v.height;
  long long range = std::max(1, bar(a).range);
  int thumbLength =
      static_cast<int>(std::min<long long>(trackLength, std::max<long long>(8, trackLength * page / range)));
  int maxPos = maxPosition(a);
  int thumbStart =
      maxPos > 0 ? static_cast<int>(static_cast<long long>(trackLength - thumbLength) * position(a) / maxPos)
                 : 0;
  auto span = [&](int start, int length) {
    return horizontal ? Rect{r.left + start, r.top, length, r.height}
                      : Rect{r.left, r.top + start, r.width, length};
  };
  return {span(0, arrowLength), span(along - arrowLength, arrowLength), span(arrowLength, trackLength),
          span(arrowLength + thumbStart, thumbLength)};
}

void ScrollBox::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  // The parts lie in the box's coordinates, drawn at the painter's DPI.
  auto at = [&](Rect part) { return scaled(part, painter.dpi()).offset(r.left, r.top); };
  for (Axis a : {Axis::Horizontal, Axis::Vertical}) {
    if (!barShown(a)) continue;
    BarParts p = barParts(a);
    c.fillRect(at(p.track), kTrackColor);
    arrow(c, at(p.back), a, false);
    arrow(c, at(p.forward), a, true);
    raisedFace(c, at(p.thumb));
  }
}

void ScrollBox::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left) {
    for (Axis a : {Axis::Horizontal, Axis::Vertical}) {
      if (!barShown(a)) continue;
      BarParts p = barParts(a);
      int along = a == Axis::Horizontal ? x : y;
      int thumbStart = a == Axis::Horizontal ? p.thumb.left : p.thumb.top;
      if (p.back.contains(x, y)) {
        scroll(a, ScrollCode::LineBack);
      } else if (p.forward.contains(x, y)) {
        scroll(a, ScrollCode::LineForward);
      } else if (p.thumb.contains(x, y)) {
        dragging_ = true;
        dragAxis_ = a;
        dragOffset_ = along - thumbStart;
      } else if (p.track.contains(x, y)) {
        scroll(a, along < thumbStart ? ScrollCode::PageBack : ScrollCode::PageForward);
      }
    }
  }
  Control::mouseDown(b, shift, x, y);
}

void ScrollBox::mouseMove(unsigned shift, int x, int y) {
  if (dragging_) {
    BarParts p = barParts(dragAxis_);
    bool horizontal = dragAxis_ == Axis::Horizontal;
    int trackStart = horizontal ? p.track.left : p.track.top;
    int free = (horizontal ? p.track.width - p.thumb.width : p.track.height - p.thumb.height);
    int start = (horizontal ? x : y) - dragOffset_ - trackStart;
    if (free > 0)
      scroll(dragAxis_, ScrollCode::Thumb,
             static_cast<int>(static_cast<long long>(std::clamp(start, 0, free)) * maxPosition(dragAxis_) /
                              free));
  }
  Control::mouseMove(shift, x, y);
}

void ScrollBox::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left) dragging_ = false;
  Control::mouseUp(b, shift, x, y);
}

}  // namespace ui
