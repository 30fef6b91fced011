#pragma once
#include "picture/canvas.h"
#include "ui/types.h"

// Small drawing steps shared by the standard controls' portable looks.
namespace ui::draw {

// A bevel of width one-pixel rings inside r, each inside the last:
// topLeft on the top and left edges, bottomRight on the bottom and right.
void bevel(picture::Canvas& c, Rect r, Color topLeft, Color bottomRight, int width = 1);

// Each of these draws its edges as lines of `ring` pixels (one at 96 DPI).
// A sunken well: dark top and left, light bottom and right, two lines.
void sunkenBox(picture::Canvas& c, Rect r, Color face, int ring = 1);
// An etched frame one line in from r (group boxes, framed bevels).
void etchedFrame(picture::Canvas& c, Rect r, int ring = 1);
// A raised button face.
void raisedBox(picture::Canvas& c, Rect r, int ring = 1);
// A button face held down: a dark frame, the face inside.
void pressedBox(picture::Canvas& c, Rect r, int ring = 1);

}  // namespace ui::draw
