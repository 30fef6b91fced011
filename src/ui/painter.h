#pragma once
#include <string>

#include "picture/canvas.h"
#include "picture/picture.h"
#include "ui/types.h"

namespace ui {

// What the portable renderer cannot draw by itself: text in a system font
// and metafiles. Each backend provides one.
class Painter {
 public:
  virtual ~Painter() = default;
  struct Size {
    int width = 0, height = 0;
  };
  virtual Size measureText(const Font& f, const std::string& text) = 0;
  // Draws text with its top-left at (x, y), clipped to the canvas clip.
  virtual void drawText(picture::Canvas& c, const Font& f, const std::string& text, int x, int y,
                        Color color) = 0;
  virtual void drawMetafile(picture::Canvas& c, const picture::Picture& p, Rect dest) = 0;
};

// Paints a form's client area (the part inside clip, in client
// coordinates) into canvas, whose top-left pixel is the client point
// (originX, originY): a canvas may hold only the part of a large window
// that lies on the screen. Controls are drawn in creation order, children
// over their parents.
void renderForm(class Form& form, picture::Canvas& canvas, Rect clip, Painter& painter, int originX = 0,
                int originY = 0);

// Paints one control and its children; (x, y) is its top-left corner on the
// canvas.
void renderControl(class Control& c, picture::Canvas& canvas, int x, int y, Rect clip, Painter& painter);

}  // namespace ui
