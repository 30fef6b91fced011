#include <algorithm>
#include <string>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/painter.h"

namespace ui {
namespace {

using picture::intersect;

// One bevel ring: light on the top and left, dark on the bottom and right.
void frame3d(picture::Canvas& c, Rect r, Color topLeft, Color bottomRight, int width) {
  for (int i = 0; i < width && r.width > 0 && r.height > 0; ++i) {
    c.hLine(r.left, r.top, r.width, topLeft);
    c.vLine(r.left, r.top, r.height, topLeft);
    c.hLine(r.left, r.top + r.height - 1, r.width, bottomRight);
    c.vLine(r.left + r.width - 1, r.top, r.height, bottomRight);
    r = {r.left + 1, r.top + 1, r.width - 2, r.height - 2};
  }
}

Rect bevel(picture::Canvas& c, Rect r, BevelCut cut, int width) {
  if (cut == BevelCut::None) return r;
  bool raised = cut == BevelCut::Raised;
  frame3d(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
          width);
  return {r.left + width, r.top + width, r.width - 2 * width, r.height - 2 * width};
}

void drawCentredText(picture::Canvas& c, Painter& p, const Control& ctl, Rect r) {
  if (ctl.caption().empty()) return;
  auto size = p.measureText(ctl.font(), ctl.caption());
  p.drawText(c, ctl.font(), ctl.caption(), r.left + (r.width - size.width) / 2,
             r.top + (r.height - size.height) / 2, ctl.font().color);
}

}  // namespace

void Panel::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  Panel& p = *this;
  if (p.color() != clNone) c.fillRect(r, p.color());
  Rect inner = bevel(c, r, p.bevelOuter(), p.bevelWidth());
  inner = bevel(c, inner, p.bevelInner(), p.bevelWidth());
  drawCentredText(c, painter, p, inner);
}

void Image::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  Image& img = *this;
  const picture::Picture& pic = img.picture();
  if (pic.empty()) return;
  Rect dest = img.stretch() ? r : Rect{r.left, r.top, pic.width(), pic.height()};
  if (pic.kind() == picture::Picture::Kind::Metafile)
    painter.drawMetafile(c, pic, dest);
  else
    c.drawBitmap(pic.bitmap(), dest);
}

void Label::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  Label& l = *this;
  if (!l.transparent() && l.color() != clNone) c.fillRect(r, l.color());
  if (!l.caption().empty()) painter.drawText(c, l.font(), l.caption(), r.left, r.top, l.font().color);
}

void SpeedButton::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  SpeedButton& b = *this;
  bool sunk = b.pressed() || b.down();
  c.fillRect(r, clBtnFace);
  if (sunk) {
    frame3d(c, r, clBtnShadow, clBtnHighlight, 1);
    frame3d(c, {r.left + 1, r.top + 1, r.width - 2, r.height - 2}, clBlack, clBtnFace, 1);
  } else {
    frame3d(c, r, clBtnHighlight, clBlack, 1);
    frame3d(c, {r.left + 1, r.top + 1, r.width - 2, r.height - 2}, clBtnFace, clBtnShadow, 1);
  }
  int shift = sunk ? 1 : 0;
  const picture::Bitmap& g = b.glyph();
  if (!g.empty()) {
    Rect dest{r.left + (r.width - g.width()) / 2 + shift, r.top + (r.height - g.height()) / 2 + shift,
              g.width(), g.height()};
    c.drawBitmap(g, dest);
  } else {
    drawCentredText(c, painter, b, {r.left + shift, r.top + shift, r.width, r.height});
  }
}

void Gauge::paint(picture::Canvas& c, Rect r, Rect clip, Painter& painter) {
  Gauge& g = *this;
  frame3d(c, r, clBlack, clBlack, 1);
  Rect inner{r.left + 1, r.top + 1, r.width - 2, r.height - 2};
  if (inner.width <= 0 || inner.height <= 0) return;
  int span = g.maxValue() - g.minValue();
  int filled = span > 0 ? int(long(inner.width) * (g.progress() - g.minValue()) / span) : 0;
  Rect bar{inner.left, inner.top, filled, inner.height};
  Rect rest{inner.left + filled, inner.top, inner.width - filled, inner.height};
  c.fillRect(bar, g.foreColor());
  c.fillRect(rest, g.backColor());
  if (!g.showText()) return;
  std::string text = std::to_string(g.percent()) + "%";
  auto size = painter.measureText(g.font(), text);
  int tx = inner.left + (inner.width - size.width) / 2, ty = inner.top + (inner.height - size.height) / 2;
  // The text shows in the bar's colour over the background and inverted over the bar.
  c.setClip(intersect(clip, rest));
  painter.drawText(c, g.font(), text, tx, ty, g.foreColor());
  c.setClip(intersect(clip, bar));
  painter.drawText(c, g.font(), text, tx, ty, g.backColor());
  c.setClip(clip);
}

void renderControl(Control& ctl, picture::Canvas& canvas, int x, int y, Rect clip, Painter& painter) {
  Rect r{x, y, ctl.width(), ctl.height()};
  Rect visible = intersect(r, clip);
  if (visible.width <= 0 || visible.height <= 0) return;
  canvas.setClip(visible);
  ctl.paint(canvas, r, visible, painter);
  for (Control* child : ctl.children()) {
    if (!child->visible()) continue;
    renderControl(*child, canvas, x + child->left(), y + child->top(), visible, painter);
  }
  canvas.resetClip();
}

void renderForm(Form& form, picture::Canvas& canvas, Rect clip, Painter& painter) {
  Rect all{0, 0, canvas.width(), canvas.height()};
  clip = intersect(clip, all);
  if (clip.width <= 0 || clip.height <= 0) return;
  canvas.setClip(clip);
  if (form.color() != clNone) canvas.fillRect(clip, form.color());
  canvas.resetClip();
  for (Control* child : form.children()) {
    if (!child->visible()) continue;
    renderControl(*child, canvas, child->left(), child->top(), clip, painter);
  }
}

}  // namespace ui
