#pragma once
#include <array>
#include <string>

#include "ui/control.h"

namespace ui {

enum class Axis { Horizontal, Vertical };

// What the user did on a scroll bar.
enum class ScrollCode { LineBack, LineForward, PageBack, PageForward, Thumb, Start, End };

// A box that shows part of a larger area, the content, and scrolls it with
// its bars. It never scrolls by itself to follow anything.
class ScrollBox : public Control {
 public:
  // Thickness of a scroll bar, in pixels.
  static constexpr int kBarSize = 16;

  ScrollBox(Control* parent, std::string name);

  // The scrolled area, parent of what the box shows.
  Control& content() { return content_; }
  const Control& content() const { return content_; }
  // The part of the box the content shows through: the box less its bars.
  Rect viewport() const { return viewport_.bounds(); }

  int range(Axis a) const { return bar(a).range; }
  void setRange(Axis a, int range);
  int increment(Axis a) const { return bar(a).increment; }
  void setIncrement(Axis a, int increment);
  int position(Axis a) const { return bar(a).position; }
  // Clamped to 0 .. maxPosition(a).
  void setPosition(Axis a, int position);
  // The range less the viewport's extent; 0 when everything shows.
  int maxPosition(Axis a) const;
  bool barShown(Axis a) const { return bar(a).shown; }
  // Where the bar lies, in the box's coordinates; empty when it is hidden.
  Rect barRect(Axis a) const;

  // A step on a bar: a line is the increment, a page what the viewport
  // shows; Thumb moves to thumbPosition.
  void scroll(Axis a, ScrollCode code, int thumbPosition = 0);

  void setBounds(Rect r) override;
  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;
  void mouseDown(MouseButton b, unsigned shift, int x, int y) override;
  void mouseMove(unsigned shift, int x, int y) override;
  void mouseUp(MouseButton b, unsigned shift, int x, int y) override;

  // The parts of a drawn bar, in the box's coordinates.
  struct BarParts {
    Rect back, forward, track, thumb;
  };
  BarParts barParts(Axis a) const;

 private:
  struct Bar {
    int range = 0;
    int increment = 8;
    int position = 0;
    bool shown = false;
  };
  const Bar& bar(Axis a) const { return bars_[static_cast<int>(a)]; }
  Bar& bar(Axis a) { return bars_[static_cast<int>(a)]; }
  // Bars, viewport and content from the size and ranges; clamps positions.
  void layOut();

  std::array<Bar, 2> bars_;
  Control viewport_{this, "viewport"};
  Control content_{&viewport_, "content"};
  // A thumb being dragged: its axis and where in the thumb it was taken.
  bool dragging_ = false;
  Axis dragAxis_ = Axis::Horizontal;
  int dragOffset_ = 0;
};

}  // namespace ui
