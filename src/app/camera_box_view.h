#pragma once
#include "ui/types.h"

namespace app {

// What the options dialog and the help window ask of the camera box: to
// come back on the screen when they close, and how its time stamp shows.
class CameraBoxView {
 public:
  virtual ~CameraBoxView() = default;
  // Makes the camera box visible and brings it to the front.
  virtual void showCameraBox() = 0;
  // Shows or hides both time-stamp labels, the front text and its shadow.
  virtual void setTimeStampShown(bool shown) = 0;
  virtual void setTimeStampColors(ui::Color front, ui::Color shadow) = 0;
};

}  // namespace app
