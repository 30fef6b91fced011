#include "picture/canvas.h"
#include "ui/form.h"
#include "ui/painter.h"

// Walks the tree: each control paints itself, then its visible children
// over it, clipped to what of it shows.
namespace ui {

using picture::intersect;

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
  for (Control* child : form.children()) {
    if (!child->visible()) continue;
    renderControl(*child, canvas, child->left() - originX, child->top() - originY, clip, painter);
  }
}

}  // namespace ui
