#pragma once
#include "picture/bitmap.h"
#include "picture/picture.h"
#include "ui/control.h"

namespace ui {

// A panel with bevels; colour clNone draws no background of its own.
class Panel : public Control {
 public:
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  using Control::Control;
  BevelCut bevelInner() const { return bevelInner_; }
  BevelCut bevelOuter() const { return bevelOuter_; }
  int bevelWidth() const { return bevelWidth_; }
  void setBevelInner(BevelCut b);
  void setBevelOuter(BevelCut b);
  void setBevelWidth(int w);
  // A windowed panel is a window of its own, so that it keeps its mouse
  // events on a form that is moved by its surface. It must be a direct child
  // of its form and made windowed before the form is given to the application.
  bool windowed() const { return windowed_; }
  void setWindowed(bool v) { windowed_ = v; }

 private:
  bool windowed_ = false;
  BevelCut bevelInner_ = BevelCut::None;
  BevelCut bevelOuter_ = BevelCut::Raised;
  int bevelWidth_ = 1;
};

// A picture control: draws its picture stretched to its own bounds, or at
// its natural size; with autoSize it takes the picture's size.
class Image : public Control {
 public:
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  Image(Control* parent, std::string name);
  const picture::Picture& picture() const { return picture_; }
  void setPicture(const picture::Picture& p);
  bool stretch() const { return stretch_; }
  void setStretch(bool v);
  void setAutoSize(bool v);

 private:
  picture::Picture picture_;
  bool stretch_ = true;
  bool autoSize_ = false;
};

// The picture as an image control of that size shows it.
picture::Bitmap drawnPicture(const picture::Picture& p, int width, int height, Painter& painter);

// A label; a transparent one draws its text only.
class Label : public Control {
 public:
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  Label(Control* parent, std::string name);
  bool transparent() const { return transparent_; }
  void setTransparent(bool v);
  // Sized so that nothing of its caption is cut off, at its form's DPI.
  void fitToText(Painter& painter);
  bool fitsText() const { return fitsText_; }

 private:
  bool transparent_ = true;
  bool fitsText_ = false;
};

// A picture button: raised, drawn pressed while held or down. Buttons with
// the same non-zero group index on one parent form a stay-down group.
class SpeedButton : public Control {
 public:
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  SpeedButton(Control* parent, std::string name);
  const picture::Bitmap& glyph() const { return glyph_; }
  void setGlyph(const picture::Bitmap& g);
  void setGroupIndex(int g) { groupIndex_ = g; }
  void setAllowAllUp(bool v) { allowAllUp_ = v; }
  bool down() const { return down_; }
  void setDown(bool v);
  bool pressed() const { return pressed_; }

  void mouseDown(MouseButton b, unsigned shift, int x, int y) override;
  void mouseMove(unsigned shift, int x, int y) override;
  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;

 private:
  void setPressed(bool v);
  picture::Bitmap glyph_;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  bool pressed_ = false;
  bool tracking_ = false;
};

// A horizontal progress bar with the percentage drawn in it.
class Gauge : public Control {
 public:
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  Gauge(Control* parent, std::string name);
  int minValue() const { return min_; }
  int maxValue() const { return max_; }
  int progress() const { return progress_; }
  void setRange(int lo, int hi);
  void setProgress(int v);
  Color foreColor() const { return fore_; }
  Color backColor() const { return back_; }
  void setForeColor(Color c);
  void setBackColor(Color c);
  bool showText() const { return showText_; }
  void setShowText(bool v);
  // The percentage of the range, as drawn.
  int percent() const;

 private:
  int min_ = 0, max_ = 100, progress_ = 0;
  Color fore_ = clNavy, back_ = clWhite;
  bool showText_ = true;
};

}  // namespace ui
