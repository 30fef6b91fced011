#pragma once
#include <map>
#include <memory>
#include <string>

#include "ui/painter.h"

namespace headless {

// Text drawn with FreeType from the IPA fonts that stand in for the
// Japanese UI fonts, so headless screenshots show what Windows shows.
// Without the font files, text is measured with a fixed advance and not
// drawn. Metafiles are not drawn headless.
class FontPainter : public ui::Painter {
 public:
  FontPainter();
  ~FontPainter() override;
  Size measureText(const ui::Font& f, const std::string& text) override;
  void drawText(picture::Canvas& c, const ui::Font& f, const std::string& text, int x, int y,
                ui::Color color) override;
  void drawMetafile(picture::Canvas&, const picture::Picture&, ui::Rect) override {}
  bool hasFonts() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace headless
