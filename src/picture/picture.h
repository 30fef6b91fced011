#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "picture/bitmap.h"

namespace picture {

// What an image control shows: nothing, a bitmap, an icon or a metafile.
// Copies are cheap: the bitmap shares its pixels and the file bytes of an
// icon or metafile are shared.
class Picture {
 public:
  enum class Kind { Empty, Bitmap, Icon, Metafile };

  // Files larger than this are refused before they are read in full.
  static constexpr size_t kMaxFileBytes = Bitmap::kMaxBytes + (size_t{1} << 20);

  Picture();
  Picture(Bitmap b);  // an empty bitmap gives an empty picture

  // Decoders; each throws its format's error.
  static Picture fromBmpBytes(const uint8_t* data, size_t size);
  static Picture fromIconBytes(std::vector<uint8_t> bytes);
  static Picture fromMetafileBytes(std::vector<uint8_t> bytes);  // WMF or EMF, told apart by content

  Kind kind() const { return kind_; }
  bool empty() const { return kind_ == Kind::Empty; }
  int width() const;  // 0x0 when empty
  int height() const;

  // The bitmap, or the icon's decoded image; an empty Bitmap otherwise.
  const Bitmap& bitmap() const { return bitmap_; }
  // The file as loaded, for an icon or a metafile; empty otherwise.
  const std::vector<uint8_t>& iconBytes() const;
  const std::vector<uint8_t>& metafileBytes() const;
  bool isEnhancedMetafile() const { return kind_ == Kind::Metafile && enhanced_; }

  void clear();

  // By extension (the text after the file name's last '.', in any case):
  // bmp, ico, wmf, emf. Errors: "拡張子 .%s の画像形式は処理できません" (the
  // extension as written; checked before the file is opened),
  // "ﾌｧｲﾙ %s は開けません", or the format's own. A failed load leaves the
  // picture as it was.
  void loadFromFile(const std::string& utf8Path);
  // Bitmap: a BMP in its own format; icon and metafile: the bytes as
  // loaded; an empty picture writes nothing. Error: "ﾌｧｲﾙ %s を作成できません".
  void saveToFile(const std::string& utf8Path) const;

 private:
  Kind kind_ = Kind::Empty;
  Bitmap bitmap_;
  std::shared_ptr<const std::vector<uint8_t>> bytes_;
  bool enhanced_ = false;
  int metafileWidth_ = 0, metafileHeight_ = 0;
};

}  // namespace picture
