// Open then save as of a 4000 x 3000 24-bit BMP through the camera box's
// commands (scripted dialogs, the film taking the picture, the tidy pass
// and the repaint after it, the write through a temporary file), against
// the codec's own read and write of the same file in the same run.
// Goal: the commands cost at most 1.3 x the codec.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/settings.h"
#include "base/file.h"
#include "camera/camera_box.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "platform/headless/services.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 4000, kHeight = 3000;

// A folder of its own with the picture to open in it.
struct Files {
  Files() : dir(fs::temp_directory_path() / ("mirune-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(dir);
    picture::Bitmap b = picture::Bitmap::create(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* row = b.mutableRow(y);
      for (int i = 0; i < kWidth * 3; ++i) row[i] = static_cast<std::uint8_t>(i * 13 + y);
    }
    picture::writeFileBytes(source().string(), picture::writeBmp(b));
  }
  ~Files() { fs::remove_all(dir); }
  fs::path source() const { return dir / "large.bmp"; }
  fs::path target() const { return dir / "saved.bmp"; }
  fs::path dir;
};

struct Program {
  Program() {
    platform.backend.setApplication(&app);
    forms = shell::startUp(app, services, settings);
    app.run();
    box = forms.cameraBox;
    // A full film gives its oldest frame way: every open finds it alike.
    settings.pushOutWhenFull = true;
  }
  ~Program() {}
  headless::Platform platform;
  sys::Services services = platform.services();
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  shell::Forms forms;
  camera::CameraBox* box = nullptr;
};

void BM_OpenThenSaveAsThroughTheCommands(benchmark::State& state) {
  Files files;
  fs::path start = fs::current_path();
  Program program;
  for (auto _ : state) {
    program.platform.fileDialogs.answers = {files.source().string(), files.target().string()};
    program.box->menus().file.open.click();
    program.box->menus().file.saveAs.click();
    program.platform.backend.advance(1);
  }
  fs::current_path(start);
  if (!program.platform.messages.shown.empty()) state.SkipWithError("a command failed");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * fs::file_size(files.source())));
}
BENCHMARK(BM_OpenThenSaveAsThroughTheCommands)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CodecReadAndWrite(benchmark::State& state) {
  Files files;
  for (auto _ : state) {
    std::vector<std::uint8_t> in = picture::readFileBytes(files.source().string(), std::size_t{1} << 30);
    picture::Bitmap b = picture::readBmp(in.data(), in.size());
    std::vector<std::uint8_t> out = picture::writeBmp(b);
    base::File f = base::openFile(files.target().string(), "wb");
    std::fwrite(out.data(), 1, out.size(), f.get());
    f.reset();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * fs::file_size(files.source())));
}
BENCHMARK(BM_CodecReadAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
