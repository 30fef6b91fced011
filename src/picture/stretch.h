#pragma once

#include "picture/bitmap.h"

namespace picture {

// Nearest-neighbour resize (each target pixel takes the source pixel under
// its centre), like GDI's COLORONCOLOR stretching. 24 and 32-bit sources
// keep their format (and alpha); the others give 32 bpp. A non-positive
// size gives an empty bitmap.
Bitmap stretch(const Bitmap& src, int width, int height);

}  // namespace picture
