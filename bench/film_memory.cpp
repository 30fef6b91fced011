// Memory of a full film: 36 frames and the overflow frame, each holding a
// distinct 1920 x 1080 24-bit picture loaded through the camera box, as
// shots enter the film. A picture in the film and the same picture in the
// camera box share their pixels, and a thumbnail is the full picture drawn
// scaled at paint time, so the film should cost little more than the
// pictures' own bytes.
//
// Prints the peak resident memory (VmHWM) after start-up (the baseline)
// and after the film is full, the growth against the pictures' bytes, and
// whether the growth is within 1.15 times those bytes. Exit code 1 when not.
// Run by scripts/bench.sh with the timed benchmarks; takes no arguments.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "camera/camera_box.h"
#include "picture/picture.h"
#include "platform/headless/services.h"
#include "sheet/negative_sheet.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

// A field of /proc/self/status, in bytes.
long long statusBytes(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  size_t n = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
      return std::stoll(line.substr(n + 1)) * 1024;
  return -1;
}

picture::Bitmap distinctPicture(int number) {
  picture::Bitmap b = picture::Bitmap::create(1920, 1080, 24);
  for (int y = 0; y < b.height(); ++y) {
    std::uint8_t* row = b.mutableRow(y);
    for (int x = 0; x < b.stride(); ++x) row[x] = static_cast<std::uint8_t>(x * 3 + y * 5 + number * 7);
  }
  return b;
}

}  // namespace

int main() {
  constexpr int kPictures = sheet::kFilmFrames + 1;
  constexpr long long kPictureBytes = 1920LL * 3 * 1080;  // 6 220 800

  headless::Platform platform(1920, 1080);
  app::Settings settings;
  ui::Application app(platform.backend, platform.messages, platform.screen);
  platform.backend.setApplication(&app);
  sys::Services services = platform.services();
  shell::Forms forms = shell::startUp(app, services, settings);
  app.processMessages();
  sheet::NegativeSheet& sheet = *forms.negativeSheet;
  camera::CameraBox& box = *forms.cameraBox;
  sheet.showForm();
  box.showForm();
  platform.backend.advance(1);  // the first tidy pass, and the first paints
  long long baseline = statusBytes("VmHWM");

  for (int i = 0; i < kPictures; ++i) {
    box.showPicture(picture::Picture(distinctPicture(i)), std::to_string(i + 1), app::PhotoSize::Kept);
    box.storePhotoInFilm();
    platform.backend.advance(1);  // tidy pass and repaint, thumbnails drawn
  }
  long long peak = statusBytes("VmHWM");

  int stored = 0;
  for (int i = 0; i <= sheet::Film::kOverflow; ++i)
    stored += sheet.film().used(i) && sheet.film().frame(i).image.width() == 1920;
  bool shared =
      box.photoPicture().bitmap().sharesPixelsWith(sheet.film().frame(sheet::Film::kOverflow).image.bitmap());

  long long pictures = kPictures * kPictureBytes;
  long long growth = peak - baseline;
  double ratio = static_cast<double>(growth) / static_cast<double>(pictures);
  bool ok = stored == kPictures && shared && growth <= pictures * 115 / 100;
  std::printf("frames holding a 1920 x 1080 picture: %d of %d\n", stored, kPictures);
  std::printf("camera box photo shares the last frame's pixels: %s\n", shared ? "yes" : "no");
  std::printf("pictures' own bytes:        %12lld (%d x %lld)\n", pictures, kPictures, kPictureBytes);
  std::printf("peak resident, baseline:    %12lld\n", baseline);
  std::printf("peak resident, full film:   %12lld\n", peak);
  std::printf("growth:                     %12lld = %.4f x the pictures' bytes (goal <= 1.15)\n", growth,
              ratio);
  std::printf("%s\n", ok ? "within the goal" : "NOT within the goal");
  return ok ? 0 : 1;
}
