#include "camera/viewfinder_geometry.h"

#include <algorithm>

#include "ui/scale.h"

namespace camera {

namespace {

constexpr std::size_t at(Edge e) { return static_cast<std::size_t>(e); }
constexpr std::size_t at(Corner c) { return static_cast<std::size_t>(c); }

// Sizes are worked out in 64 bits (a picture from a file may claim any
// size) and kept to what a window can be.
int windowSize(long long size) { return static_cast<int>(std::clamp<long long>(size, 0, kMaxWindowSize)); }

}  // namespace

ViewfinderGeometry::ViewfinderGeometry(int dpi)
    : marginLeft_(ui::scaled(kMarginLeft, dpi)),
      marginTop_(ui::scaled(kMarginTop, dpi)),
      marginRight_(ui::scaled(kMarginRight, dpi)),
      marginBottom_(ui::scaled(kMarginBottom, dpi)),
      handle_(ui::scaled(kHandleThickness, dpi)),
      draggedHandle_(ui::scaled(kDraggedHandleThickness, dpi)),
      mark_(ui::scaled(kCornerMarkSize, dpi)) {}

BoxLayout ViewfinderGeometry::fitAround(Size viewfinder, Size photo) const {
  return {boxAround(viewfinder),
          viewfinderAround(photo),
          {kPhotoInset, kPhotoInset, windowSize(photo.width), windowSize(photo.height)}};
}

Size ViewfinderGeometry::boxAround(Size viewfinder) const {
  return {windowSize(0LL + viewfinder.width + marginLeft_ + marginRight_),
          windowSize(0LL + viewfinder.height + marginTop_ + marginBottom_)};
}

ui::Rect ViewfinderGeometry::viewfinderAt(Size viewfinder) const {
  return {marginLeft_, marginTop_, viewfinder.width, viewfinder.height};
}

ui::Rect ViewfinderGeometry::viewfinderAround(Size photo) const {
  return viewfinderAt(
      {windowSize(0LL + photo.width + 2 * kPhotoInset), windowSize(0LL + photo.height + 2 * kPhotoInset)});
}

HandleRects ViewfinderGeometry::handlesAround(ui::Rect p) const {
  const int t = handle_;
  HandleRects r;
  r[at(Edge::Left)] = {p.left - t, p.top, t, p.height};
  r[at(Edge::Top)] = {p.left, p.top - t, p.width, t};
  r[at(Edge::Right)] = {p.right(), p.top, t, p.height};
  r[at(Edge::Bottom)] = {p.left, p.bottom(), p.width, t};
  return r;
}

HandleRects ViewfinderGeometry::handlesForAiming(const HandleRects& now, ui::Rect viewfinder) const {
  HandleRects outside = now;
  outside[at(Edge::Left)].left = viewfinder.left - handle_;
  outside[at(Edge::Top)].top = viewfinder.top - handle_;
  return handlesAlong(outside, viewfinder);
}

HandleRects ViewfinderGeometry::handlesForResizeState(const HandleRects& now, ui::Rect p,
                                                      bool dragging) const {
  const int t = dragging ? draggedHandle_ : handle_;
  HandleRects r = now;
  r[at(Edge::Left)].left = p.left - t;
  r[at(Edge::Left)].width = t;
  r[at(Edge::Top)].top = p.top - t;
  r[at(Edge::Top)].height = t;
  r[at(Edge::Bottom)].height = t;
  r[at(Edge::Right)].width = t;
  return r;
}

MarkRects ViewfinderGeometry::cornerMarksAround(ui::Rect p) const {
  const int m = mark_;
  MarkRects r;
  r[at(Corner::TopLeft)] = {p.left - m, p.top - m, m, m};
  r[at(Corner::TopRight)] = {p.right(), p.top - m, m, m};
  r[at(Corner::BottomLeft)] = {p.left - m, p.bottom(), m, m};
  r[at(Corner::BottomRight)] = {p.right(), p.bottom(), m, m};
  return r;
}

HandleRects handlesAlong(const HandleRects& now, ui::Rect p) {
  const ui::Rect& l = now[at(Edge::Left)];
  const ui::Rect& u = now[at(Edge::Top)];
  const ui::Rect& r = now[at(Edge::Right)];
  const ui::Rect& d = now[at(Edge::Bottom)];
  HandleRects along;
  along[at(Edge::Left)] = {l.left, p.top, l.width, p.height};
  along[at(Edge::Top)] = {p.left, u.top, p.width, u.height};
  along[at(Edge::Right)] = {p.right(), p.top, r.width, p.height};
  along[at(Edge::Bottom)] = {p.left, p.bottom(), p.width, d.height};
  return along;
}

// The edge closes half the gap at each move, rounded toward zero. A
// shrinking photo stops at zero width or height, a growing one at the
// largest a window can be.
EdgeDrag dragEdge(Edge edge, ui::Rect handle, Size photo, int x, int y) {
  const bool horizontal = edge == Edge::Left || edge == Edge::Right;
  long long d = (horizontal ? x : y) / 2;
  const long long w = photo.width, h = photo.height;
  EdgeDrag step{handle, {}, photo};
  switch (edge) {
    case Edge::Right:
      d = std::clamp<long long>(d, -w, kMaxWindowSize - w);
      step.photo.width = windowSize(w + d);
      break;
    case Edge::Bottom:
      d = std::clamp<long long>(d, -h, kMaxWindowSize - h);
      step.photo.height = windowSize(h + d);
      break;
    case Edge::Top:
      d = std::clamp<long long>(d, h - kMaxWindowSize, h);
      step.boxShift.y = static_cast<int>(d);
      step.photo.height = windowSize(h - d);
      break;
    case Edge::Left:
      d = std::clamp<long long>(d, w - kMaxWindowSize, w);
      step.boxShift.x = static_cast<int>(d);
      step.photo.width = windowSize(w - d);
      break;
  }
  step.handle = horizontal ? handle.offset(static_cast<int>(d), 0) : handle.offset(0, static_cast<int>(d));
  return step;
}

ui::Point shotMenuPlace(Edge edge, ui::Rect box, int x, int y) {
  return {box.left + x + (edge == Edge::Right ? box.width : 0),
          box.top + y + (edge == Edge::Bottom ? box.height : 0)};
}

ui::Rect photoOnScreen(ui::Point box, ui::Rect viewfinder, Size photo) {
  return {box.x + viewfinder.left + kPhotoInset, box.y + viewfinder.top + kPhotoInset, photo.width,
          photo.height};
}

// Each side at least kMinDefaultSide (the settings keep what was typed), so
// that a box of the default size can always be reached with the mouse.
int defaultPhotoSide(int viewfinderSide) {
  return std::clamp(std::max(viewfinderSide, kMinDefaultSide) - 2 * kPhotoInset, 0, kMaxWindowSize);
}

// Below 100 % the side is divided, dropping the remainder (50 % of 7 is 3).
int zoomedSide(int pictureSide, int percent) {
  long long s = pictureSide;
  s = percent >= 100 ? s * (percent / 100) : s / (100 / percent);
  return windowSize(s);
}

}  // namespace camera
