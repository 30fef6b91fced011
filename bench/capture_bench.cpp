// The program's own cost of one shot in the headless build: the shutter
// delay and the burst pause are sleeps of the virtual clock and cost
// nothing, so what is timed is the screen copy, the time stamp, handing
// the picture to the film (fitting, the copies, the tidy pass armed) and
// the repaints the loop does at the shot's message step. The film is full
// before the timing starts and pushes out its oldest frame at each shot, so
// every shot finds it in the same state and frees one picture as it takes
// one, as a film in use does.
// Baselines, in the same run: a memcpy of the same bytes (the screen at 32
// bits a pixel) into the same warm buffer each time, and into memory mapped
// fresh from the system and unmapped again at each iteration (every page's
// first touch paid). Goal: a 1920 x 1080 shot at most twice the copy into
// fresh memory.
#include <benchmark/benchmark.h>

#include <sys/mman.h>
#include <sys/resource.h>

#include <cstring>
#include <vector>

#include "app/settings.h"
#include "camera/camera_box.h"
#include "platform/headless/services.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

long minorFaults() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_minflt;
}

// Page faults per iteration (first touches of fresh pages), as a counter.
struct FaultCounter {
  explicit FaultCounter(benchmark::State& s) : state(s), start(minorFaults()) {}
  ~FaultCounter() {
    state.counters["faults"] =
        benchmark::Counter(static_cast<double>(minorFaults() - start), benchmark::Counter::kAvgIterations);
  }
  benchmark::State& state;
  long start;
};

// The whole program on a headless screen of the given size.
struct Program {
  Program(int width, int height) : platform(width, height) {
    platform.backend.setApplication(&app);
    for (int y = 0; y < height; ++y) {
      auto* row = platform.screen.image.mutableRow(y);
      for (int i = 0; i < width * 4; ++i) row[i] = static_cast<std::uint8_t>(i * 7 + y);
    }
    forms = shell::startUp(app, services, settings);
    app.run();
    box = forms.cameraBox;
    settings.shutterDelaySeconds = 0;
    settings.pushOutWhenFull = true;
    box->setKeepHidden(false);
    box->showForm();
    platform.backend.advance(100);
  }
  // Full-screen shots until the film, its overflow frame too, is full and
  // each further shot pushes one out.
  void fillFilm() {
    for (int i = 0; i <= 37; ++i) {
      box->shots().shootScreen(camera::ShotTiming::from(settings));
      platform.backend.advance(1);
    }
  }
  ~Program() {}
  headless::Platform platform;
  sys::Services services = platform.services();
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  shell::Forms forms;
  camera::CameraBox* box = nullptr;
};

void BM_ScreenShot(benchmark::State& state) {
  Program program(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  program.fillFilm();
  FaultCounter faults(state);
  for (auto _ : state) {
    program.box->shots().shootScreen(camera::ShotTiming::from(program.settings));
    // The tidy pass and the repaint that follow the shot in the loop.
    program.platform.backend.advance(1);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0) * state.range(1) * 4);
}
BENCHMARK(BM_ScreenShot)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// An area shot of a 640 x 480 photo on a full-HD screen.
void BM_AreaShot(benchmark::State& state) {
  Program program(1920, 1080);
  program.box->resizePhoto({640, 480});
  program.platform.backend.advance(200);
  for (int i = 0; i <= 37; ++i) {
    program.box->shots().shootArea(camera::ShotTiming::from(program.settings));
    program.platform.backend.advance(1);
  }
  FaultCounter faults(state);
  for (auto _ : state) {
    program.box->shots().shootArea(camera::ShotTiming::from(program.settings));
    program.platform.backend.advance(1);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 640 * 480 * 4);
}
BENCHMARK(BM_AreaShot)->Unit(benchmark::kMillisecond);

void BM_MemcpyOfTheScreen(benchmark::State& state) {
  std::size_t bytes = static_cast<std::size_t>(state.range(0) * state.range(1) * 4);
  std::vector<std::uint8_t> src(bytes, 7), dst(bytes);
  FaultCounter faults(state);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), bytes);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MemcpyOfTheScreen)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The same copy into memory fresh from the system each time, as a shot's
// new picture may be: mapped, every page touched first by the copy, and
// given back.
void BM_MemcpyIntoFreshMemory(benchmark::State& state) {
  std::size_t bytes = static_cast<std::size_t>(state.range(0) * state.range(1) * 4);
  std::vector<std::uint8_t> src(bytes, 7);
  FaultCounter faults(state);
  for (auto _ : state) {
    void* dst = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (dst == MAP_FAILED) {
      state.SkipWithError("mmap failed");
      break;
    }
    std::memcpy(dst, src.data(), bytes);
    benchmark::DoNotOptimize(dst);
    benchmark::ClobberMemory();
    munmap(dst, bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MemcpyIntoFreshMemory)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
