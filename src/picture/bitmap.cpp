#include "picture/bitmap.h"

#include <bit>
#include <cstring>
#include <stdexcept>

#include "picture/pixel_ops.h"

namespace picture {

// Rows are shared with GDI and with uint32_t views (Canvas) byte for byte.
static_assert(std::endian::native == std::endian::little, "pixel layout assumes a little-endian machine");

namespace {

bool isSupportedDepth(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

std::vector<uint32_t> greyRamp(int bpp) {
  int n = 1 << bpp;
  std::vector<uint32_t> ramp(n);
  for (int i = 0; i < n; ++i) {
    uint32_t v = static_cast<uint32_t>(i * 255 / (n - 1));
    ramp[i] = v << 16 | v << 8 | v;
  }
  return ramp;
}

}  // namespace

Bitmap::Bitmap() = default;

long long Bitmap::strideFor(int width, int bitsPerPixel) {
  if (width < 0 || bitsPerPixel <= 0) return -1;
  long long bytes = (static_cast<long long>(width) * bitsPerPixel + 31) / 32 * 4;
  return bytes > 0x7FFFFFFF ? -1 : bytes;
}

bool Bitmap::validMasks16(ChannelMasks m) {
  for (uint32_t mask : {m.red, m.green, m.blue}) {
    if (mask == 0 || mask > 0xFFFF) return false;
    uint32_t low = mask >> std::countr_zero(mask);
    if ((low & (low + 1)) != 0) return false;  // not one run of bits
  }
  return (m.red & m.green) == 0 && (m.red & m.blue) == 0 && (m.green & m.blue) == 0;
}

Bitmap Bitmap::createUninitialized(int width, int height, int bpp, std::vector<uint32_t> palette,
                                   ChannelMasks masks16, bool alpha) {
  if (width < 0 || height < 0 || !isSupportedDepth(bpp))
    throw std::invalid_argument("Bitmap: unsupported size or depth");
  if (bpp <= 8) {
    if (palette.size() > (size_t{1} << bpp)) throw std::invalid_argument("Bitmap: palette too long");
    if (palette.empty()) palette = greyRamp(bpp);
    for (uint32_t& c : palette) c &= 0xFFFFFF;  // the fourth byte means nothing here
  } else if (!palette.empty()) {
    throw std::invalid_argument("Bitmap: palette on a direct-colour format");
  }
  if (bpp == 16 && !validMasks16(masks16)) throw std::invalid_argument("Bitmap: bad 16-bit masks");
  if (alpha && bpp != 32) throw std::invalid_argument("Bitmap: alpha needs 32 bpp");
  long long stride = strideFor(width, bpp);
  if (stride < 0 || static_cast<unsigned long long>(stride) * static_cast<unsigned>(height) > kMaxBytes)
    throw std::invalid_argument("Bitmap: too large");

  Bitmap b;
  b.width_ = width;
  b.height_ = height;
  b.bpp_ = bpp;
  b.stride_ = static_cast<int>(stride);
  b.alpha_ = alpha;
  b.masks_ = bpp == 16 ? masks16 : (bpp > 16 ? kMasks888 : ChannelMasks{});
  b.palette_ = std::move(palette);
  if (!b.empty()) b.pixels_.reset(new uint8_t[b.byteCount()]);
  return b;
}

Bitmap Bitmap::create(int width, int height, int bpp, std::vector<uint32_t> palette) {
  Bitmap b = createUninitialized(width, height, bpp, std::move(palette));
  if (b.pixels_) std::memset(b.pixels_.get(), 0, b.byteCount());
  return b;
}

Bitmap Bitmap::create16(int width, int height, ChannelMasks masks) {
  Bitmap b = createUninitialized(width, height, 16, {}, masks);
  if (b.pixels_) std::memset(b.pixels_.get(), 0, b.byteCount());
  return b;
}

Bitmap Bitmap::createRgba(int width, int height) {
  Bitmap b = createUninitialized(width, height, 32, {}, kMasks555, true);
  if (b.pixels_) std::memset(b.pixels_.get(), 0, b.byteCount());
  return b;
}

const uint8_t* Bitmap::row(int y) const {
  if (y < 0 || y >= height_ || !pixels_) throw std::out_of_range("Bitmap::row");
  return pixels_.get() + static_cast<size_t>(y) * stride_;
}

uint8_t* Bitmap::mutableRow(int y) {
  if (y < 0 || y >= height_ || !pixels_) throw std::out_of_range("Bitmap::mutableRow");
  detach();
  return pixels_.get() + static_cast<size_t>(y) * stride_;
}

void Bitmap::detach() {
  if (pixels_ && pixels_.use_count() > 1) {
    std::shared_ptr<uint8_t[]> own(new uint8_t[byteCount()]);
    std::memcpy(own.get(), pixels_.get(), byteCount());
    pixels_ = std::move(own);
  }
}

bool Bitmap::sharesPixelsWith(const Bitmap& other) const {
  return pixels_ != nullptr && pixels_ == other.pixels_;
}

uint32_t Bitmap::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint8_t* r = row(y);
  switch (bpp_) {
    case 1:
    case 4:
    case 8: {
      unsigned index = pixelops::indexAt(r, x, bpp_);
      return index < palette_.size() ? palette_[index] & 0xFFFFFF : 0;
    }
    case 16:
      return pixelops::from16(static_cast<uint32_t>(r[2 * x] | r[2 * x + 1] << 8), masks_);
    case 24:
      return static_cast<uint32_t>(r[3 * x] | r[3 * x + 1] << 8 | r[3 * x + 2] << 16);
    default:
      return static_cast<uint32_t>(r[4 * x] | r[4 * x + 1] << 8 | r[4 * x + 2] << 16);
  }
}

int Bitmap::paletteIndexFor(uint32_t rgb) const {
  int best = 0;
  long long bestDistance = -1;
  for (size_t i = 0; i < palette_.size(); ++i) {
    uint32_t p = palette_[i];
    if ((p & 0xFFFFFF) == (rgb & 0xFFFFFF)) return static_cast<int>(i);
    int dr = static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((rgb >> 16) & 0xFF);
    int dg = static_cast<int>((p >> 8) & 0xFF) - static_cast<int>((rgb >> 8) & 0xFF);
    int db = static_cast<int>(p & 0xFF) - static_cast<int>(rgb & 0xFF);
    long long d = static_cast<long long>(dr) * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

void Bitmap::setPixel(int x, int y, uint32_t rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* r = mutableRow(y);
  switch (bpp_) {
    case 1:
    case 4:
    case 8:
      pixelops::setIndexAt(r, x, bpp_, static_cast<unsigned>(paletteIndexFor(rgb)));
      break;
    case 16: {
      uint32_t v = pixelops::to16(rgb, masks_);
      r[2 * x] = static_cast<uint8_t>(v);
      r[2 * x + 1] = static_cast<uint8_t>(v >> 8);
      break;
    }
    case 24:
      r[3 * x] = static_cast<uint8_t>(rgb);
      r[3 * x + 1] = static_cast<uint8_t>(rgb >> 8);
      r[3 * x + 2] = static_cast<uint8_t>(rgb >> 16);
      break;
    default:
      r[4 * x] = static_cast<uint8_t>(rgb);
      r[4 * x + 1] = static_cast<uint8_t>(rgb >> 8);
      r[4 * x + 2] = static_cast<uint8_t>(rgb >> 16);
      r[4 * x + 3] = alpha_ ? 0xFF : 0;
      break;
  }
}

uint8_t Bitmap::alpha(int x, int y) const {
  if (!alpha_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 255;
  return row(y)[4 * x + 3];
}

void Bitmap::setAlpha(int x, int y, uint8_t a) {
  if (!alpha_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  mutableRow(y)[4 * x + 3] = a;
}

void Bitmap::rowToRgb32(int y, uint32_t* out) const {
  const uint8_t* r = row(y);
  int w = width_;
  switch (bpp_) {
    case 1:
    case 4:
    case 8: {
      // Indexes past the palette show black, as GDI does.
      uint32_t lut[256] = {};
      for (size_t i = 0; i < palette_.size(); ++i) lut[i] = palette_[i] & 0xFFFFFF;
      if (bpp_ == 8) {
        for (int x = 0; x < w; ++x) out[x] = lut[r[x]];
      } else {
        for (int x = 0; x < w; ++x) out[x] = lut[pixelops::indexAt(r, x, bpp_)];
      }
      break;
    }
    case 16:
      for (int x = 0; x < w; ++x)
        out[x] = pixelops::from16(static_cast<uint32_t>(r[2 * x] | r[2 * x + 1] << 8), masks_);
      break;
    case 24:
      for (int x = 0; x < w; ++x)
        out[x] = static_cast<uint32_t>(r[3 * x] | r[3 * x + 1] << 8 | r[3 * x + 2] << 16);
      break;
    default:
      std::memcpy(out, r, static_cast<size_t>(w) * 4);
      if (!alpha_)
        for (int x = 0; x < w; ++x) out[x] &= 0xFFFFFF;
      break;
  }
}

Bitmap Bitmap::toRgb32() const {
  if (bpp_ == 32) {
    Bitmap copy = *this;
    return copy;
  }
  if (empty()) return create(width_, height_, 32);
  Bitmap out = createUninitialized(width_, height_, 32);
  std::vector<uint32_t> line(static_cast<size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    rowToRgb32(y, line.data());
    std::memcpy(out.pixels_.get() + static_cast<size_t>(y) * out.stride_, line.data(), line.size() * 4);
  }
  return out;
}

bool Bitmap::operator==(const Bitmap& o) const {
  if (width_ != o.width_ || height_ != o.height_ || bpp_ != o.bpp_ || alpha_ != o.alpha_ ||
      masks_ != o.masks_ || palette_ != o.palette_)
    return false;
  if (empty() || pixels_ == o.pixels_) return true;
  size_t bits = static_cast<size_t>(width_) * bpp_;
  size_t whole = bits / 8;
  uint8_t tailMask = static_cast<uint8_t>(0xFF00 >> (bits % 8));
  for (int y = 0; y < height_; ++y) {
    const uint8_t* a = row(y);
    const uint8_t* b = o.row(y);
    if (bpp_ == 32 && !alpha_) {
      for (int x = 0; x < width_; ++x)
        if (std::memcmp(a + 4 * x, b + 4 * x, 3) != 0) return false;
    } else if (bpp_ == 16) {
      uint32_t used = masks_.red | masks_.green | masks_.blue;
      for (int x = 0; x < width_; ++x)
        if (((a[2 * x] ^ b[2 * x]) | (a[2 * x + 1] ^ b[2 * x + 1]) << 8) & used) return false;
    } else {
      if (std::memcmp(a, b, whole) != 0) return false;
      if (bits % 8 && ((a[whole] ^ b[whole]) & tailMask)) return false;
    }
  }
  return true;
}

}  // namespace picture
