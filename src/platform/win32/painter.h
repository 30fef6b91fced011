#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/win32/dib_info.h"
#include "platform/win32/handles.h"
#include "ui/painter.h"

namespace win32 {

// Text and metafiles through GDI, into the portable renderer's canvas.
// Text is drawn without anti-aliasing, as the UI font's bitmap strikes look
// at 12 pixels, and blended into the canvas as a coverage mask so it lands
// inside the canvas's clip only.
class GdiPainter : public ui::Painter {
 public:
  GdiPainter();
  Size measureText(const ui::Font& f, const std::string& text) override;
  void drawText(picture::Canvas& c, const ui::Font& f, const std::string& text, int x, int y,
                ui::Color color) override;
  void drawMetafile(picture::Canvas& c, const picture::Picture& p, ui::Rect dest) override;

  HFONT font(const ui::Font& f);

 private:
  using FontKey = std::tuple<std::string, int, bool, bool>;
  std::map<FontKey, UniqueGdi<HFONT>> fonts_;
  UniqueMemoryDc dc_;
};

// A 32-bit top-down DIB section selected into its own memory DC: GDI draws
// into it and we read or write its pixels directly (BGRX, like a canvas).
class DibSurface {
 public:
  DibSurface(int width, int height);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;
  bool ok() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  std::uint32_t* pixels() const { return static_cast<std::uint32_t*>(bits_); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  void* bits_ = nullptr;
  UniqueMemoryDc dc_;
  UniqueGdi<HBITMAP> bitmap_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace win32
