#pragma once
#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace sys {

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int width() = 0;
  virtual int height() = 0;
  // The screen pixels of r, as the screen shows them now.
  virtual picture::Bitmap copy(picture::Rect r) = 0;
};

}  // namespace sys
