// Playback of the film in the camera box: one frame per press, or a run
// of steps at the strobe interval that plays a burst back as a short movie.
#include <cstdint>
#include <optional>

#include "sheet/negative_sheet.h"

namespace sheet {

void NegativeSheet::showNextFrame() {
  std::optional<int> shown = film_.playStep();
  if (!shown) return;
  // The photo keeps its size and shows the picture stretched into it.
  const FrameContent& f = film_.frame(*shown);
  cameraBox_.showPicture(f.image, f.caption, app::PhotoSize::Kept);
}

// The steps are counted in 8 bits: a strobe count of 255 makes no step.
// The loop does not run meanwhile: each step's picture is drawn at once.
void NegativeSheet::autoPlay() {
  const auto steps = static_cast<std::uint8_t>(settings_.strobeCount + 1);
  for (int i = 0; i < steps; ++i) {
    showNextFrame();
    cameraBox_.repaintPhoto();
    services_.clock.sleep(settings_.strobeIntervalTenths * 100);
  }
}

}  // namespace sheet
