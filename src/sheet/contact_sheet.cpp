#include "sheet/contact_sheet.h"

#include <optional>
#include <utility>

namespace sheet {

namespace {

// Grid client areas: 9 columns 100 pixels apart on screens wider than
// 640 pixels, else 8 columns 90 pixels apart.
constexpr int kWideScreen = 640;
constexpr int kWideGridWidth = 682, kWideGridHeight = 425, kWideColumns = 9, kWideRowPitch = 100;
constexpr int kNarrowGridWidth = 604, kNarrowGridHeight = 454, kNarrowColumns = 8, kNarrowRowPitch = 90;
// A caption lies this far below its panel's top and right of its left.
constexpr int kCaptionTop = 76, kCaptionLeft = 3;
// The strip's window height.
constexpr int kStripWindowHeight = 136;

}  // namespace

ContactSheet::ContactSheet(ui::Form& window, ui::Panel& buttonColumn, ui::ScrollBox& filmStrip,
                           Frames& frames, sys::Services& services, std::function<void()> arranged)
    : window_(window),
      buttonColumn_(buttonColumn),
      filmStrip_(filmStrip),
      frames_(frames),
      services_(services),
      arranged_(std::move(arranged)) {}

void ContactSheet::arrangeGrid() {
  int sw = services_.screen.width();
  // Below every monitor, so that none shows it.
  window_.setTop(services_.screen.virtualScreen().bottom() + 10);
  buttonColumn_.hide();
  filmStrip_.setPosition(ui::Axis::Horizontal, 0);
  window_.setClientWidth(kWideGridWidth);
  window_.setClientHeight(kWideGridHeight);
  grid_ = true;
  int columns = kWideColumns, pitch = kWideRowPitch;
  if (sw <= kWideScreen) {
    window_.setClientWidth(kNarrowGridWidth);
    window_.setClientHeight(kNarrowGridHeight);
    columns = kNarrowColumns;
    pitch = kNarrowRowPitch;
  }
  // Without the button column the strip fills the client area.
  filmStrip_.setBounds({0, 0, window_.clientWidth(), window_.clientHeight()});
  // The first row already stands where the strip has it.
  for (int i = columns; i < kFilmFrames; ++i) {
    Frame& f = frames_[i];
    f.panel.setLeft(kFrameSize * (i % columns));
    f.panel.setTop(pitch * (i / columns));
    f.caption.setTop(f.panel.top() + kCaptionTop);
    f.caption.setLeft(f.panel.left() + kCaptionLeft);
  }
  arranged_();
}

void ContactSheet::arrangeStrip() {
  int sw = services_.screen.width(), sh = services_.screen.height();
  buttonColumn_.show();
  window_.setLeft(0);
  window_.setWidth(sw);
  window_.setHeight(kStripWindowHeight);
  window_.setTop(sh - window_.height());
  filmStrip_.setPosition(ui::Axis::Horizontal, 0);
  grid_ = false;
  // Frames 9 to 36: every frame that either grid moves.
  for (int i = kNarrowColumns; i < kFilmFrames; ++i) {
    Frame& f = frames_[i];
    f.panel.setTop(0);
    f.panel.setLeft(kFrameSize * i);
    f.caption.setTop(kCaptionTop);
    f.caption.setLeft(f.panel.left() + kCaptionLeft);
  }
  arranged_();
}

void ContactSheet::print() {
  sys::Printer& printer = services_.printer;
  try {
    arrangeGrid();
    if (std::optional<sys::PrinterPage> page = printer.choose()) {
      sys::HeldPrinter held(printer);
      picture::Canvas image = window_.clientImage();
      printer.print(image, sys::fillPage(image.width(), image.height(), *page));
    }
  } catch (...) {
    // A failed job leaves nothing below the screen; the failure is still
    // reported.
    arrangeStrip();
    throw;
  }
  arrangeStrip();
}

}  // namespace sheet
