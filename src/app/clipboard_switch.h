#pragma once

namespace app {

// Whether the clipboard watcher takes bitmaps off the clipboard: the
// palette's clipboard button, a toggle, is down.
class ClipboardSwitch {
 public:
  virtual ~ClipboardSwitch() = default;
  virtual bool intercepting() const = 0;
};

}  // namespace app
