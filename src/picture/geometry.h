#pragma once

namespace picture {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool empty() const { return width <= 0 || height <= 0; }
  // Whether the point lies inside: the left and top edges are in, the
  // right and bottom ones out.
  bool contains(int x, int y) const { return x >= left && y >= top && x < right() && y < bottom(); }
  // The same size moved by (dx, dy).
  Rect offset(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
  // Shrunk by `by` on every side (grown where `by` is negative).
  Rect inset(int by) const { return {left + by, top + by, width - 2 * by, height - 2 * by}; }
  // The overlap with another rectangle; an empty Rect when they do not meet.
  Rect intersect(const Rect& other) const;
  bool operator==(const Rect&) const = default;
};

// The overlap of two rectangles; an empty Rect when they do not meet.
inline Rect intersect(const Rect& a, const Rect& b) {
  int l = a.left > b.left ? a.left : b.left;
  int t = a.top > b.top ? a.top : b.top;
  // 64-bit so that rectangles near INT_MAX cannot overflow.
  long long ar = static_cast<long long>(a.left) + a.width, br = static_cast<long long>(b.left) + b.width;
  long long ab = static_cast<long long>(a.top) + a.height, bb = static_cast<long long>(b.top) + b.height;
  long long r = ar < br ? ar : br;
  long long bo = ab < bb ? ab : bb;
  if (r <= l || bo <= t) return {};
  return {l, t, static_cast<int>(r - l), static_cast<int>(bo - t)};
}

inline Rect Rect::intersect(const Rect& other) const { return picture::intersect(*this, other); }

}  // namespace picture
