#include "ui/draw.h"

namespace ui::draw {

namespace {

void ring(picture::Canvas& c, Rect r, Color topLeft, Color bottomRight) {
  if (r.empty()) return;
  c.hLine(r.left, r.top, r.width, topLeft);
  c.vLine(r.left, r.top, r.height, topLeft);
  c.hLine(r.left, r.bottom() - 1, r.width, bottomRight);
  c.vLine(r.right() - 1, r.top, r.height, bottomRight);
}

}  // namespace

void sunkenBox(picture::Canvas& c, Rect r, Color face) {
  c.fillRect(r, face);
  ring(c, r, clBtnShadow, clBtnHighlight);
  ring(c, r.inset(1), clBlack, clBtnFace);
}

void etchedFrame(picture::Canvas& c, Rect r) {
  ring(c, r, clBtnShadow, clBtnHighlight);
  ring(c, r.inset(1), clBtnHighlight, clBtnShadow);
}

void raisedBox(picture::Canvas& c, Rect r) {
  c.fillRect(r, clBtnFace);
  ring(c, r, clBtnHighlight, clBlack);
  ring(c, r.inset(1), clBtnFace, clBtnShadow);
}

void pressedBox(picture::Canvas& c, Rect r) {
  c.fillRect(r, clBtnFace);
  ring(c, r, clBlack, clBlack);
  ring(c, r.inset(1), clBtnShadow, clBtnShadow);
}

}  // namespace ui::draw
