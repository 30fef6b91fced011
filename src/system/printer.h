#pragma once
#include <optional>

#include "picture/canvas.h"
#include "picture/geometry.h"

namespace sys {

// A print job that could not be done (no printer, a step the driver
// refused, an image too large), in the program's words.
inline constexpr const char* kCannotPrint = "印刷できません";

// The printable area of the chosen printer's page, in its pixels, and its
// resolution.
struct PrinterPage {
  int width = 0, height = 0;
  int pixelsPerInchX = 0, pixelsPerInchY = 0;
};

// The system print dialog and one-page print jobs on the printer chosen
// there. Failures throw base::Error(kCannotPrint).
class Printer {
 public:
  virtual ~Printer() = default;
  // Shows the print dialog. The chosen printer's page, or nothing when the
  // user cancelled. The printer stays held until print() or release().
  virtual std::optional<PrinterPage> choose() = 0;
  // One job of one page on the chosen printer: the image stretched to dest
  // (page pixels). The job always ends, aborted when a step fails, and the
  // printer is let go either way.
  virtual void print(const picture::Canvas& image, picture::Rect dest) = 0;
  // Lets the chosen printer go without printing; nothing when none is held.
  virtual void release() = 0;
  // The display's logical pixels per inch, across and down.
  virtual int displayPixelsPerInchX() = 0;
  virtual int displayPixelsPerInchY() = 0;
};

// Lets the chosen printer go at the end of a scope, whatever happened.
class HeldPrinter {
 public:
  explicit HeldPrinter(Printer& p) : printer_(p) {}
  HeldPrinter(const HeldPrinter&) = delete;
  HeldPrinter& operator=(const HeldPrinter&) = delete;
  ~HeldPrinter() { printer_.release(); }

 private:
  Printer& printer_;
};

// a x b / c in 64 bits, rounded to the nearest integer (halves away from
// zero); c must not be 0.
long long mulDivRounded(long long a, long long b, long long c);

// The size of a w x h image filling the page in one direction with its
// proportions kept: the full page height when the width that gives fits
// the page, else the full page width.
picture::Rect fillPage(int w, int h, const PrinterPage& page);

}  // namespace sys
