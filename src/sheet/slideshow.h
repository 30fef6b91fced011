#pragma once
#include "app/camera_box_view.h"
#include "app/settings.h"
#include "sheet/film.h"
#include "system/clock.h"

namespace sheet {

// Playback of the film in the camera box: one frame per press, or a run
// of steps at the strobe interval that plays a burst back as a short movie.
class Slideshow {
 public:
  Slideshow(Film& film, app::CameraBoxView& cameraBox, sys::Clock& clock, const app::Settings& settings);

  // Shows the frame at the play position and moves the position on.
  void showNextFrame();
  // The strobe count + 1 steps, each drawn at once and followed by the
  // strobe interval's pause.
  void autoPlay();

 private:
  Film& film_;
  app::CameraBoxView& cameraBox_;
  sys::Clock& clock_;
  const app::Settings& settings_;
};

}  // namespace sheet
