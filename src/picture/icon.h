#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/bitmap.h"

namespace picture {

// Decodes a .ico file: of its BMP-encoded images the largest (then the
// deepest; the first on a tie) becomes a 32-bpp alpha bitmap. The colour
// comes from the XOR image; transparency from a 32-bit image's alpha bytes,
// or else from the AND mask (set bits transparent; the rare "invert screen"
// pixels also count as transparent). PNG-encoded images are passed over.
// Throws base::Error("ｱｲｺﾝｲﾒｰｼﾞが不正です") for anything malformed.
Bitmap readIcon(const uint8_t* data, size_t size);

}  // namespace picture
