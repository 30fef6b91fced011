#include "sheet/slideshow.h"

#include <cstdint>
#include <optional>

namespace sheet {

Slideshow::Slideshow(Film& film, app::CameraBoxView& cameraBox, sys::Clock& clock,
                     const app::Settings& settings)
    : film_(film), cameraBox_(cameraBox), clock_(clock), settings_(settings) {}

void Slideshow::showNextFrame() {
  std::optional<int> shown = film_.playStep();
  if (!shown) return;
  // The photo keeps its size and shows the picture stretched into it.
  const FrameContent& f = film_.frame(*shown);
  cameraBox_.showPicture(f.image, f.caption, app::PhotoSize::Kept);
}

// The steps are counted in 8 bits: a strobe count of 255 makes no step.
// The loop does not run meanwhile: each step's picture is drawn at once.
void Slideshow::autoPlay() {
  const auto steps = static_cast<std::uint8_t>(settings_.strobeCount + 1);
  for (int i = 0; i < steps; ++i) {
    showNextFrame();
    cameraBox_.repaintPhoto();
    clock_.sleep(settings_.strobeIntervalTenths * 100);
  }
}

}  // namespace sheet
