#include "ui/controls.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

#include "base/error.h"
#include "picture/canvas.h"
#include "ui/draw.h"
#include "ui/form.h"
#include "ui/painter.h"
#include "ui/scale.h"

namespace ui {

using picture::intersect;

namespace {

using picture::intersect;

Rect bevel(picture::Canvas& c, Rect r, BevelCut cut, int width) {
  if (cut == BevelCut::None) return r;
  bool raised = cut == BevelCut::Raised;
  draw::bevel(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
  return r.inset(width);
}

void drawCentredText(picture::Canvas& c, Painter& p, const Control& ctl, Rect r) {
  if (ctl.caption().empty()) return;
  auto size = p.measureText(ctl.font(), ctl.caption());
  p.drawText(c, ctl.font(), ctl.caption(), r.left + (r.width - size.width) / 2,
             r.top + (r.height - size.height) / 2, ctl.font().color);
}

}  // namespace

void Panel::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  int width = painter.scaled(bevelWidth());
  Rect inner = bevel(c, r, bevelOuter(), width);
  inner = bevel(c, inner, bevelInner(), width);
  drawCentredText(c, painter, *this, inner);
}

namespace {

void drawPicture(picture::Canvas& c, const picture::Picture& pic, Rect dest, Painter& painter) {
  if (pic.kind() == picture::Picture::Kind::Metafile)
    painter.drawMetafile(c, pic, dest);
  else
    c.drawBitmap(pic.bitmap(), dest);
}

}  // namespace

void Image::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  const picture::Picture& pic = picture();
  if (pic.empty()) return;
  drawPicture(c, pic, stretch() ? r : Rect{r.left, r.top, pic.width(), pic.height()}, painter);
}

picture::Bitmap drawnPicture(const picture::Picture& p, int width, int height, Painter& painter) {
  if (width <= 0 || height <= 0) return {};
  try {
    picture::Canvas canvas(width, height, clWhite);
    drawPicture(canvas, p, {0, 0, width, height}, painter);
    return canvas.toBitmap();
  } catch (const std::bad_alloc&) {
    throw base::Error(base::kOutOfResources);
  } catch (const std::invalid_argument&) {
    // Larger than a picture may be.
    throw base::Error(base::kOutOfResources);
  }
}

void Label::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (!transparent() && color() != clNone) c.fillRect(r, color());
  if (!caption().empty()) painter.drawText(c, font(), caption(), r.left, r.top, font().color);
}

void SpeedButton::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  bool sunk = pressed() || down();
  int ring = painter.scaled(1);
  if (sunk)
    draw::sunkenBox(c, r, clBtnFace, ring);
  else
    draw::raisedBox(c, r, ring);
  int shift = sunk ? ring : 0;
  const picture::Bitmap& g = glyph();
  if (!g.empty()) {
    // The glyph grows with the button.
    int gw = painter.scaled(g.width()), gh = painter.scaled(g.height());
    Rect dest{r.left + (r.width - gw) / 2 + shift, r.top + (r.height - gh) / 2 + shift, gw, gh};
    c.drawBitmap(g, dest);
  } else {
    drawCentredText(c, painter, *this, r.offset(shift, shift));
  }
}

void Gauge::paint(picture::Canvas& c, Rect r, Rect clip, Painter& painter) {
  int ring = painter.scaled(1);
  draw::bevel(c, r, clBlack, clBlack, ring);
  Rect inner = r.inset(ring);
  if (inner.width <= 0 || inner.height <= 0) return;
  int span = maxValue() - minValue();
  int filled = span > 0 ? int(long(inner.width) * (progress() - minValue()) / span) : 0;
  Rect bar{inner.left, inner.top, filled, inner.height};
  Rect rest{inner.left + filled, inner.top, inner.width - filled, inner.height};
  c.fillRect(bar, foreColor());
  c.fillRect(rest, backColor());
  if (!showText()) return;
  std::string text = std::to_string(percent()) + "%";
  auto size = painter.measureText(font(), text);
  int tx = inner.left + (inner.width - size.width) / 2, ty = inner.top + (inner.height - size.height) / 2;
  // The text shows in the bar's colour over the background and inverted over the bar.
  c.setClip(intersect(clip, rest));
  painter.drawText(c, font(), text, tx, ty, foreColor());
  c.setClip(intersect(clip, bar));
  painter.drawText(c, font(), text, tx, ty, backColor());
  c.setClip(clip);
}

void Panel::setBevelInner(BevelCut b) { setProperty(bevelInner_, b, Change::Appearance); }

void Panel::setBevelOuter(BevelCut b) { setProperty(bevelOuter_, b, Change::Appearance); }

void Panel::setBevelWidth(int w) { setProperty(bevelWidth_, w, Change::Appearance); }

Image::Image(Control* parent, std::string name) : Control(parent, std::move(name)) { setColor(clNone); }

void Image::setPicture(const picture::Picture& p) {
  picture_ = p;
  if (autoSize_ && !picture_.empty()) setBounds({left(), top(), picture_.width(), picture_.height()});
  changed(Change::Appearance);
}

void Image::setStretch(bool v) { setProperty(stretch_, v, Change::Appearance); }

void Image::setAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  if (autoSize_ && !picture_.empty()) setBounds({left(), top(), picture_.width(), picture_.height()});
}

Label::Label(Control* parent, std::string name) : Control(parent, std::move(name)) { setColor(clNone); }

void Label::setTransparent(bool v) { setProperty(transparent_, v, Change::Appearance); }

void Label::fitToText(Painter& painter) {
  fitsText_ = true;
  const Form* f = form();
  ScaledPainter atDpi(painter, f ? f->dpi() : kDesignDpi);
  Painter::Size size = atDpi.measureText(font(), caption());
  // The last letter of an italic leans out past its advance by about a
  // fifth of the height.
  if (font().italic && size.width > 0) size.width += (atDpi.scaled(font().height) + 4) / 5;
  if (!f) {
    setBounds({left(), top(), size.width, size.height});
    return;
  }
  // Wide and high enough in the form's coordinates to cover that many
  // pixels where it stands.
  auto cover = [f](int from, int pixels) {
    int start = f->toDevice({from, 0, 0, 0}).left;
    return std::max(0, f->fromDevice(start + pixels - 1) + 1 - from);
  };
  setBounds({left(), top(), size.width > 0 ? cover(formLeft(), size.width) : 0,
             size.height > 0 ? cover(formTop(), size.height) : 0});
}

SpeedButton::SpeedButton(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void SpeedButton::setGlyph(const picture::Bitmap& g) {
  glyph_ = g;
  changed(Change::Appearance);
}

void SpeedButton::setDown(bool v) {
  if (v == down_) return;
  if (!v && groupIndex_ != 0 && !allowAllUp_) return;  // one of the group stays down
  down_ = v;
  if (v && groupIndex_ != 0 && parent()) {
    for (Control* c : parent()->children()) {
      auto* other = dynamic_cast<SpeedButton*>(c);
      if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->changed(Change::Appearance);
      }
    }
  }
  changed(Change::Appearance);
}

void SpeedButton::setPressed(bool v) { setProperty(pressed_, v, Change::Appearance); }

void SpeedButton::mouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (b == MouseButton::Left && enabled()) {
    tracking_ = true;
    setPressed(true);
  }
  Control::mouseDown(b, shift, x, y);
}

void SpeedButton::mouseMove(unsigned shift, int x, int y) {
  if (tracking_) setPressed(x >= 0 && y >= 0 && x < width() && y < height());
  Control::mouseMove(shift, x, y);
}

void SpeedButton::mouseUp(MouseButton b, unsigned shift, int x, int y) {
  bool inside = x >= 0 && y >= 0 && x < width() && y < height();
  bool wasTracking = tracking_ && b == MouseButton::Left;
  if (wasTracking) {
    tracking_ = false;
    setPressed(false);
  }
  if (onMouseUp) onMouseUp(b, shift, x, y);
  if (!wasTracking || !inside) return;
  if (groupIndex_ != 0) {
    if (down_ && allowAllUp_)
      setDown(false);
    else if (!down_)
      setDown(true);
  }
  if (onClick) onClick();
}

Gauge::Gauge(Control* parent, std::string name) : Control(parent, std::move(name)) { setColor(clWhite); }

void Gauge::setRange(int lo, int hi) {
  if (lo == min_ && hi == max_) return;
  min_ = lo;
  max_ = hi;
  changed(Change::Appearance);
}

void Gauge::setProgress(int v) {
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (v == progress_) return;
  progress_ = v;
  changed(Change::Appearance);
}

void Gauge::setForeColor(Color c) { setProperty(fore_, c, Change::Appearance); }

void Gauge::setBackColor(Color c) { setProperty(back_, c, Change::Appearance); }

void Gauge::setShowText(bool v) { setProperty(showText_, v, Change::Appearance); }

int Gauge::percent() const {
  if (max_ <= min_) return 0;
  return (progress_ - min_) * 100 / (max_ - min_);
}

}  // namespace ui
