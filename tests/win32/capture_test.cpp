// The whole program on the real backend, shooting the real screen: live
// handle counts over many full-screen shots, and the spacing of a strobe
// burst's shots.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/film.h"
#include "app/settings.h"
#include "app/windows.h"
#include "camera/camera_box.h"
#include "harness.h"
#include "platform/win32/backend.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

class RecordingBoxes : public sys::MessageBoxes {
 public:
  sys::MsgResult show(const std::string& text, const std::string&, sys::MsgIcon, sys::MsgButtons) override {
    shown.push_back(text);
    return sys::MsgResult::OK;
  }
  std::vector<std::string> shown;
};

// The real screen, noting when each copy was taken.
class TimedScreen : public sys::Screen {
 public:
  int width() override { return screen.width(); }
  int height() override { return screen.height(); }
  picture::Bitmap copy(picture::Rect r) override {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    picture::Bitmap b = screen.copy(r);
    QueryPerformanceCounter(&after);
    copiedAt.push_back(before.QuadPart);
    copyTicks += after.QuadPart - before.QuadPart;
    return b;
  }
  win32::Screen screen;
  std::vector<long long> copiedAt;
  long long copyTicks = 0;  // time spent in the copies
};

// The program as main.cpp makes it, but with message boxes that answer at
// once and a temporary folder for its settings.
struct Program {
  win32::Backend backend{GetModuleHandleW(nullptr)};
  RecordingBoxes boxes;
  TimedScreen screen;
  win32::Clipboard clipboard{[this] { return backend.applicationWindow(); }};
  win32::Registry registry;
  win32::Profile profile;
  win32::Clock clock;
  win32::Files files;
  win32::FileDialogs fileDialogs{nullptr};
  win32::Printer printer{[this] { return backend.applicationWindow(); }};
  win32::PngCodec png;
  win32::Shell shell{nullptr};
  sys::Services services{screen, clipboard,   registry, profile, boxes, clock,
                         files,  fileDialogs, printer,  shell,   png};
  std::unique_ptr<ui::Application> app = std::make_unique<ui::Application>(backend, boxes, screen);
  camera::CameraBox* box = nullptr;

  Program() {
    backend.setApplication(app.get());
    box = shell::startUp(*app, services).cameraBox;
    app->processMessages();
    app::settings.shutterDelaySeconds = 0;
    app::settings.pushOutWhenFull = true;
    app::windows.paletteForm->showForm();
    box->keepHidden = false;
    box->showForm();
    settle();
  }
  ~Program() {
    app::windows = {};
    app::settings = {};
    backend.setApplication(nullptr);
    app.reset();
  }
  void settle(int ms = 200) {
    for (int t = 0; t < ms; t += 20) {
      backend.processMessages();
      Sleep(20);
    }
  }
};

}  // namespace

// Full-screen shots with push-out on; the live handle counts after all of
// them must be those after `settled` shots. With `prefill`, the film starts
// that full (pictures laid in without shots), so push-out begins early.
void shotsLeakNoHandles(int shots, int settled, int prefill) {
  Program program;
  if (prefill > 0) {
    program.box->photo.setPicture(picture::Picture(picture::Bitmap::create(64, 48, 24)));
    for (int i = 0; i < prefill; ++i) app::windows.film->addPhotoToFilm();
    program.backend.processMessages();
  }
  int gdiSettled = 0, userSettled = 0;
  for (int shot = 1; shot <= shots; ++shot) {
    program.app->dispatch([&] { program.box->shootScreen(); });
    program.backend.processMessages();
    if (shot == settled) {
      gdiSettled = win32::liveGdiHandles();
      userSettled = win32::liveUserHandles();
    }
  }
  std::string after = std::to_string(shots) + " shots as after " + std::to_string(settled);
  check::equal(program.boxes.shown.size(), std::size_t(0), "no error box");
  check::equal(int(program.screen.copiedAt.size()), shots, std::to_string(shots) + " copies of the screen");
  check::equal(program.box->photo.picture().width(), program.screen.width(),
               "the last shot is the screen's width");
  check::equal(program.box->photo.width(), program.screen.width() / 4, "shown at a quarter");
  check::equal(win32::liveGdiHandles(), gdiSettled, "live GDI handles after " + after);
  check::equal(win32::liveUserHandles(), userSettled, "live USER handles after " + after);
  std::printf("live handles after %d and %d shots: GDI %d, %d; USER %d, %d\n", settled, shots, gdiSettled,
              win32::liveGdiHandles(), userSettled, win32::liveUserHandles());
}

// The film is nearly full, so the shots push out its oldest frames.
WIN_TEST(capture_shots_with_push_out_leak_no_handles) { shotsLeakNoHandles(12, 4, 34); }

// 200 shots from an empty film (run-wine-tests.sh handles, the ctest test wine_handles).
WIN_TEST(long_capture_full_screen_shots_leak_no_handles) { shotsLeakNoHandles(200, 40, 0); }

WIN_TEST(capture_strobe_burst_spacing) {
  Program program;
  app::settings.strobeCount = 10;
  app::settings.strobeIntervalTenths = 1;
  program.app->dispatch([&] { program.box->shootScreenBurst(); });
  const auto& at = program.screen.copiedAt;
  check::equal(int(at.size()), 10, "ten copies");
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  double worst = 0, total = 0;
  bool spaced = true;
  for (std::size_t i = 1; i < at.size(); ++i) {
    double ms = double(at[i] - at[i - 1]) * 1000.0 / double(frequency.QuadPart);
    spaced = spaced && ms >= 99.0;  // Sleep may wake a little early on a coarse clock
    worst = std::max(worst, ms - 100.0);
    total += ms - 100.0;
  }
  check::truth(spaced, "the shots are at least the strobe interval apart");
  double copyMs =
      at.empty() ? 0.0
                 : double(program.screen.copyTicks) * 1000.0 / double(frequency.QuadPart) / double(at.size());
  std::printf(
      "burst of 10 at %d x %d, interval 100 ms: spacing exceeds it by %.1f ms on average, %.1f ms at most;"
      " one screen copy takes %.1f ms of it\n",
      program.screen.width(), program.screen.height(), at.size() > 1 ? total / double(at.size() - 1) : 0.0,
      worst, copyMs);
}
