#pragma once
#include <functional>

#include "sheet/frame.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/scroll_box.h"

namespace sheet {

// The film printed as a contact sheet: the sheet's window itself, laid out
// as a grid of frames for a moment below the screen, is what goes on the page.
class ContactSheet {
 public:
  // The parts of the sheet's window it lays out; `arranged` runs once the
  // window stands as the grid or as the strip again.
  ContactSheet(ui::Form& window, ui::Panel& buttonColumn, ui::ScrollBox& filmStrip, Frames& frames,
               sys::Services& services, std::function<void()> arranged);

  // Prints the film on one page; the window goes back to its strip
  // whatever happened.
  void print();
  // The print grid shows the frames flat, marks or not.
  bool inGrid() const { return grid_; }

 private:
  // The grid: 9 columns (8 on a screen 640 pixels wide or less), no button
  // column, the window below the screen.
  void arrangeGrid();
  // The strip at the bottom of the screen, full width, scrolled to frame 1.
  void arrangeStrip();

  ui::Form& window_;
  ui::Panel& buttonColumn_;
  ui::ScrollBox& filmStrip_;
  Frames& frames_;
  sys::Services& services_;
  std::function<void()> arranged_;
  bool grid_ = false;
};

}  // namespace sheet
