#include "picture/canvas.h"
#include "ui/form.h"
#include "ui/painter.h"

// Walks the tree: each control paints itself, then its visible children
// over it, clipped to what of it shows.
namespace ui {

using picture::intersect;

namespace {

// (x, y): the control's top-left corner in form coordinates; (ox, oy):
// the client point, in device pixels, at the canvas's top-left pixel.
void renderControl(const Form& form, Control& ctl, picture::Canvas& canvas, int x, int y, int ox, int oy,
                   Rect clip, Painter& painter) {
  Rect r = form.toDevice({x, y, ctl.width(), ctl.height()}).offset(-ox, -oy);
  Rect visible = intersect(r, clip);
  if (visible.width <= 0 || visible.height <= 0) return;
  canvas.setClip(visible);
  ctl.paint(canvas, r, visible, painter);
  for (Control* child : ctl.children()) {
    if (!child->visible()) continue;
    renderControl(form, *child, canvas, x + child->left(), y + child->top(), ox, oy, visible, painter);
  }
  canvas.resetClip();
}

}  // namespace

void renderForm(Form& form, picture::Canvas& canvas, Rect clip, Painter& painter, int originX, int originY) {
  // The canvas holds the part of the client area from (originX, originY).
  Rect all{originX, originY, canvas.width(), canvas.height()};
  clip = intersect(clip, all);
  if (clip.width <= 0 || clip.height <= 0) return;
  clip.left -= originX;
  clip.top -= originY;
  canvas.setClip(clip);
  if (form.color() != clNone) canvas.fillRect(clip, form.color());
  canvas.resetClip();
  ScaledPainter atDpi(painter, form.dpi());
  for (Control* child : form.children()) {
    if (!child->visible()) continue;
    renderControl(form, *child, canvas, child->left(), child->top(), originX, originY, clip, atDpi);
  }
}

}  // namespace ui
