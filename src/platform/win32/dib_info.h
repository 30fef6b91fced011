#pragma once
#include <windows.h>

namespace win32 {

// A 32-bit top-down DIB header: rows in the order a picture::Bitmap keeps
// them, so pixels copy across without flipping.
inline BITMAPINFO topDownInfo(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace win32
