// The film printed as a contact sheet: the window itself, laid out as a
// grid of frames for a moment below the screen, is what goes on the page.
#include "sheet/negative_sheet.h"
#include "ui/application.h"

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

void NegativeSheet::arrangeGrid() {
  int sw = services_.screen.width();
  // Below every monitor, so that none shows it.
  setTop(services_.screen.virtualScreen().bottom() + 10);
  buttonColumn.hide();
  filmStrip.setPosition(ui::Axis::Horizontal, 0);
  setClientWidth(kWideGridWidth);
  setClientHeight(kWideGridHeight);
  for (int i = 0; i < kFilmFrames; ++i) frames[i].panel.setBevelInner(ui::BevelCut::None);
  int columns = kWideColumns, pitch = kWideRowPitch;
  if (sw <= kWideScreen) {
    setClientWidth(kNarrowGridWidth);
    setClientHeight(kNarrowGridHeight);
    columns = kNarrowColumns;
    pitch = kNarrowRowPitch;
  }
  // Without the button column the strip fills the client area.
  filmStrip.setBounds({0, 0, clientWidth(), clientHeight()});
  // The first row already stands where the strip has it.
  for (int i = columns; i < kFilmFrames; ++i) {
    Frame& f = frames[i];
    f.panel.setLeft(kFrameSize * (i % columns));
    f.panel.setTop(pitch * (i / columns));
    f.caption.setTop(f.panel.top() + kCaptionTop);
    f.caption.setLeft(f.panel.left() + kCaptionLeft);
  }
}

void NegativeSheet::arrangeStrip() {
  int sw = services_.screen.width(), sh = services_.screen.height();
  buttonColumn.show();
  setLeft(0);
  setWidth(sw);
  setHeight(kStripWindowHeight);
  setTop(sh - height());
  layOut();
  filmStrip.setPosition(ui::Axis::Horizontal, 0);
  playPosition = 1;
  for (int i = 0; i < kFilmFrames; ++i) frames[i].panel.setBevelInner(ui::BevelCut::Raised);
  // Frames 9 to 36: every frame that either grid moves.
  for (int i = kNarrowColumns; i < kFilmFrames; ++i) {
    Frame& f = frames[i];
    f.panel.setTop(0);
    f.panel.setLeft(kFrameSize * i);
    f.caption.setTop(kCaptionTop);
    f.caption.setLeft(f.panel.left() + kCaptionLeft);
  }
}

void NegativeSheet::printContactSheet() {
  sys::Printer& printer = services_.printer;
  try {
    arrangeGrid();
    if (std::optional<sys::PrinterPage> page = printer.choose()) {
      sys::HeldPrinter held(printer);
      picture::Canvas image = clientImage();
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
