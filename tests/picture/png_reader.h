#pragma once
// A small PNG reader for the reference images of the BMP conformance files.

#include <cstdint>
#include <string>
#include <vector>

namespace testpng {

struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;   // 0x00RRGGBB, row-major, top-down
  std::vector<uint8_t> alpha;  // 255 = opaque
};

// Throws std::runtime_error on anything it does not understand.
Image readPng(const std::string& path);

}  // namespace testpng
