#include "picture/picture.h"

#include "base/path.h"

#include "picture/bmp.h"
#include "picture/errors.h"
#include "picture/file_io.h"
#include "picture/icon.h"
#include "picture/metafile.h"

namespace picture {

namespace {

const std::vector<uint8_t>& noBytes() {
  static const std::vector<uint8_t> none;
  return none;
}

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

Picture::Picture() = default;

Picture::Picture(Bitmap b) {
  if (!b.empty()) {
    kind_ = Kind::Bitmap;
    bitmap_ = std::move(b);
  }
}

Picture Picture::fromBmpBytes(const uint8_t* data, size_t size) { return Picture(readBmp(data, size)); }

Picture Picture::fromIconBytes(std::vector<uint8_t> bytes) {
  Picture p;
  p.bitmap_ = readIcon(bytes.data(), bytes.size());
  p.kind_ = Kind::Icon;
  p.bytes_ = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  return p;
}

Picture Picture::fromMetafileBytes(std::vector<uint8_t> bytes) {
  MetafileInfo info = readMetafile(bytes.data(), bytes.size());
  Picture p;
  p.kind_ = Kind::Metafile;
  p.enhanced_ = info.enhanced;
  p.metafileWidth_ = info.width;
  p.metafileHeight_ = info.height;
  p.bytes_ = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  return p;
}

int Picture::width() const {
  if (kind_ == Kind::Metafile) return metafileWidth_;
  return bitmap_.width();
}

int Picture::height() const {
  if (kind_ == Kind::Metafile) return metafileHeight_;
  return bitmap_.height();
}

const std::vector<uint8_t>& Picture::iconBytes() const {
  return kind_ == Kind::Icon && bytes_ ? *bytes_ : noBytes();
}

const std::vector<uint8_t>& Picture::metafileBytes() const {
  return kind_ == Kind::Metafile && bytes_ ? *bytes_ : noBytes();
}

void Picture::clear() { *this = Picture(); }

void Picture::loadFromFile(const std::string& utf8Path) {
  std::string ext = base::extensionOf(utf8Path);
  std::string kind = lowerAscii(ext);
  if (kind != "bmp" && kind != "ico" && kind != "wmf" && kind != "emf")
    messages::withName(messages::kUnknownExtension, ext);
  std::vector<uint8_t> bytes = readFileBytes(utf8Path, kMaxFileBytes);
  Picture loaded;
  if (kind == "bmp") {
    loaded = fromBmpBytes(bytes.data(), bytes.size());
  } else if (kind == "ico") {
    loaded = fromIconBytes(std::move(bytes));
  } else {
    loaded = fromMetafileBytes(std::move(bytes));
  }
  *this = std::move(loaded);
}

void Picture::saveToFile(const std::string& utf8Path) const {
  switch (kind_) {
    case Kind::Empty:
      return;
    case Kind::Bitmap:
      writeFileBytes(utf8Path, writeBmp(bitmap_));
      return;
    case Kind::Icon:
    case Kind::Metafile:
      writeFileBytes(utf8Path, *bytes_);
      return;
  }
}

}  // namespace picture
