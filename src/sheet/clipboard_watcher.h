#pragma once
#include <cstdint>
#include <optional>

#include "picture/picture.h"
#include "system/clipboard.h"
#include "ui/timer.h"

namespace app {
class ClipboardSwitch;
}
namespace ui {
class Application;
}  // namespace ui

namespace sheet {

class Film;

// The caption of every frame the clipboard watcher fills.
inline constexpr const char* kClipboardCaption = "From Clip";

// Fills the film from the clipboard, at each tick of its own timer while
// the palette's clipboard button is down.
class ClipboardWatcher {
 public:
  static constexpr int kInterval = 55;

  ClipboardWatcher(ui::Application& app, sys::Clipboard& clipboard, Film& film,
                   const app::ClipboardSwitch& clipboardSwitch);
  ClipboardWatcher(const ClipboardWatcher&) = delete;
  ClipboardWatcher& operator=(const ClipboardWatcher&) = delete;

  // One tick, as the timer runs it.
  void tick();
  // The bitmap taken last, and the last one stored in a frame of its own.
  const picture::Picture& lastTaken() const { return taken_; }
  const picture::Picture& lastStored() const { return staged_; }

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
  Film& film_;
  const app::ClipboardSwitch& switch_;
  picture::Picture taken_, staged_;
  std::optional<Look> lastLook_;
  // The change count when taking the bitmap last failed: that bitmap is
  // not tried again, so a failure is reported once. 0 when the count was
  // unknown: then the bitmap is tried again, but its failure not reported.
  std::optional<std::uint32_t> failedChange_;
  ui::Timer timer_;
};

}  // namespace sheet
