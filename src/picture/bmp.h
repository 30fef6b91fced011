#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/bitmap.h"

namespace picture {

// A .bmp file: core (OS/2 1.x), OS/2 2.x, info, V2-V5 headers; top-down and
// bottom-up; 1/2/4/8-bit palettes, 16/24/32-bit with or without bit fields;
// RLE4 and RLE8. The bitmap keeps the file's format where writeBmp can give
// it back (1/4/8 with palette, 16 with its masks, 24, 32); 2-bit becomes
// 4-bit, RLE becomes plain 4/8-bit, other bit fields become 32-bit.
// Throws base::Error("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です") for anything malformed or bigger
// than the file can justify; never allocates beyond Bitmap::kMaxBytes.
Bitmap readBmp(const uint8_t* data, size_t size);

// A .bmp file with a 40-byte info header (a V5 header for alpha bitmaps),
// bottom-up, in the bitmap's own format. Throws std::invalid_argument for an
// empty bitmap.
std::vector<uint8_t> writeBmp(const Bitmap& bitmap);

// The same without the 14-byte file header: a packed DIB (the clipboard's
// CF_DIB), whose pixels follow the header, masks and palette directly.
Bitmap readDib(const uint8_t* data, size_t size);
std::vector<uint8_t> writeDib(const Bitmap& bitmap);

}  // namespace picture
