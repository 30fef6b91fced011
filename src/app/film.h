#pragma once

namespace app {

// What other windows ask of the film.
class Film {
 public:
  virtual ~Film() = default;
  // Lays the camera box's photo into the first empty frame (after a tidy
  // pass that is due) with the time stamp as its caption, and shows the photo at its picture's size over
  // the display divisor. A full film takes the picture into its hidden
  // overflow frame once, then nothing; with push-out on, the oldest frame
  // gives way. A photo without a picture (zero width or height) changes
  // nothing.
  virtual void addPhotoToFilm() = 0;
};

}  // namespace app
