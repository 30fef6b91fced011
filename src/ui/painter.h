#pragma once
#include <string>

#include "picture/canvas.h"
#include "picture/picture.h"
#include "ui/scale.h"
#include "ui/types.h"

namespace ui {

// What the portable renderer cannot draw by itself: text in a system font
// and metafiles. Each backend provides one, which draws at 96 DPI.
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
  // The DPI text is drawn at; a control's paint scales its own lengths
  // (a bevel, a mark, a margin) by it.
  virtual int dpi() const { return kDesignDpi; }
  int scaled(int designLength) const { return ui::scaled(designLength, dpi()); }
};

// Another painter at a monitor's DPI: fonts are taken at their scaled
// height, and measured sizes are in that monitor's pixels.
class ScaledPainter : public Painter {
 public:
  ScaledPainter(Painter& base, int dpi) : base_(base), dpi_(dpi) {}
  Size measureText(const Font& f, const std::string& text) override {
    return base_.measureText(ui::scaled(f, dpi_), text);
  }
  void drawText(picture::Canvas& c, const Font& f, const std::string& text, int x, int y,
                Color color) override {
    base_.drawText(c, ui::scaled(f, dpi_), text, x, y, color);
  }
  void drawMetafile(picture::Canvas& c, const picture::Picture& p, Rect dest) override {
    base_.drawMetafile(c, p, dest);
  }
  int dpi() const override { return dpi_; }

 private:
  Painter& base_;
  int dpi_;
};

// Paints the part of a form's client area inside clip into canvas. The origin
// exists because a canvas may hold only the part of a large window on the screen.
void renderForm(class Form& form, picture::Canvas& canvas, Rect clip, Painter& painter, int originX = 0,
                int originY = 0);

}  // namespace ui
