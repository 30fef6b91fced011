#pragma once
#include <string>

#include "picture/picture.h"
#include "system/png_codec.h"

namespace app {

// Picture files by their extension, as the picture layer reads and writes
// them, with "png" (in any case) added through the platform's codec.

// A PNG becomes a bitmap picture; any other kind is the picture layer's.
// Errors as Picture::loadFromFile's, and for a PNG sys::kBadPng or the
// out-of-resources text.
picture::Picture readPictureFile(sys::PngCodec& png, const std::string& utf8Path);

// A name ending in ".png" gets a 24-bit PNG of the picture (an icon's
// image; a metafile, which has no pixels of its own here, cannot be
// written so: "ﾌｧｲﾙ %s を作成できません"); any other name the picture in its
// own format. Written through a temporary file, as every file is; an empty
// picture writes nothing.
void writePictureFile(sys::PngCodec& png, const picture::Picture& p, const std::string& utf8Path);

}  // namespace app
