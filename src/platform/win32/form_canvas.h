#pragma once
#include <windows.h>

#include <functional>

#include "picture/canvas.h"
#include "platform/win32/backdrop.h"
#include "platform/win32/handles.h"
#include "ui/form.h"
#include "ui/painter.h"

namespace win32 {

// The painting of one form's window: the form, with its backdrop under it,
// rendered into a canvas that stands for the client area on the screen.
class FormCanvas {
 public:
  // window is the form's window, which may not be made yet, and makeWindow
  // makes it; drawnByUs tells a child window that shows a part of the
  // canvas from one the system draws.
  FormCanvas(ui::Form& form, ui::Painter& painter, const Backdrop& backdrop, const UniqueWindow& window,
             std::function<void()> makeWindow, std::function<bool(HWND)> drawnByUs);

  // Paints the form's window w for WM_PAINT.
  void paint(HWND w);
  // Paints a child window's part of the form.
  void paintChild(HWND child, const ui::Control& c);
  // The client area as the screen would show it, the system's own child
  // windows included.
  picture::Canvas clientImage();
  // The window has gone: the next paint starts on a fresh canvas.
  void windowGone() noexcept { canvasArea_ = {}; }

 private:
  // Renders the part clip of the form into canvas_, which holds the part
  // of the client area on the screen (canvasArea_); false when none is.
  bool render(ui::Rect clip);
  // The system's own child windows drawn over image, each by its own
  // printing, from the bottom of the stacking order up.
  void printNativeChildren(picture::Canvas& image);

  ui::Form& form_;
  ui::Painter& painter_;
  const Backdrop& backdrop_;
  const UniqueWindow& hwnd_;
  std::function<void()> makeWindow_;
  std::function<bool(HWND)> drawnByUs_;
  picture::Canvas canvas_;
  ui::Rect canvasArea_;
};

}  // namespace win32
