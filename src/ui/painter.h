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

// Paints a form's client area (the part inside clip) into canvas, whose
// origin is the client area's top-left corner. Controls are drawn in
// creation order, children over their parents.
void renderForm(class Form& form, picture::Canvas& canvas, Rect clip, Painter& painter);

// Paints one control and its children; (x, y) is its top-left corner on the
// canvas.
void renderControl(class Control& c, picture::Canvas& canvas, int x, int y, Rect clip, Painter& painter);

}  // namespace ui
