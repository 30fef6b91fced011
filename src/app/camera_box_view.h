#pragma once
#include <string>

#include "picture/picture.h"
#include "ui/types.h"

namespace app {

// How the photo is sized when the film shows a picture in the camera box:
// as it is (a play step, or a loaded file the film did not keep), at the
// picture's own size (a loaded file the film kept), or as a selected frame
// (its own size, a quarter when as wide or as tall as the screen).
enum class PhotoSize { Kept, Own, Selected };

// The camera box as the other windows see it. The film shows a picture in
// it, the caption in its time stamp. The options dialog and the help window
// bring it back on the screen when they close, and the options dialog sets
// how its time stamp shows. The palette shows and hides it and keeps it
// hidden.
class CameraBoxView {
 public:
  virtual ~CameraBoxView() = default;
  virtual void showPicture(const picture::Picture& picture, const std::string& caption, PhotoSize size) = 0;
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
