// Printing the contact sheet with a full film of 1920 x 1080 pictures
// (headless): the grid laid out, the window rendered as drawn, the page
// sent to the printer and the strip put back. Against it, one repaint of
// the sheet's strip as the screen shows it. The counter "client images
// alive at most" is the peak number of client-image buffers alive at once.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "camera/camera_box.h"
#include "platform/headless/services.h"
#include "sheet/negative_sheet.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

// Allocations of exactly the grid's client image (682 x 425 pixels of 4 bytes).
constexpr std::size_t kClientImageBytes = std::size_t{682} * 425 * 4;
std::atomic<int> imagesAlive{0}, imagesPeak{0};

void* allocate(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  if (n == kClientImageBytes) {
    int now = ++imagesAlive;
    if (now > imagesPeak) imagesPeak = now;
  }
  return p;
}

void release(void* p, std::size_t n) {
  if (p && n == kClientImageBytes) --imagesAlive;
  std::free(p);
}

}  // namespace

// Sized deletes tell the size freed; the unsized ones never see an image
// buffer (std::vector frees with its size).
void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t n) noexcept { release(p, n); }
void operator delete[](void* p, std::size_t n) noexcept { release(p, n); }

namespace {

struct Program {
  headless::Platform platform{1920, 1080};
  sys::Services services = platform.services();
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  shell::Forms forms;
  sheet::NegativeSheet* sheet = nullptr;
  Program() {
    platform.files.exePath = (std::filesystem::temp_directory_path() / "mirune-bench.exe").string();
    platform.backend.setApplication(&app);
    platform.printer.keepImages = false;
    forms = shell::startUp(app, services, settings);
    sheet = forms.negativeSheet;
    camera::CameraBox* box = forms.cameraBox;
    // One full-HD picture, shared by every frame as the film shares a shot.
    picture::Bitmap shot = picture::Bitmap::create(1920, 1080, 24);
    for (int y = 0; y < 1080; y += 7)
      for (int x = 0; x < 1920; x += 5) shot.setPixel(x, y, std::uint32_t(x * 131 + y * 17) & 0xFFFFFF);
    for (int i = 0; i < sheet::kFilmFrames; ++i) {
      box->showPicture(picture::Picture(shot), "12:00:" + std::to_string(10 + i), app::PhotoSize::Kept);
      box->storePhotoInFilm();
      platform.backend.advance(1);
    }
    sheet->show();
    app.processMessages();
  }
};

void BM_PrintContactSheet(benchmark::State& state) {
  Program p;
  imagesPeak = imagesAlive.load();
  for (auto _ : state) {
    p.sheet->printContactSheet();
    p.app.processMessages();
  }
  if (static_cast<benchmark::IterationCount>(p.platform.printer.jobs.size()) != state.iterations() ||
      p.platform.printer.jobs.back().imageWidth != 682)
    state.SkipWithError("the contact sheet was not printed");
  state.counters["client images alive at most"] = imagesPeak.load();
}
BENCHMARK(BM_PrintContactSheet)->Unit(benchmark::kMillisecond);

void BM_RepaintStrip(benchmark::State& state) {
  Program p;
  for (auto _ : state) {
    // Any change repaints the whole window headless: the strip scrolls on
    // by one increment and back.
    p.sheet->scrollStrip(p.sheet->look().strip.position == 0 ? 25 : 0);
    p.app.processMessages();
  }
}
BENCHMARK(BM_RepaintStrip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
