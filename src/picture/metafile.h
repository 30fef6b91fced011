#pragma once

#include <cstddef>
#include <cstdint>

namespace picture {

struct MetafileInfo {
  bool enhanced = false;
  // Size in pixels at 96 DPI:
  //  - placeable WMF: the bounding box in its own units per inch;
  //  - plain WMF: the first SetWindowExt record's extent, 0x0 if there is none
  //    (no size recorded: draw it stretched to wherever it goes);
  //  - EMF: rclFrame (0.01 mm), or rclBounds (device pixels) when the frame is empty.
  int width = 0, height = 0;
};

// Checks a .wmf (with or without the placeable header) or .emf: header,
// and every record inside the data up to the end-of-file record. The bytes
// themselves are played by GDI on Windows.
// Throws base::Error("ﾒﾀﾌｧｲﾙが不正です") for anything malformed.
MetafileInfo readMetafile(const uint8_t* data, size_t size);

}  // namespace picture
