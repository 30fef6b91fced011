#pragma once
#include "picture/bitmap.h"

namespace shell {

// The five palette glyphs: 27 x 23 (the clipboard glyph 26 x 23).
picture::Bitmap cameraGlyph();     // orange character on black
picture::Bitmap sheetGlyph();      // "ネガ", yellow on magenta
picture::Bitmap clipboardGlyph();  // "CL", purple on teal
picture::Bitmap helpGlyph();       // "?", yellow on purple
picture::Bitmap endGlyph();        // "終", red on black

}  // namespace shell
