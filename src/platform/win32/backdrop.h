#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "picture/bitmap.h"
#include "picture/canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"
#include "ui/form.h"

namespace win32 {

// The surface of a see-through form: a copy of what lay beneath its window.
// It is taken with the window off the screen, after the windows beneath have
// repainted.
class Backdrop {
 public:
  // window is the form's window, which may not be made yet.
  Backdrop(const ui::Form& form, const UniqueWindow& window);

  // True when there is a copy to draw under the controls.
  bool shows() const;
  // Draws the copy on canvas, whose top left corner is at (left, top) of
  // the client area.
  void draw(picture::Canvas& canvas, int left, int top) const;
  // The window is about to show: what it will cover is on the screen now.
  void takeBeforeShow();
  // The window moved or changed size: it shows what lies beneath its new
  // place.
  void windowMoved();
  // Takes a new copy and repaints the window with it.
  void refresh();
  // Another window of ours was shown, hidden, moved or sized: true when
  // the copy showed it, or it lies beneath now; the copy is then stale.
  bool windowChanged(HWND other);
  // Takes the copy again if it is stale and the window is on the screen.
  void refreshIfStale();

 private:
  void copy();

  const ui::Form& form_;
  const UniqueWindow& window_;
  picture::Bitmap picture_;
  ui::Rect area_;  // the part of the client area the copy covers
  // The windows of ours the copy shows, and whether one of them has gone
  // or moved since.
  std::vector<HWND> pictured_;
  bool stale_ = false;
  std::optional<Screen> screen_;
  bool refreshing_ = false;
};

// The part of w's client area on the screen: all that is ever painted or
// copied of a window that may be far larger than the screen.
ui::Rect onScreenPart(HWND w);

}  // namespace win32
