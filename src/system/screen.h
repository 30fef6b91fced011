#pragma once
#include <vector>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace sys {

// One monitor of the desktop: where it lies in screen coordinates, in
// device pixels, and its DPI (96 is the design's scale).
struct Monitor {
  picture::Rect area;
  int dpi = 96;
  bool operator==(const Monitor&) const = default;
};

class Screen {
 public:
  virtual ~Screen() = default;
  // The primary monitor's size.
  virtual int width() = 0;
  virtual int height() = 0;
  // Every monitor, the primary one first (its top-left corner is 0, 0).
  virtual std::vector<Monitor> monitors() { return {{{0, 0, width(), height()}, 96}}; }
  // Every monitor together: the smallest rectangle that holds them all, in
  // screen coordinates (the primary screen alone on a system with one).
  picture::Rect virtualScreen();
  // The screen pixels of r, as the screen shows them now: first the
  // screen is given time to show what our windows just hid. A copy the
  // system cannot make throws base::Error(base::kOutOfResources).
  virtual picture::Bitmap copy(picture::Rect r) = 0;
  // As copy(), for a later shot of a burst: the first one settled the
  // screen, so this one does not wait for it.
  virtual picture::Bitmap copyWithoutSettling(picture::Rect r) { return copy(r); }
};

// The monitor a window with the rectangle r stands on: the one it covers
// most, else the nearest one, as the system decides. monitors is not empty.
const Monitor& monitorOf(const std::vector<Monitor>& monitors, picture::Rect r);
// The monitor that holds the point, or nullptr.
const Monitor* monitorAt(const std::vector<Monitor>& monitors, int x, int y);
// Where a window with the rectangle r comes back: where it is if it meets
// a monitor, else at the nearest place on the primary monitor that holds
// it whole (its top-left corner when it is larger).
picture::Rect keptOnMonitors(const std::vector<Monitor>& monitors, picture::Rect r);

}  // namespace sys
