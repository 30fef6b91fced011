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

void fitThumbnail(Frame& frame, int width, int height) {
  ui::Image& box = frame.thumbnail;
  // 64-bit products: a picture may be tens of thousands of pixels long.
  long long w = width, h = height;
  if (w >= h) {
    long long boxHeight = box.height();
    box.setWidth(kThumbnailBox);
    box.setHeight(static_cast<int>(h * boxHeight / w));
    box.setTop((kFrameSize - box.height()) / 2 + kThumbnailInset);
    box.setLeft(kThumbnailInset);
  } else {
    long long boxWidth = box.width();
    box.setHeight(kThumbnailBox);
    box.setWidth(static_cast<int>(w * boxWidth / h));
    box.setLeft((kFrameSize - box.width()) / 2 + kThumbnailInset);
    box.setTop(kThumbnailInset);
  }
}

}  // namespace sheet
