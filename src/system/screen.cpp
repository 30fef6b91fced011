#include "system/screen.h"

#include <algorithm>

namespace sys {

namespace {

long long area(picture::Rect r) {
  return r.empty() ? 0 : static_cast<long long>(r.width) * static_cast<long long>(r.height);
}

// How far a point of r lies from m at the least, along each axis.
long long distance(picture::Rect m, picture::Rect r) {
  auto gap = [](long long a0, long long a1, long long b0, long long b1) {
    return b1 <= a0 ? a0 - b1 : (a1 <= b0 ? b0 - a1 : 0);
  };
  long long dx = gap(m.left, 0LL + m.left + m.width, r.left, 0LL + r.left + std::max(r.width, 1));
  long long dy = gap(m.top, 0LL + m.top + m.height, r.top, 0LL + r.top + std::max(r.height, 1));
  return dx * dx + dy * dy;
}

}  // namespace

picture::Rect Screen::virtualScreen() {
  std::vector<Monitor> all = monitors();
  if (all.empty()) return {0, 0, width(), height()};
  picture::Rect first = all.front().area;
  int l = first.left, t = first.top, r = first.right(), b = first.bottom();
  for (const Monitor& m : all) {
    l = std::min(l, m.area.left);
    t = std::min(t, m.area.top);
    r = std::max(r, m.area.right());
    b = std::max(b, m.area.bottom());
  }
  return {l, t, r - l, b - t};
}

const Monitor& monitorOf(const std::vector<Monitor>& monitors, picture::Rect r) {
  const Monitor* best = &monitors.front();
  long long covered = area(picture::intersect(best->area, r));
  for (const Monitor& m : monitors) {
    long long a = area(picture::intersect(m.area, r));
    if (a > covered) {
      best = &m;
      covered = a;
    }
  }
  if (covered > 0) return *best;
  for (const Monitor& m : monitors)
    if (distance(m.area, r) < distance(best->area, r)) best = &m;
  return *best;
}

const Monitor* monitorAt(const std::vector<Monitor>& monitors, int x, int y) {
  for (const Monitor& m : monitors)
    if (m.area.contains(x, y)) return &m;
  return nullptr;
}

picture::Rect keptOnMonitors(const std::vector<Monitor>& monitors, picture::Rect r) {
  picture::Rect meets{r.left, r.top, std::max(r.width, 1), std::max(r.height, 1)};
  for (const Monitor& m : monitors)
    if (!picture::intersect(m.area, meets).empty()) return r;
  picture::Rect p = monitors.front().area;
  r.left = std::max(p.left, std::min(r.left, p.left + p.width - r.width));
  r.top = std::max(p.top, std::min(r.top, p.top + p.height - r.height));
  return r;
}

}  // namespace sys
