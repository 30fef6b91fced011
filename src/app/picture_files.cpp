#include "app/picture_files.h"

#include "base/path.h"
#include "picture/errors.h"
#include "picture/file_io.h"

namespace app {

namespace {

bool isPng(const std::string& path) {
  std::string ext = base::extensionOf(path);
  if (ext.size() != 3) return false;
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == "png";
}

}  // namespace

picture::Picture readPictureFile(sys::PngCodec& png, const std::string& utf8Path) {
  if (!isPng(utf8Path)) {
    picture::Picture p;
    p.loadFromFile(utf8Path);
    return p;
  }
  std::vector<std::uint8_t> bytes = picture::readFileBytes(utf8Path, picture::Picture::kMaxFileBytes);
  picture::Bitmap b = png.decode(bytes);
  if (b.empty()) throw base::Error(sys::kBadPng);
  return picture::Picture(std::move(b));
}

void writePictureFile(sys::PngCodec& png, const picture::Picture& p, const std::string& utf8Path) {
  if (p.empty()) return;
  if (!isPng(utf8Path)) {
    p.saveToFile(utf8Path);
    return;
  }
  if (p.bitmap().empty()) picture::messages::withName(picture::messages::kCannotCreate, utf8Path);
  picture::writeFileBytes(utf8Path, png.encode(p.bitmap()));
}

}  // namespace app
