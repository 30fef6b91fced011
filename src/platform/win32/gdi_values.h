#pragma once
#include <windows.h>

#include "ui/types.h"

namespace win32 {

// The toolkit's 0xRRGGBB colour as GDI's COLORREF (0x00BBGGRR).
inline COLORREF toColorRef(ui::Color c) { return RGB((c >> 16) & 255, (c >> 8) & 255, c & 255); }

inline RECT toRect(ui::Rect r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

inline bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace win32
