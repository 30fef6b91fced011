#include "sheet/frame.h"

#include <string>

namespace sheet {

namespace {

std::string controlName(int index, const char* part) {
  return "frames[" + std::to_string(index) + "]." + part;
}

}  // namespace

Frame::Frame(ui::Control* strip, int index)
    : panel(strip, controlName(index, "panel")),
      thumbnail(&panel, controlName(index, "thumbnail")),
      caption(strip, controlName(index, "caption")) {
  int x = kFrameSize * index;
  panel.setBounds({x, 0, kFrameSize, kFrameSize});
  panel.setBevelOuter(ui::BevelCut::None);
  panel.setBevelInner(ui::BevelCut::Raised);
  panel.setBevelWidth(2);
  panel.setCaption(kBuiltPlaceholder);
  thumbnail.setBounds({kThumbnailInset, kThumbnailInset, kThumbnailBox, kThumbnailBox});
  thumbnail.setStretch(true);
  caption.setBounds({x + 2, 76, 70, 12});
  caption.setFont({"ＭＳ Ｐゴシック", 11, ui::clBlack, false});
  if (index == kOverflow) {
    panel.hide();
    caption.hide();
  }
}

picture::Bitmap shownBitmap(const picture::Picture& p, ui::Painter& painter) {
  if (p.kind() != picture::Picture::Kind::Metafile) return p.bitmap();
  int w = p.width() > 0 ? p.width() : kThumbnailBox;
  int h = p.height() > 0 ? p.height() : kThumbnailBox;
  return ui::drawnPicture(p, w, h, painter);
}

}  // namespace sheet
