// The camera box's layout tick. It runs every 55 ms, and every millisecond
// after an edge-handle drag, for the whole run: a tick that finds the
// window fitted must cost next to nothing and repaint nothing. Against it,
// a tick that has work to do (the photo zoomed back and forth).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "camera/camera_box.h"
#include "platform/headless/services.h"
#include "ui/application.h"

namespace {

struct Box {
  headless::Platform platform;
  sys::Services services = platform.services();
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  camera::CameraBox* box;
  Box() {
    platform.files.exePath = (std::filesystem::temp_directory_path() / "mirune-bench.exe").string();
    platform.backend.setApplication(&app);
    box = app.createForm<camera::CameraBox>(services, settings, *app.createSideForm<ui::Form>("palette"));
    box->show();
    box->fitAroundPhoto();
    box->fitAroundPhoto();
    app.processMessages();
  }
};

void BM_IdleLayoutTick(benchmark::State& state) {
  Box b;
  int paints = b.platform.backend.paintCount(*b.box);
  int refreshes = b.platform.backend.backdropRefreshes(*b.box);
  for (auto _ : state) {
    b.box->fitAroundPhoto();
    b.app.processMessages();
  }
  state.counters["repaints"] = b.platform.backend.paintCount(*b.box) - paints;
  state.counters["backdrop refreshes"] = b.platform.backend.backdropRefreshes(*b.box) - refreshes;
}
BENCHMARK(BM_IdleLayoutTick);

void BM_LayoutTicksAfterAZoom(benchmark::State& state) {
  Box b;
  bool big = false;
  for (auto _ : state) {
    b.box->zoomTo((big = !big) ? 200 : 100);
    b.box->fitAroundPhoto();
    b.box->fitAroundPhoto();
    b.app.processMessages();
  }
}
BENCHMARK(BM_LayoutTicksAfterAZoom);

}  // namespace

BENCHMARK_MAIN();
