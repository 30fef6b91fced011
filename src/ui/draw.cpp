#include "ui/draw.h"

namespace ui::draw {

void bevel(picture::Canvas& c, Rect r, Color topLeft, Color bottomRight, int width) {
  for (int i = 0; i < width && !r.empty(); ++i) {
    c.hLine(r.left, r.top, r.width, topLeft);
    c.vLine(r.left, r.top, r.height, topLeft);
    c.hLine(r.left, r.bottom() - 1, r.width, bottomRight);
    c.vLine(r.right() - 1, r.top, r.height, bottomRight);
    r = r.inset(1);
  }
}

void sunkenBox(picture::Canvas& c, Rect r, Color face) {
  c.fillRect(r, face);
  bevel(c, r, clBtnShadow, clBtnHighlight);
  bevel(c, r.inset(1), clBlack, clBtnFace);
}

void etchedFrame(picture::Canvas& c, Rect r) {
  bevel(c, r, clBtnShadow, clBtnHighlight);
  bevel(c, r.inset(1), clBtnHighlight, clBtnShadow);
}

void raisedBox(picture::Canvas& c, Rect r) {
  c.fillRect(r, clBtnFace);
  bevel(c, r, clBtnHighlight, clBlack);
  bevel(c, r.inset(1), clBtnFace, clBtnShadow);
}

void pressedBox(picture::Canvas& c, Rect r) {
  c.fillRect(r, clBtnFace);
  bevel(c, r, clBlack, clBlack);
  bevel(c, r.inset(1), clBtnShadow, clBtnShadow);
}

}  // namespace ui::draw
