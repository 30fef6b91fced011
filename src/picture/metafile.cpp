#include "picture/metafile.h"

#include <cstdlib>

#include "picture/dib.h"
#include "picture/errors.h"

namespace picture {

namespace {

using detail::le16;
using detail::le32;
using messages::badMetafile;

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kEmrHeader = 1, kEmrEof = 14;
constexpr unsigned kMetaEof = 0x0000, kMetaSetWindowExt = 0x020C;
constexpr int kScreenDpi = 96;

int16_t s16(const uint8_t* p) { return static_cast<int16_t>(le16(p)); }
int32_t s32(const uint8_t* p) { return static_cast<int32_t>(le32(p)); }

// units * 96 / perInch, rounded; the result stays within int.
int toPixels(long long units, long long perInch) {
  long long px = (units * kScreenDpi + perInch / 2) / perInch;
  return px > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(px);
}

bool isEmf(const uint8_t* data, size_t size) {
  return size >= 88 && le32(data) == kEmrHeader && le32(data + 40) == kEmfSignature;
}

MetafileInfo readEmf(const uint8_t* data, size_t size) {
  uint32_t headerSize = le32(data + 4), total = le32(data + 48);
  if (headerSize < 88 || headerSize % 4 || total < headerSize || total % 4 || total > size) badMetafile();
  bool ended = false;
  for (size_t at = 0; at < total;) {
    if (total - at < 8) badMetafile();
    uint32_t type = le32(data + at), length = le32(data + at + 4);
    if (length < 8 || length % 4 || length > total - at) badMetafile();
    if (at == 0 && length != headerSize) badMetafile();
    at += length;
    if (type == kEmrEof) {
      ended = true;
      break;
    }
  }
  if (!ended) badMetafile();

  MetafileInfo info;
  info.enhanced = true;
  long long frameW = static_cast<long long>(s32(data + 32)) - s32(data + 24);
  long long frameH = static_cast<long long>(s32(data + 36)) - s32(data + 28);
  if (frameW > 0 && frameH > 0) {
    info.width = toPixels(frameW, 2540);
    info.height = toPixels(frameH, 2540);
  } else {
    long long boundsW = static_cast<long long>(s32(data + 16)) - s32(data + 8) + 1;
    long long boundsH = static_cast<long long>(s32(data + 20)) - s32(data + 12) + 1;
    if (boundsW > 0 && boundsH > 0 && boundsW <= 0x7FFFFFFF && boundsH <= 0x7FFFFFFF) {
      info.width = static_cast<int>(boundsW);
      info.height = static_cast<int>(boundsH);
    }
  }
  return info;
}

MetafileInfo readWmf(const uint8_t* data, size_t size) {
  MetafileInfo info;
  size_t at = 0;
  bool placeable = size >= 22 && le32(data) == kPlaceableKey;
  if (placeable) {
    // The checksum is not enforced: GDI plays files whose writers got it wrong.
    long long w = std::llabs(static_cast<long long>(s16(data + 10)) - s16(data + 6));
    long long h = std::llabs(static_cast<long long>(s16(data + 12)) - s16(data + 8));
    unsigned perInch = le16(data + 14);
    if (perInch == 0 || w == 0 || h == 0) badMetafile();
    info.width = toPixels(w, perInch);
    info.height = toPixels(h, perInch);
    at = 22;
  }
  if (size - at < 18) badMetafile();
  const uint8_t* header = data + at;
  unsigned type = le16(header), headerWords = le16(header + 2), version = le16(header + 4);
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300)) badMetafile();
  at += 18;

  bool ended = false, haveExtent = false;
  while (!ended) {
    if (size - at < 6) badMetafile();
    uint64_t bytes = uint64_t{le32(data + at)} * 2;
    unsigned function = le16(data + at + 4);
    if (bytes < 6 || bytes > size - at) badMetafile();
    if (function == kMetaEof) {
      ended = true;
    } else if (function == kMetaSetWindowExt && bytes >= 10 && !haveExtent && !placeable) {
      // Parameters come in reverse order: y, then x.
      info.height = std::abs(s16(data + at + 6));
      info.width = std::abs(s16(data + at + 8));
      haveExtent = true;
    }
    at += static_cast<size_t>(bytes);
  }
  return info;
}

}  // namespace

MetafileInfo readMetafile(const uint8_t* data, size_t size) {
  if (isEmf(data, size)) return readEmf(data, size);
  return readWmf(data, size);
}

}  // namespace picture
