#pragma once
#include "picture/bitmap.h"

namespace sys {

// The system clipboard's bitmap format (with its palette).
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool hasBitmap() = 0;
  // An empty bitmap when there is none.
  virtual picture::Bitmap bitmap() = 0;
  virtual void setBitmap(const picture::Bitmap& b) = 0;
  virtual void clear() = 0;
};

}  // namespace sys
