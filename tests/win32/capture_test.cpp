// The whole program on the real backend, shooting the real screen: live
// handle counts over many full-screen shots, and the spacing of a strobe
// burst's shots.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.h"
#include "camera/camera_box.h"
#include "platform/win32/backend.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"
#include "shell/palette.h"
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
  picture::Bitmap copyWithoutSettling(picture::Rect r) override {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    picture::Bitmap b = screen.copyWithoutSettling(r);
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
  app::Settings settings;
  std::unique_ptr<ui::Application> app = std::make_unique<ui::Application>(backend, boxes, screen);
  camera::CameraBox* box = nullptr;

  Program() {
    backend.setApplication(app.get());
    shell::Forms forms = shell::startUp(*app, services, settings);
    box = forms.cameraBox;
    app->processMessages();
    settings.shutterDelaySeconds = 0;
    settings.pushOutWhenFull = true;
    forms.palette->showForm();
    box->setKeepHidden(false);
    box->showForm();
    settle();
  }
  ~Program() {
    backend.setApplication(nullptr);
    app.reset();
  }
  void settle(int ms = 200) {
    for (int t = 0; t < ms; t += 20) {
      backend.dispatchPending();
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
    program.box->showPicture(picture::Picture(picture::Bitmap::create(64, 48, 24)), program.box->timeStamp(),
                             app::PhotoSize::Kept);
    for (int i = 0; i < prefill; ++i) program.box->storePhotoInFilm();
    program.backend.dispatchPending();
  }
  int gdiSettled = 0, userSettled = 0;
  for (int shot = 1; shot <= shots; ++shot) {
    program.app->dispatch(
        [&] { program.box->shots().shootScreen(camera::ShotTiming::from(program.settings)); });
    program.backend.dispatchPending();
    if (shot == settled) {
      gdiSettled = win32::liveGdiHandles();
      userSettled = win32::liveUserHandles();
    }
  }
  std::string after = std::to_string(shots) + " shots as after " + std::to_string(settled);
  EXPECT_EQ(program.boxes.shown.size(), std::size_t(0)) << "no error box";
  EXPECT_EQ(int(program.screen.copiedAt.size()), shots) << std::to_string(shots) + " copies of the screen";
  EXPECT_EQ(program.box->photoPicture().width(), program.screen.width())
      << "the last shot is the screen's width";
  EXPECT_EQ(program.box->photoBounds().width, program.screen.width() / 4) << "shown at a quarter";
  EXPECT_EQ(win32::liveGdiHandles(), gdiSettled) << "live GDI handles after " + after;
  EXPECT_EQ(win32::liveUserHandles(), userSettled) << "live USER handles after " + after;
  std::printf("live handles after %d and %d shots: GDI %d, %d; USER %d, %d\n", settled, shots, gdiSettled,
              win32::liveGdiHandles(), userSettled, win32::liveUserHandles());
}

// The film is nearly full, so the shots push out its oldest frames.
TEST(Capture, ShotsWithPushOutLeakNoHandles) { shotsLeakNoHandles(12, 4, 34); }

// 200 shots from an empty film (run-wine-tests.sh handles, the ctest test wine_handles).
TEST(LongCapture, FullScreenShotsLeakNoHandles) { shotsLeakNoHandles(200, 40, 0); }

TEST(Capture, StrobeBurstSpacing) {
  Program program;
  program.settings.strobeCount = 10;
  program.settings.strobeIntervalTenths = 1;
  program.app->dispatch(
      [&] { program.box->shots().shootScreenBurst(camera::ShotTiming::from(program.settings)); });
  const auto& at = program.screen.copiedAt;
  EXPECT_EQ(int(at.size()), 10) << "ten copies";
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
  EXPECT_TRUE(spaced) << "the shots are at least the strobe interval apart";
  double copyMs =
      at.empty() ? 0.0
                 : double(program.screen.copyTicks) * 1000.0 / double(frequency.QuadPart) / double(at.size());
  std::printf(
      "burst of 10 at %d x %d, interval 100 ms: spacing exceeds it by %.1f ms on average, %.1f ms at most;"
      " one screen copy takes %.1f ms of it\n",
      program.screen.width(), program.screen.height(), at.size() > 1 ? total / double(at.size() - 1) : 0.0,
      worst, copyMs);
}

namespace {

// The screen copied the plainest way a program can: BitBlt into a bitmap
// compatible with the screen, GetDIBits into memory of its own.
std::vector<std::uint8_t> bareCopy(int width, int height) {
  std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
  win32::WindowDc screen(nullptr);
  win32::UniqueMemoryDc mem(CreateCompatibleDC(screen.get()));
  win32::UniqueGdi<HBITMAP> shot(CreateCompatibleBitmap(screen.get(), width, height));
  {
    win32::Selection sel(mem.get(), shot.get());
    BitBlt(mem.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(screen.get(), shot.get(), 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
  return pixels;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

}  // namespace

// One copy of the whole screen by the program against the bare copy above,
// alternating, 15 of each in the same run: the same pixels (the fourth
// byte cleared), and the times printed as medians and their ratio.
TEST(Capture, ScreenCopyAgainstABareCopy) {
  win32::Screen screen;
  const int w = screen.width(), h = screen.height();
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  auto msSince = [&frequency](const LARGE_INTEGER& t0) {
    LARGE_INTEGER t1;
    QueryPerformanceCounter(&t1);
    return double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(frequency.QuadPart);
  };
  std::vector<double> ours, bare;
  bool same = true;
  for (int i = 0; i < 15; ++i) {
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    std::vector<std::uint8_t> plain = bareCopy(w, h);
    bare.push_back(msSince(t0));
    QueryPerformanceCounter(&t0);
    picture::Bitmap b = screen.copyWithoutSettling({0, 0, w, h});
    ours.push_back(msSince(t0));
    for (std::size_t p = 3; p < plain.size(); p += 4) plain[p] = 0;
    same = same && b.width() == w && b.height() == h && b.byteCount() == plain.size() &&
           std::memcmp(b.row(0), plain.data(), plain.size()) == 0;
  }
  EXPECT_TRUE(same) << "the program's copy holds the bare copy's pixels";
  double m = median(ours), mb = median(bare);
  std::printf(
      "screen copy at %d x %d, medians of 15: ours %.1f ms, bare BitBlt + GetDIBits %.1f ms, ratio %.2f\n", w,
      h, m, mb, mb > 0 ? m / mb : 0.0);
}
