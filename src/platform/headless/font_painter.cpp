#include "platform/headless/font_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>

#include "base/text.h"

namespace headless {

struct FontPainter::Impl {
  FT_Library lib = nullptr;
  std::map<std::string, FT_Face> faces;  // by font file

  ~Impl() {
    for (auto& f : faces) FT_Done_Face(f.second);
    if (lib) FT_Done_FreeType(lib);
  }

  // The IPA font standing in for a Windows font name.
  static std::string fileFor(const ui::Font& f) {
    bool fixed = f.name.find("Ｐ") == std::string::npos;
    const char* candidates[] = {fixed ? "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
                                      : "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                                "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                                "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"};
    for (const char* c : candidates)
      if (std::filesystem::exists(c)) return c;
    return {};
  }

  FT_Face face(const ui::Font& f) {
    if (!lib) return nullptr;
    std::string file = fileFor(f);
    if (file.empty()) return nullptr;
    auto it = faces.find(file);
    FT_Face face = nullptr;
    if (it == faces.end()) {
      if (FT_New_Face(lib, file.c_str(), 0, &face) != 0) return nullptr;
      faces[file] = face;
    } else {
      face = it->second;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(f.height > 0 ? f.height : 12));
    return face;
  }
};

FontPainter::FontPainter() : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->lib) != 0) impl_->lib = nullptr;
}

FontPainter::~FontPainter() = default;

bool FontPainter::hasFonts() const { return impl_->face(ui::Font{}) != nullptr; }

FontPainter::Size FontPainter::measureText(const ui::Font& f, const std::string& text) {
  std::u32string cps = base::utf32FromUtf8(text);
  FT_Face face = impl_->face(f);
  if (!face) return {static_cast<int>(cps.size()) * f.height / 2, f.height};
  int width = 0;
  for (char32_t cp : cps)
    if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0) width += static_cast<int>(face->glyph->advance.x >> 6);
  return {width, f.height};
}

void FontPainter::drawText(picture::Canvas& c, const ui::Font& f, const std::string& text, int x, int y,
                           ui::Color color) {
  FT_Face face = impl_->face(f);
  if (!face) return;
  // The baseline sits where the font's ascent puts it in a cell of the
  // font's pixel height.
  int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  int descent = static_cast<int>(-face->size->metrics.descender >> 6);
  int baseline = y + (f.height * ascent + (ascent + descent) / 2) / std::max(1, ascent + descent);
  int pen = x;
  for (char32_t cp : base::utf32FromUtf8(text)) {
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.buffer)
      c.blendMask(pen + g->bitmap_left, baseline - g->bitmap_top, static_cast<int>(bm.width),
                  static_cast<int>(bm.rows), bm.buffer, bm.pitch, color);
    pen += static_cast<int>(g->advance.x >> 6);
  }
}

}  // namespace headless
