// The camera box's Print command and its print-size choice.
#include <climits>

#include "base/error.h"
#include "camera/camera_box.h"

namespace camera {

void CameraBox::wirePrintCommands() {
  fileMenu.print.onClick = [this] { printPhoto(); };
  fileMenu.printScreenSize.onClick = [this] { setPrintSize(PrintSize::Screen); };
  fileMenu.printPaperSize.onClick = [this] { setPrintSize(PrintSize::Paper); };
  setPrintSize(printSize_);
}

void CameraBox::setPrintSize(PrintSize size) {
  printSize_ = size;
  fileMenu.printScreenSize.setChecked(size == PrintSize::Screen);
  fileMenu.printPaperSize.setChecked(size == PrintSize::Paper);
}

void CameraBox::printPhoto() {
  sys::Printer& printer = services_.printer;
  std::optional<sys::PrinterPage> page = printer.choose();
  if (!page) return;
  sys::HeldPrinter held(printer);
  // The whole box, margins and time stamp included: it has no border.
  picture::Canvas image = clientImage();
  int w = image.width(), h = image.height();
  picture::Rect dest;
  if (printSize_ == PrintSize::Paper) {
    dest = sys::fillPage(w, h, *page);
  } else {
    int sx = printer.displayPixelsPerInchX(), sy = printer.displayPixelsPerInchY();
    if (sx <= 0 || sy <= 0) throw base::Error(sys::kCannotPrint);
    long long width = sys::mulDivRounded(w, page->pixelsPerInchX, sx);
    long long height = sys::mulDivRounded(h, page->pixelsPerInchY, sy);
    if (width > INT_MAX || height > INT_MAX) throw base::Error(sys::kCannotPrint);
    dest = {0, 0, static_cast<int>(width), static_cast<int>(height)};
  }
  printer.print(image, dest);
}

}  // namespace camera
