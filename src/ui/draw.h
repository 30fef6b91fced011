#pragma once
#include "picture/canvas.h"
#include "ui/types.h"

// Small drawing steps shared by the standard controls' portable looks.
namespace ui::draw {

// A sunken well: dark top and left, light bottom and right, two pixels.
void sunkenBox(picture::Canvas& c, Rect r, Color face);
// An etched frame one pixel in from r (group boxes, framed bevels).
void etchedFrame(picture::Canvas& c, Rect r);
// A raised button face.
void raisedBox(picture::Canvas& c, Rect r);
// A button face held down: a dark frame, the face inside.
void pressedBox(picture::Canvas& c, Rect r);

}  // namespace ui::draw
