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

void sunkenBox(picture::Canvas& c, Rect r, Color face, int ring) {
  c.fillRect(r, face);
  bevel(c, r, clBtnShadow, clBtnHighlight, ring);
  bevel(c, r.inset(ring), clBlack, clBtnFace, ring);
}

void etchedFrame(picture::Canvas& c, Rect r, int ring) {
  bevel(c, r, clBtnShadow, clBtnHighlight, ring);
  bevel(c, r.inset(ring), clBtnHighlight, clBtnShadow, ring);
}

void raisedBox(picture::Canvas& c, Rect r, int ring) {
  c.fillRect(r, clBtnFace);
  bevel(c, r, clBtnHighlight, clBlack, ring);
  bevel(c, r.inset(ring), clBtnFace, clBtnShadow, ring);
}

void pressedBox(picture::Canvas& c, Rect r, int ring) {
  c.fillRect(r, clBtnFace);
  bevel(c, r, clBlack, clBlack, ring);
  bevel(c, r.inset(ring), clBtnShadow, clBtnShadow, ring);
}

}  // namespace ui::draw
