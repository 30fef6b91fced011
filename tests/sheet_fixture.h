#pragma once
#include <signal.h>
#include <sys/resource.h>

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app_fixture.h"
#include "camera/camera_box.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "picture/picture.h"
#include "sheet/negative_sheet.h"
#include "shell/program.h"

// The program started on the headless platform, with helpers that put a
// picture into the camera box and lay it into the film.
class SheetTest : public AppTest {
 protected:
  SheetTest() {
    forms = shell::startUp(app, services, settings);
    sheet = forms.negativeSheet;
    box = forms.cameraBox;
  }

  // A w x h 24-bit picture whose first pixel tells it apart from others.
  static picture::Bitmap numbered(int w, int h, std::uint32_t number) {
    picture::Bitmap b = picture::Bitmap::create(w, h, 24);
    b.setPixel(0, 0, number);
    return b;
  }

  // A picture into the film as batch load lays one in, shown in the camera box.
  picture::Bitmap load(int w, int h, const std::string& stamp, std::uint32_t number = 0) {
    picture::Bitmap b = numbered(w, h, number);
    sheet->loadIntoFilm(picture::Picture(b), stamp);
    return b;
  }

  // The tidy pass runs once the loop is idle.
  void idle() { platform.backend.advance(1); }

  // Loads n pictures named "1" .. "n" (numbers 1 .. n), with a tidy pass after each.
  void fill(int n, int from = 1) {
    for (int i = from; i < from + n; ++i) {
      load(40, 30, std::to_string(i), std::uint32_t(i));
      idle();
    }
  }

  // The picture in a BMP file.
  static picture::Bitmap bmpIn(const std::filesystem::path& p) {
    auto bytes = picture::readFileBytes(p.string(), std::size_t{1} << 26);
    return picture::readBmp(bytes.data(), bytes.size());
  }

  // The number of the picture in frame index i, 0 when it has none.
  std::uint32_t pictureIn(int i) const {
    const picture::Picture& p = sheet->film().frame(i).image;
    return p.empty() ? 0 : p.bitmap().pixel(0, 0);
  }

  // The numbers of the pictures in frames from .. to, 0 for none.
  std::vector<std::uint32_t> picturesIn(int from, int to) const {
    std::vector<std::uint32_t> out;
    for (int i = from; i <= to; ++i) out.push_back(pictureIn(i));
    return out;
  }
  std::vector<std::string> captions(int from, int to) const {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i) out.push_back(sheet->film().frame(i).caption);
    return out;
  }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : platform.messages.shown) out.push_back(m.text);
    return out;
  }

  // Empties the frames, then lets the tidy pass run once.
  void clearAndTidy(std::initializer_list<int> frames) {
    for (int i : frames) sheet->film().clear(i);
    sheet->film().scheduleTidy();
    idle();
  }

  // Runs `write` with files allowed to grow to 64 KiB only, so that a
  // larger write fails part way.
  static void withSmallFileLimit(const std::function<void()>& write) {
    struct sigaction ignore {
    }, old{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    rlimit limit{}, saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit.rlim_cur = 64 * 1024;
    limit.rlim_max = saved.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
    write();
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);
  }

  ui::Rect box71() const { return {2, 2, 71, 71}; }

  sheet::NegativeSheet* sheet = nullptr;
  camera::CameraBox* box = nullptr;
};
