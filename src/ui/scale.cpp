#include "ui/scale.h"

#include "system/printer.h"

namespace ui {

// The same rounding as every other proportion the program works out.
int scaled(int v, int dpi) { return static_cast<int>(sys::mulDivRounded(v, dpi, kDesignDpi)); }

int unscaled(int v, int dpi) {
  if (dpi <= 0) return v;
  // A first guess from the exact quotient, then the rule itself decides.
  long long x = static_cast<long long>(v) * kDesignDpi / dpi;
  while (scaled(static_cast<int>(x + 1), dpi) <= v) ++x;
  while (scaled(static_cast<int>(x), dpi) > v) --x;
  return static_cast<int>(x);
}

Rect scaled(Rect r, int dpi) {
  int left = scaled(r.left, dpi), top = scaled(r.top, dpi);
  return {left, top, scaled(r.left + r.width, dpi) - left, scaled(r.top + r.height, dpi) - top};
}

Font scaled(const Font& f, int dpi) {
  Font out = f;
  out.height = scaled(f.height, dpi);
  return out;
}

}  // namespace ui
