#pragma once
#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace sys {

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int width() = 0;
  virtual int height() = 0;
  // Every monitor together, in screen coordinates (the primary one's top
  // left is 0, 0): the primary screen alone on a system with one.
  virtual picture::Rect virtualScreen() { return {0, 0, width(), height()}; }
  // The screen pixels of r, as the screen shows them now: first the
  // screen is given time to show what our windows just hid. A copy the
  // system cannot make throws base::Error(base::kOutOfResources).
  virtual picture::Bitmap copy(picture::Rect r) = 0;
  // As copy(), for a later shot of a burst: the first one settled the
  // screen, so this one does not wait for it.
  virtual picture::Bitmap copyWithoutSettling(picture::Rect r) { return copy(r); }
};

}  // namespace sys
