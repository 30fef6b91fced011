#include "png_reader.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testpng {

namespace {

uint32_t be32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

[[noreturn]] void fail(const std::string& why) { throw std::runtime_error("png: " + why); }

uint8_t paeth(int a, int b, int c) {
  int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

}  // namespace

Image readPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot open " + path);
  std::vector<uint8_t> f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (f.size() < 8 || f[1] != 'P' || f[2] != 'N' || f[3] != 'G') fail("not a PNG");

  int width = 0, height = 0, depth = 0, type = 0;
  std::vector<uint8_t> palette, trns, idat;
  for (size_t at = 8; at + 12 <= f.size();) {
    uint32_t len = be32(&f[at]);
    if (len > f.size() - at - 12) fail("chunk overruns the file");
    std::string name(f.begin() + at + 4, f.begin() + at + 8);
    const uint8_t* d = &f[at + 8];
    if (name == "IHDR") {
      width = static_cast<int>(be32(d));
      height = static_cast<int>(be32(d + 4));
      depth = d[8];
      type = d[9];
      if (d[12] != 0) fail("interlaced");
    } else if (name == "PLTE") {
      palette.assign(d, d + len);
    } else if (name == "tRNS") {
      trns.assign(d, d + len);
    } else if (name == "IDAT") {
      idat.insert(idat.end(), d, d + len);
    }
    at += 12 + len;
  }
  int channels = type == 0 ? 1 : type == 2 ? 3 : type == 3 ? 1 : type == 4 ? 2 : type == 6 ? 4 : 0;
  if (width <= 0 || height <= 0 || channels == 0) fail("unsupported header");

  size_t bitsPerPixel = static_cast<size_t>(channels) * depth;
  size_t rowBytes = (static_cast<size_t>(width) * bitsPerPixel + 7) / 8;
  size_t pixelBytes = (bitsPerPixel + 7) / 8;
  std::vector<uint8_t> raw((rowBytes + 1) * height);
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != raw.size())
    fail("bad image data");

  std::vector<uint8_t> rows(rowBytes * height);
  for (int y = 0; y < height; ++y) {
    uint8_t filter = raw[y * (rowBytes + 1)];
    const uint8_t* src = &raw[y * (rowBytes + 1) + 1];
    uint8_t* cur = &rows[y * rowBytes];
    const uint8_t* prev = y > 0 ? &rows[(y - 1) * rowBytes] : nullptr;
    for (size_t i = 0; i < rowBytes; ++i) {
      int a = i >= pixelBytes ? cur[i - pixelBytes] : 0;
      int b = prev ? prev[i] : 0;
      int c = prev && i >= pixelBytes ? prev[i - pixelBytes] : 0;
      int predictor = filter == 0   ? 0
                      : filter == 1 ? a
                      : filter == 2 ? b
                      : filter == 3 ? (a + b) / 2
                                    : paeth(a, b, c);
      if (filter > 4) fail("bad filter");
      cur[i] = static_cast<uint8_t>(src[i] + predictor);
    }
  }

  auto sample = [&](const uint8_t* row, int x, int channel) -> unsigned {
    size_t bit = (static_cast<size_t>(x) * channels + channel) * depth;
    if (depth == 16) return (row[bit / 8] << 8) | row[bit / 8 + 1];
    if (depth == 8) return row[bit / 8];
    return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
  };
  auto to8 = [&](unsigned v) -> uint32_t {
    unsigned max = (1u << depth) - 1;
    return (v * 255 + max / 2) / max;
  };

  Image img;
  img.width = width;
  img.height = height;
  img.rgb.resize(static_cast<size_t>(width) * height);
  img.alpha.assign(img.rgb.size(), 255);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = &rows[y * rowBytes];
    for (int x = 0; x < width; ++x) {
      size_t i = static_cast<size_t>(y) * width + x;
      if (type == 3) {
        unsigned index = sample(row, x, 0);
        if (3 * index + 2 >= palette.size()) fail("index past palette");
        img.rgb[i] =
            uint32_t{palette[3 * index]} << 16 | palette[3 * index + 1] << 8 | palette[3 * index + 2];
        if (index < trns.size()) img.alpha[i] = trns[index];
      } else if (type == 0 || type == 4) {
        uint32_t g = to8(sample(row, x, 0));
        img.rgb[i] = g << 16 | g << 8 | g;
        if (type == 4) img.alpha[i] = static_cast<uint8_t>(to8(sample(row, x, 1)));
      } else {
        img.rgb[i] = to8(sample(row, x, 0)) << 16 | to8(sample(row, x, 1)) << 8 | to8(sample(row, x, 2));
        if (type == 6) img.alpha[i] = static_cast<uint8_t>(to8(sample(row, x, 3)));
      }
    }
  }
  return img;
}

}  // namespace testpng
