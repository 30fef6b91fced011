#pragma once
#include <string>

namespace ui {
class Image;
}

namespace app {

// What the film reads of the camera box when a picture enters it: the
// photo (its picture is stored, and the film sizes it), the time stamp
// that becomes the frame's caption, and the display divisor by which the
// photo is shown smaller than its picture.
class CameraBoxView {
 public:
  virtual ~CameraBoxView() = default;
  virtual ui::Image& photoControl() = 0;
  virtual std::string timeStampText() const = 0;
  // 1, or 4 after a full-screen shot.
  virtual unsigned photoDivisor() const = 0;
};

}  // namespace app
