#include "system/printer.h"

#include <climits>

#include "base/error.h"

namespace sys {

long long mulDivRounded(long long a, long long b, long long c) {
  long long p = a * b;
  bool negative = (p < 0) != (c < 0);
  long long q = p / c, r = p % c;
  if (r < 0) r = -r;
  long long absC = c < 0 ? -c : c;
  if (2 * r >= absC) q += negative ? -1 : 1;
  return q;
}

picture::Rect fillPage(int w, int h, const PrinterPage& page) {
  if (w <= 0 || h <= 0 || page.width <= 0 || page.height <= 0) throw base::Error(kCannotPrint);
  long long width = mulDivRounded(w, page.height, h);
  if (width < page.width) return {0, 0, static_cast<int>(width), page.height};
  long long height = mulDivRounded(h, page.width, w);
  if (height > INT_MAX) throw base::Error(kCannotPrint);
  return {0, 0, page.width, static_cast<int>(height)};
}

}  // namespace sys
