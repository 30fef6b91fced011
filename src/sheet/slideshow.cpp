// Playback of the film in the camera box: one frame per press, or a run
// of steps at the strobe interval that plays a burst back as a short movie.
#include <cstdint>

#include "app/camera_box_view.h"
#include "app/settings.h"
#include "app/windows.h"
#include "sheet/negative_sheet.h"

namespace sheet {

void NegativeSheet::showNextFrame() {
  // Only the steps and delete all move the position, so it stays in 1..36.
  if (playPosition < 1 || playPosition > kFilmFrames) playPosition = 1;
  const Frame& f = frames[playPosition - 1];
  if (!f.used()) {
    // Past the end of the film: the next step starts over.
    playPosition = 1;
    return;
  }
  if (app::CameraBoxView* cameraBox = app::windows.cameraBoxView) {
    // The photo keeps its size and shows the picture stretched into it.
    cameraBox->photoControl().setPicture(f.thumbnail.picture());
    cameraBox->setTimeStampText(f.caption.caption());
  }
  playPosition = playPosition == kFilmFrames ? 1 : static_cast<std::uint8_t>(playPosition + 1);
}

// The steps are counted in 8 bits: a strobe count of 255 makes no step.
// The loop does not run meanwhile: each step's picture is drawn at once.
void NegativeSheet::autoPlay() {
  const auto steps = static_cast<std::uint8_t>(app::settings.strobeCount + 1);
  for (int i = 0; i < steps; ++i) {
    showNextFrame();
    if (app::CameraBoxView* cameraBox = app::windows.cameraBoxView) cameraBox->repaintPhoto();
    services_.clock.sleep(app::settings.strobeIntervalTenths * 100);
  }
}

}  // namespace sheet
