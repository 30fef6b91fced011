#pragma once
#include <string>

#include "ui/types.h"

namespace ui {
class Image;
}

namespace app {

// The camera box as the other windows see it. The film reads it when a
// picture enters: the photo (its picture is stored, and the film sizes it),
// the time stamp that becomes the frame's caption, and the display divisor
// by which the photo is shown smaller than its picture. The options dialog
// and the help window bring it back on the screen when they close, and the
// options dialog sets how its time stamp shows. A selected frame goes the
// other way: its picture into the photo, its caption into the time stamp.
// The palette shows and hides it and keeps it hidden.
class CameraBoxView {
 public:
  virtual ~CameraBoxView() = default;
  virtual ui::Image& photoControl() = 0;
  virtual std::string timeStampText() const = 0;
  // Both time stamp labels, the front text and its shadow.
  virtual void setTimeStampText(const std::string& text) = 0;
  // 1, or 4 after a full-screen shot.
  virtual unsigned photoDivisor() const = 0;
  // Pictures that the film takes in from files are shown at their own size.
  virtual void setPhotoDivisor(unsigned divisor) = 0;
  // Draws the photo now, without waiting for the message loop (the film's
  // playback steps while the loop does not run).
  virtual void repaintPhoto() = 0;
  // Makes the camera box visible and brings it to the front.
  virtual void showCameraBox() = 0;
  // While set, the application's loss of activation does not bring the
  // camera box back (the palette hides it, or the program ends).
  virtual void setKeepHidden(bool keep) = 0;
  // Shows or hides both time-stamp labels, the front text and its shadow.
  virtual void setTimeStampShown(bool shown) = 0;
  virtual void setTimeStampColors(ui::Color front, ui::Color shadow) = 0;
};

}  // namespace app
