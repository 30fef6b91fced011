#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace picture {

// Where the three colours sit in a 16-bit pixel (and, for reference, in a
// 32-bit one). Each mask is one run of set bits.
struct ChannelMasks {
  uint32_t red = 0, green = 0, blue = 0;
  bool operator==(const ChannelMasks&) const = default;
};

inline constexpr ChannelMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr ChannelMasks kMasks565{0xF800, 0x07E0, 0x001F};
inline constexpr ChannelMasks kMasks888{0xFF0000, 0x00FF00, 0x0000FF};

// A device-independent bitmap: width, height, pixel format and rows, laid
// out exactly as a top-down DIB (rows padded to 4 bytes, 24/32-bit pixels
// stored B,G,R[,X]) so the Win32 backend can hand the rows to GDI as they are.
//
// Copies share their pixel storage until one of them asks for a writable
// row (copy-on-write), so the film, the camera box and the staging images
// hold one copy of a picture. A pointer from mutableRow() is good until the
// bitmap is next copied or assigned; not safe to share between threads.
//
// Colours are 0x00RRGGBB everywhere.
class Bitmap {
 public:
  // The largest pixel store a bitmap may have: a decoder refuses anything
  // bigger, and so does create().
  static constexpr size_t kMaxBytes = size_t{256} << 20;

  Bitmap();  // empty (0x0, no format)

  // Zero-filled bitmap. bitsPerPixel: 1, 4, 8 (palette, at most 2^bpp
  // entries; an empty palette gives a grey ramp), 16 (5-5-5), 24 or 32.
  // Throws std::invalid_argument for anything else or a size over kMaxBytes.
  static Bitmap create(int width, int height, int bitsPerPixel, std::vector<uint32_t> palette = {});
  // 16-bit with the given channel layout (see validMasks16).
  static Bitmap create16(int width, int height, ChannelMasks masks);
  // 32-bit whose fourth byte is a straight alpha value (0 = transparent):
  // decoded icons and alpha BMPs. Zero-filled, i.e. fully transparent.
  static Bitmap createRgba(int width, int height);
  // As create(), but the rows are left unset: for decoders that write every
  // byte of every row themselves.
  static Bitmap createUninitialized(int width, int height, int bitsPerPixel,
                                    std::vector<uint32_t> palette = {}, ChannelMasks masks16 = kMasks555,
                                    bool alpha = false);

  // True when each mask is a non-empty run of set bits inside 16 bits and
  // no two overlap.
  static bool validMasks16(ChannelMasks masks);
  // Bytes per row of a DIB of this width and depth; -1 if it does not fit an int.
  static long long strideFor(int width, int bitsPerPixel);

  bool empty() const { return width_ <= 0 || height_ <= 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bpp_; }
  bool hasAlpha() const { return alpha_; }
  ChannelMasks masks() const { return masks_; }  // 16 bpp layout; kMasks888 for 24/32
  const std::vector<uint32_t>& palette() const { return palette_; }
  int stride() const { return stride_; }
  size_t byteCount() const { return static_cast<size_t>(stride_) * static_cast<size_t>(height_); }

  const uint8_t* row(int y) const;  // y in [0, height); throws std::out_of_range otherwise
  uint8_t* mutableRow(int y);       // detaches from any copy first

  // Out of range: pixel() gives 0 and setPixel() does nothing.
  uint32_t pixel(int x, int y) const;
  // 16/24/32: the colour as the format holds it; palette formats: the exact
  // palette entry, else the nearest. On an alpha bitmap the pixel becomes opaque.
  void setPixel(int x, int y, uint32_t rgb);
  uint8_t alpha(int x, int y) const;  // 255 unless hasAlpha()
  void setAlpha(int x, int y, uint8_t a);

  // One row as 32-bit values: 0x00RRGGBB, or 0xAARRGGBB when hasAlpha().
  // `out` holds width() values.
  void rowToRgb32(int y, uint32_t* out) const;

  bool sharesPixelsWith(const Bitmap& other) const;
  // The same picture as 32 bpp (keeps the alpha channel if there is one).
  Bitmap toRgb32() const;

  // Same size, format, palette and pixels (padding and unused bits ignored).
  bool operator==(const Bitmap& other) const;

 private:
  void detach();
  int paletteIndexFor(uint32_t rgb) const;

  int width_ = 0, height_ = 0, bpp_ = 0, stride_ = 0;
  bool alpha_ = false;
  ChannelMasks masks_{};
  std::vector<uint32_t> palette_;
  std::shared_ptr<uint8_t[]> pixels_;
};

}  // namespace picture
