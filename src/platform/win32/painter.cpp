#include "platform/win32/painter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "picture/picture.h"
#include "platform/win32/text.h"

namespace win32 {

DibSurface::DibSurface(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO bi = topDownInfo(width, height);
  dc_.reset(CreateCompatibleDC(nullptr));
  if (!dc_) return;
  bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (!bitmap_ || !bits_) {
    bits_ = nullptr;
    return;
  }
  old_ = SelectObject(dc_.get(), bitmap_.get());
}

DibSurface::~DibSurface() {
  // The bitmap must leave the DC before either is deleted.
  if (old_) SelectObject(dc_.get(), old_);
}

GdiPainter::GdiPainter() : dc_(CreateCompatibleDC(nullptr)) {}

HFONT GdiPainter::font(const ui::Font& f) {
  FontKey key{f.name, f.height, f.bold, f.italic};
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.get();
  std::wstring face = widen(f.name);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  LOGFONTW lf{};
  lf.lfHeight = -f.height;
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = f.italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::memcpy(lf.lfFaceName, face.c_str(), (face.size() + 1) * sizeof(wchar_t));
  UniqueGdi<HFONT> made(CreateFontIndirectW(&lf));
  if (!made) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT h = made.get();
  fonts_.emplace(key, std::move(made));
  return h;
}

ui::Painter::Size GdiPainter::measureText(const ui::Font& f, const std::string& text) {
  if (!dc_) return {};
  Selection sel(dc_.get(), font(f));
  std::wstring w = widen(text);
  SIZE s{};
  if (!GetTextExtentPoint32W(dc_.get(), w.c_str(), int(w.size()), &s)) return {};
  return {int(s.cx), int(s.cy)};
}

void GdiPainter::drawText(picture::Canvas& c, const ui::Font& f, const std::string& text, int x, int y,
                          ui::Color color) {
  if (text.empty()) return;
  Size size = measureText(f, text);
  // Only the part that can show is rendered: a long caption costs no more
  // than its visible piece.
  ui::Rect box = picture::intersect({x, y, size.width, size.height}, c.clip());
  if (box.empty()) return;
  DibSurface surface(box.width, box.height);
  if (!surface.ok()) return;
  {
    Selection sel(surface.dc(), font(f));
    SetBkMode(surface.dc(), TRANSPARENT);
    SetTextColor(surface.dc(), RGB(255, 255, 255));
    std::wstring w = widen(text);
    TextOutW(surface.dc(), x - box.left, y - box.top, w.c_str(), int(w.size()));
    GdiFlush();
  }
  std::vector<std::uint8_t> mask(std::size_t(box.width) * std::size_t(box.height));
  const std::uint32_t* px = surface.pixels();
  for (std::size_t i = 0; i < mask.size(); ++i) {
    std::uint32_t p = px[i];
    mask[i] = std::uint8_t(std::max({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF}));
  }
  c.blendMask(box.left, box.top, box.width, box.height, mask.data(), box.width, color);
}

namespace {

// GDI's own handle for a metafile's bytes: an EMF as it is, a WMF (its
// placeable header dropped) converted, with its recorded size as the
// picture frame so that it stretches like the class library draws it.
UniqueEnhMetafile metafileHandle(const picture::Picture& p) {
  const auto& bytes = p.metafileBytes();
  if (bytes.empty() || bytes.size() > UINT_MAX) return {};
  if (p.isEnhancedMetafile()) return UniqueEnhMetafile(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()));
  std::size_t skip = 0;
  if (bytes.size() >= 22 && bytes[0] == 0xD7 && bytes[1] == 0xCD && bytes[2] == 0xC6 && bytes[3] == 0x9A)
    skip = 22;
  METAFILEPICT mfp{};
  mfp.mm = MM_ANISOTROPIC;
  // 0.01 mm at 96 pixels per inch; 0 leaves the size to GDI.
  mfp.xExt = p.width() > 0 ? MulDiv(p.width(), 2540, 96) : 0;
  mfp.yExt = p.height() > 0 ? MulDiv(p.height(), 2540, 96) : 0;
  return UniqueEnhMetafile(SetWinMetaFileBits(UINT(bytes.size() - skip), bytes.data() + skip, nullptr, &mfp));
}

}  // namespace

void GdiPainter::drawMetafile(picture::Canvas& c, const picture::Picture& p, ui::Rect dest) {
  ui::Rect box = picture::intersect(dest, c.clip());
  if (box.empty()) return;
  UniqueEnhMetafile emf = metafileHandle(p);
  if (!emf) return;
  DibSurface surface(box.width, box.height);
  if (!surface.ok()) return;
  // The metafile draws over what the canvas shows there.
  for (int row = 0; row < box.height; ++row)
    std::memcpy(surface.pixels() + std::size_t(row) * std::size_t(box.width),
                c.pixels() + std::size_t(box.top + row) * std::size_t(c.width()) + std::size_t(box.left),
                std::size_t(box.width) * 4);
  RECT r{dest.left - box.left, dest.top - box.top, dest.left - box.left + dest.width,
         dest.top - box.top + dest.height};
  PlayEnhMetaFile(surface.dc(), emf.get(), &r);
  GdiFlush();
  for (int row = 0; row < box.height; ++row) {
    std::uint32_t* out =
        c.pixels() + std::size_t(box.top + row) * std::size_t(c.width()) + std::size_t(box.left);
    const std::uint32_t* in = surface.pixels() + std::size_t(row) * std::size_t(box.width);
    for (int i = 0; i < box.width; ++i) out[i] = in[i] & 0x00FFFFFFu;
  }
}

}  // namespace win32
