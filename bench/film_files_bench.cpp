// Batch save and batch load of a full film of 36 full-HD pictures
// (headless), against the bitmap codec's own write and read of the same 36
// files in the same run: encoding each picture and writing it with a plain
// file write, and reading each file and decoding it. Goal: each command
// costs at most 1.3 times its baseline. The commands pay, beyond the codec,
// the write through a temporary file renamed over the target, the film's
// bookkeeping, and on loading the camera box and the fitting of each frame.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings.h"
#include "base/file.h"
#include "camera/camera_box.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "platform/headless/services.h"
#include "sheet/negative_sheet.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

picture::Bitmap fullHd(int seed) {
  picture::Bitmap b = picture::Bitmap::create(kWidth, kHeight, 24);
  for (int y = 0; y < b.height(); ++y) {
    std::uint8_t* r = b.mutableRow(y);
    for (int i = 0; i < b.stride(); ++i) r[i] = static_cast<std::uint8_t>(i * 7 + y + seed * 13);
  }
  return b;
}

// The program with a full film of distinct pictures, and a folder for the
// series.
struct Program {
  Program() {
    folder = std::filesystem::temp_directory_path() / ("mirune-film-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    platform.files.exePath = (folder / "mirune.exe").string();
    platform.files.tempDir = folder.string() + "/";
    platform.backend.setApplication(&app);
    forms = shell::startUp(app, services, settings);
    app.run();
    sheet = forms.negativeSheet;
    for (int k = 0; k < sheet::kFilmFrames; ++k) {
      pictures.push_back(fullHd(k));
      forms.cameraBox->showPicture(picture::Picture(pictures.back()), std::to_string(k),
                                   app::PhotoSize::Kept);
      forms.cameraBox->storePhotoInFilm();
      platform.backend.advance(1);
    }
    // The series on disk for the loads, its pages written back before any
    // timing starts.
    saveFilm();
    ::sync();
  }
  ~Program() {
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);
  }
  std::string fileOf(int k) const {
    // Room for any int, so that no build's checks see a cut name.
    char name[32];
    std::snprintf(name, sizeof name, "abcdef%02d.bmp", k + 1);
    return (folder / name).string();
  }
  void saveFilm() {
    platform.fileDialogs.answers = {(folder / "abcdef").string()};
    sheet->saveFilm();
  }

  std::filesystem::path folder;
  headless::Platform platform{kWidth, kHeight};
  sys::Services services = platform.services();
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  shell::Forms forms;
  sheet::NegativeSheet* sheet = nullptr;
  std::vector<picture::Bitmap> pictures;
};

Program& program() {
  static Program p;
  return p;
}

std::int64_t seriesBytes(const Program& p) {
  std::int64_t bytes = 0;
  for (int k = 0; k < sheet::kFilmFrames; ++k) bytes += std::filesystem::file_size(p.fileOf(k));
  return bytes;
}

void BM_BatchSave(benchmark::State& state) {
  Program& p = program();
  for (auto _ : state) p.saveFilm();
  state.SetBytesProcessed(state.iterations() * seriesBytes(p));
}

void BM_CodecWriteOfTheSameFiles(benchmark::State& state) {
  Program& p = program();
  for (auto _ : state) {
    for (int k = 0; k < sheet::kFilmFrames; ++k) {
      std::vector<std::uint8_t> bytes = picture::writeBmp(p.pictures[k]);
      base::File f = base::openFile(p.fileOf(k), "wb");
      if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        state.SkipWithError("write");
    }
  }
  state.SetBytesProcessed(state.iterations() * seriesBytes(p));
}

void BM_BatchLoad(benchmark::State& state) {
  Program& p = program();
  for (auto _ : state) {
    state.PauseTiming();
    p.sheet->deleteAllFrames();
    p.platform.backend.advance(1);
    p.platform.fileDialogs.answers = {p.fileOf(0)};
    state.ResumeTiming();
    p.sheet->loadFilm();
    if (!p.sheet->film().used(sheet::Film::kFrames - 1)) state.SkipWithError("the film was not filled");
  }
  state.SetBytesProcessed(state.iterations() * seriesBytes(p));
}

void BM_CodecReadOfTheSameFiles(benchmark::State& state) {
  Program& p = program();
  std::vector<picture::Bitmap> read(sheet::kFilmFrames);
  for (auto _ : state) {
    // The pictures read last time go first, as the film's do before a load.
    state.PauseTiming();
    read.assign(sheet::kFilmFrames, picture::Bitmap());
    state.ResumeTiming();
    for (int k = 0; k < sheet::kFilmFrames; ++k) {
      std::vector<std::uint8_t> bytes = picture::readFileBytes(p.fileOf(k), picture::Picture::kMaxFileBytes);
      read[k] = picture::readBmp(bytes.data(), bytes.size());
    }
    benchmark::DoNotOptimize(read.data());
  }
  state.SetBytesProcessed(state.iterations() * seriesBytes(p));
}

// Each baseline next to its command, so both meet the same page cache.
// The loads come first, so the saves' write-back does not fall into them.
BENCHMARK(BM_CodecReadOfTheSameFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BatchLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CodecWriteOfTheSameFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BatchSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
