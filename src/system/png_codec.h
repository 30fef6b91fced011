#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/bitmap.h"

namespace sys {

// A PNG file that cannot be read, in the words the program uses for its
// other picture kinds.
inline constexpr const char* kBadPng = "PNGｲﾒｰｼﾞが不正です";

// PNG files to and from bitmaps, by the platform's own codec.
class PngCodec {
 public:
  virtual ~PngCodec() = default;
  // Any standard PNG (palette, grey, 16 bits a channel, interlaced, with
  // alpha or a transparent colour) as a 24-bit bitmap; what is transparent
  // is laid over white. A damaged file throws base::Error(kBadPng); one
  // larger than a bitmap may be, the out-of-resources text. Nothing is
  // allocated for the pixels before the size is known to fit.
  virtual picture::Bitmap decode(const std::vector<std::uint8_t>& bytes) = 0;
  // A 24-bit RGB PNG of the bitmap (an alpha bitmap laid over white).
  virtual std::vector<std::uint8_t> encode(const picture::Bitmap& b) = 0;
};

// What both codecs share.
namespace png {

// Throws the out-of-resources text when a bitmap of this size at this
// depth would be over the bitmap limit (or the size is not positive).
void checkSize(std::uint64_t width, std::uint64_t height, int bitsPerPixel);
// The size the file's header chunk declares, checked as above before any
// decoder allocates for it: a width or height PNG does not allow is damage
// (sys::kBadPng). Nothing is said of a file too short to hold the header.
void checkDeclaredSize(const std::vector<std::uint8_t>& png);
// Four bytes B,G,R,A a pixel into three bytes B,G,R laid over white.
void flattenRow(const std::uint8_t* bgra, std::uint8_t* bgr, int width);
// Row y of any bitmap as three bytes B,G,R a pixel (an alpha bitmap laid
// over white); `scratch` is reused from row to row. Points either into the
// bitmap itself (24 bits) or into `out`, which holds 3 x width bytes.
const std::uint8_t* bgrRow(const picture::Bitmap& b, int y, std::uint8_t* out,
                           std::vector<std::uint32_t>& scratch);

}  // namespace png

}  // namespace sys
