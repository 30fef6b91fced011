#pragma once
#include <string>

namespace ui {
class Image;
}

namespace app {

// What the film reads of the camera box when a picture enters it: the
// photo (its picture is stored, and the film sizes it), the time stamp
// that becomes the frame's caption, and the display divisor by which the
// photo is shown smaller than its picture. A selected frame goes the other
// way: its picture into the photo, its caption into the time stamp. The
// clipboard watcher keeps its work in two hidden images of the camera box.
class CameraBoxView {
 public:
  virtual ~CameraBoxView() = default;
  virtual ui::Image& photoControl() = 0;
  virtual std::string timeStampText() const = 0;
  // Both time stamp labels, the front text and its shadow.
  virtual void setTimeStampText(const std::string& text) = 0;
  // 1, or 4 after a full-screen shot.
  virtual unsigned photoDivisor() const = 0;
  // The bitmap just taken off the clipboard, and the last one the watcher
  // stored in a frame of its own.
  virtual ui::Image& clipboardImageControl() = 0;
  virtual ui::Image& stagingImageControl() = 0;
};

}  // namespace app
