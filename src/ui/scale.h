#pragma once
#include "ui/types.h"

// Lengths of the design, which are pixels at 96 DPI, on a monitor of
// another DPI. Everything a user reads or clicks is scaled by this one
// rule; what defines a picture (photos, shots, view sizes) is not scaled.
namespace ui {

inline constexpr int kDesignDpi = 96;

// v * dpi / 96, rounded half away from zero (as the system's MulDiv
// rounds): 1 is 1 at 120 DPI and 2 at 144.
int scaled(int v, int dpi);
// The design coordinate whose pixels hold the device coordinate v: the
// largest x with scaled(x, dpi) <= v. scaled() then unscaled() gives back
// what it was given, at every DPI from 96 up.
int unscaled(int v, int dpi);
// A rectangle by its edges: rectangles that meet in the design meet on
// the screen.
Rect scaled(Rect r, int dpi);
// The font at dpi: its height scaled, the rest kept.
Font scaled(const Font& f, int dpi);

}  // namespace ui
