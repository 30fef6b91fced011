#include "picture/canvas.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace picture {

namespace {

uint32_t blend(uint32_t over, uint32_t under, unsigned a) {
  if (a >= 255) return over & 0xFFFFFF;
  if (a == 0) return under;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned o = (over >> shift) & 0xFF, u = (under >> shift) & 0xFF;
    out |= ((o * a + u * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

Canvas::Canvas(int width, int height, uint32_t fill) { resize(width, height, fill); }

void Canvas::resize(int width, int height, uint32_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (static_cast<unsigned long long>(width) * static_cast<unsigned>(height) * 4 > Bitmap::kMaxBytes)
    throw std::invalid_argument("Canvas: too large");
  pixels_.assign(static_cast<size_t>(width) * height, fill & 0xFFFFFF);
  width_ = width;
  height_ = height;
  resetClip();
}

uint32_t Canvas::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::setPixel(int x, int y, uint32_t rgb) {
  if (x < clip_.left || y < clip_.top || x >= clip_.right() || y >= clip_.bottom()) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = rgb & 0xFFFFFF;
}

void Canvas::setClip(Rect r) { clip_ = intersect(r, {0, 0, width_, height_}); }
void Canvas::resetClip() { clip_ = {0, 0, width_, height_}; }

void Canvas::fillRect(Rect r, uint32_t rgb) {
  Rect v = intersect(r, clip_);
  for (int y = v.top; y < v.bottom(); ++y) {
    uint32_t* row = &pixels_[static_cast<size_t>(y) * width_ + v.left];
    std::fill(row, row + v.width, rgb & 0xFFFFFF);
  }
}

void Canvas::hLine(int x, int y, int length, uint32_t rgb) { fillRect({x, y, length, 1}, rgb); }
void Canvas::vLine(int x, int y, int length, uint32_t rgb) { fillRect({x, y, 1, length}, rgb); }

void Canvas::drawBitmap(const Bitmap& b, Rect dest) {
  if (b.empty() || dest.width == 0 || dest.height == 0) return;
  bool flipX = dest.width < 0, flipY = dest.height < 0;
  // 64-bit: a mirrored rectangle at INT_MIN must not overflow.
  long long left = dest.left, top = dest.top, w = dest.width, h = dest.height;
  if (flipX) left += w, w = -w;
  if (flipY) top += h, h = -h;
  if (left < -0x7FFFFFFFLL || top < -0x7FFFFFFFLL || w > 0x7FFFFFFFLL || h > 0x7FFFFFFFLL) return;
  Rect full{static_cast<int>(left), static_cast<int>(top), static_cast<int>(w), static_cast<int>(h)};
  Rect v = intersect(full, clip_);
  if (v.empty()) return;

  std::vector<int> xs(static_cast<size_t>(v.width));
  for (int x = v.left; x < v.right(); ++x) {
    long long sx = (2LL * (x - left) + 1) * b.width() / (2 * w);
    xs[x - v.left] = static_cast<int>(flipX ? b.width() - 1 - sx : sx);
  }
  std::vector<uint32_t> line(static_cast<size_t>(b.width()));
  int decoded = -1;
  for (int y = v.top; y < v.bottom(); ++y) {
    long long syl = (2LL * (y - top) + 1) * b.height() / (2 * h);
    int sy = static_cast<int>(flipY ? b.height() - 1 - syl : syl);
    if (sy != decoded) {
      b.rowToRgb32(sy, line.data());
      decoded = sy;
    }
    uint32_t* row = &pixels_[static_cast<size_t>(y) * width_ + v.left];
    if (b.hasAlpha()) {
      for (int i = 0; i < v.width; ++i) {
        uint32_t s = line[xs[i]];
        row[i] = blend(s, row[i], s >> 24);
      }
    } else {
      for (int i = 0; i < v.width; ++i) row[i] = line[xs[i]];
    }
  }
}

void Canvas::blendMask(int x, int y, int w, int h, const uint8_t* alpha, int alphaStride, uint32_t rgb) {
  if (!alpha || w <= 0 || h <= 0) return;
  Rect v = intersect({x, y, w, h}, clip_);
  for (int py = v.top; py < v.bottom(); ++py) {
    const uint8_t* a = alpha + static_cast<ptrdiff_t>(py - y) * alphaStride + (v.left - x);
    uint32_t* row = &pixels_[static_cast<size_t>(py) * width_ + v.left];
    for (int i = 0; i < v.width; ++i) row[i] = blend(rgb, row[i], a[i]);
  }
}

Bitmap Canvas::toBitmap() const {
  if (width_ == 0 || height_ == 0) return Bitmap::create(width_, height_, 32);
  Bitmap out = Bitmap::createUninitialized(width_, height_, 32);
  for (int y = 0; y < height_; ++y)
    std::memcpy(out.mutableRow(y), &pixels_[static_cast<size_t>(y) * width_],
                static_cast<size_t>(width_) * 4);
  return out;
}

}  // namespace picture
