#pragma once
#include <cstdint>
#include <optional>

#include "system/clipboard.h"
#include "ui/timer.h"

namespace app {
class ClipboardSwitch;
}
namespace ui {
class Application;
class Image;
}  // namespace ui

namespace sheet {

class NegativeSheet;

// The clipboard watcher: at each tick of its own timer, while the switch
// (the palette's clipboard button) is down, a bitmap on the clipboard
// replaces the picture of the used frame with the red caption, else goes
// into the first empty frame with the caption "From Clip"; a full film
// with push-out meets it as it meets a shot. It is taken off the clipboard
// only when it has such a place. A clipboard that another program holds
// open is tried again at the next tick; a bitmap that cannot be taken is
// reported once. A tidy pass that is due runs before the bitmap's frame is
// chosen, and one is due after it went into a new frame.
//
// Two hidden images keep its work: the bitmap just taken, and the last one
// it stored in a frame of its own.
class ClipboardWatcher {
 public:
  static constexpr int kInterval = 55;

  ClipboardWatcher(ui::Application& app, sys::Clipboard& clipboard, NegativeSheet& film,
                   const app::ClipboardSwitch& clipboardSwitch, ui::Image& taken, ui::Image& staged);
  ClipboardWatcher(const ClipboardWatcher&) = delete;
  ClipboardWatcher& operator=(const ClipboardWatcher&) = delete;

  // One tick, as the timer runs it.
  void tick();

 private:
  // Whether the clipboard held a bitmap at the change count seen last.
  struct Look {
    std::uint32_t change;
    bool hasBitmap;
  };
  // Takes the bitmap off the clipboard; any failure is remembered by the
  // change count and reported in the program's words.
  std::optional<picture::Bitmap> take(std::uint32_t change);

  sys::Clipboard& clipboard_;
  NegativeSheet& film_;
  const app::ClipboardSwitch& switch_;
  ui::Image& taken_;
  ui::Image& staged_;
  std::optional<Look> lastLook_;
  // The change count when taking the bitmap last failed: that bitmap is
  // not tried again, so a failure is reported once. 0 when the count was
  // unknown: then the bitmap is tried again, but its failure not reported.
  std::optional<std::uint32_t> failedChange_;
  ui::Timer timer_;
};

}  // namespace sheet
