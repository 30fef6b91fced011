#pragma once

#include <cstdint>
#include <vector>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace picture {

// The 32-bit surface the portable renderer paints controls into. Pixels are
// 0x00RRGGBB in top-down rows of width() values, i.e. BGRX bytes: the Win32
// backend blits them as a 32-bpp top-down DIB as they are.
class Canvas {
 public:
  // Throws std::invalid_argument beyond Bitmap::kMaxBytes; negative sizes count as 0.
  Canvas(int width = 0, int height = 0, uint32_t fill = 0);
  void resize(int width, int height, uint32_t fill = 0);  // also resets the clip

  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* pixels() { return pixels_.data(); }
  const uint32_t* pixels() const { return pixels_.data(); }

  uint32_t pixel(int x, int y) const;         // 0 outside the canvas
  void setPixel(int x, int y, uint32_t rgb);  // honours the clip

  // All drawing lands inside both the clip and the canvas.
  void setClip(Rect r);
  void resetClip();
  Rect clip() const { return clip_; }

  void fillRect(Rect r, uint32_t rgb);
  void hLine(int x, int y, int length, uint32_t rgb);
  void vLine(int x, int y, int length, uint32_t rgb);
  // Stretched to dest (nearest neighbour); a negative width or height
  // mirrors. Bitmaps with an alpha channel are blended over what is there.
  void drawBitmap(const Bitmap& b, Rect dest);
  // Text: `alpha` holds coverage 0..255 for a w x h glyph box placed at (x, y).
  void blendMask(int x, int y, int w, int h, const uint8_t* alpha, int alphaStride, uint32_t rgb);

  Bitmap toBitmap() const;  // 32 bpp copy

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  Rect clip_;
};

}  // namespace picture
