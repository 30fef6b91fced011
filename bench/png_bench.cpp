// Saving a full-HD screenshot as PNG and reading it back through the
// headless codec (libpng), file included, beside the same picture as BMP.
// The bounds are ratios against ImageMagick's `convert`, which a benchmark
// cannot time well (another program, its start-up included):
// scripts/png-vs-imagemagick.sh runs these benchmarks and ImageMagick in
// the same session and prints the ratios.
//   png_bench [benchmark flags]
//   png_bench --sample DIR   writes DIR/screen.bmp (the picture, 24-bit)
//                            and DIR/ours.png, and ends
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "picture/bmp.h"
#include "picture/file_io.h"
#include "platform/headless/services.h"

namespace {

// A desktop as screens are: a gradient background, windows with title bars
// and flat faces, lines of small dark marks for text, and a photo-like area.
picture::Bitmap screenshot() {
  const int w = 1920, h = 1080;
  picture::Bitmap b = picture::Bitmap::create(w, h, 32);
  std::uint32_t seed = 2024;
  auto rnd = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, (0x20 + y * 0x60 / h) << 8 | (0x40 + x * 0x80 / w));
  struct Win {
    int x, y, w, h;
  } wins[] = {{80, 60, 900, 640}, {700, 200, 1000, 700}, {1300, 80, 560, 400}};
  for (const Win& win : wins) {
    for (int y = win.y; y < win.y + win.h; ++y)
      for (int x = win.x; x < win.x + win.w; ++x)
        b.setPixel(x, y,
                   y < win.y + 30                           ? 0x1F4E9A
                   : (x == win.x || y == win.y + win.h - 1) ? 0x808080
                                                            : 0xF3F3F3);
    // Text: rows of marks 1-3 pixels wide, 10 high, in lines 18 apart.
    for (int line = win.y + 44; line + 10 < win.y + win.h - 10; line += 18) {
      int x = win.x + 12;
      while (x < win.x + win.w - 40) {
        int word = 3 + static_cast<int>(rnd() % 9);
        for (int c = 0; c < word && x < win.x + win.w - 20; ++c, x += 7)
          for (int y = line; y < line + 10; ++y)
            for (int dx = 0; dx < 1 + static_cast<int>(rnd() % 3); ++dx)
              if (rnd() % 3) b.setPixel(x + dx, y, 0x202020 + 0x101010 * (rnd() % 4));
        x += 7;
      }
    }
  }
  // A photo in the last window: smooth colour with a little noise.
  for (int y = 520; y < 860; ++y)
    for (int x = 1340; x < 1820; ++x) {
      unsigned n = rnd() % 9;
      b.setPixel(x, y, ((x / 3 + n) & 0xFF) << 16 | ((y / 2 + n) & 0xFF) << 8 | ((x + y) / 6 & 0xFF));
    }
  return b;
}

const picture::Bitmap& shot() {
  static const picture::Bitmap b = screenshot();
  return b;
}

std::string tempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_SavePng(benchmark::State& state) {
  headless::PngCodec codec;
  const std::string path = tempPath("mirune-png-bench.png");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::uint8_t> f = codec.encode(shot());
    picture::writeFileBytes(path, f);
    bytes = f.size();
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  std::filesystem::remove(path);
}

void BM_ReadPng(benchmark::State& state) {
  headless::PngCodec codec;
  const std::string path = tempPath("mirune-png-bench-read.png");
  picture::writeFileBytes(path, codec.encode(shot()));
  for (auto _ : state) {
    picture::Bitmap b = codec.decode(picture::readFileBytes(path, std::size_t{1} << 28));
    benchmark::DoNotOptimize(b.row(0));
  }
  std::filesystem::remove(path);
}

// For scale: the same picture as the BMP it is saved as otherwise.
void BM_SaveBmp(benchmark::State& state) {
  const std::string path = tempPath("mirune-png-bench.bmp");
  for (auto _ : state) picture::writeFileBytes(path, picture::writeBmp(shot()));
  std::filesystem::remove(path);
}

BENCHMARK(BM_SavePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--sample") == 0) {
    std::filesystem::path dir = argv[2];
    picture::Bitmap b24 = picture::Bitmap::create(shot().width(), shot().height(), 24);
    for (int y = 0; y < b24.height(); ++y)
      for (int x = 0; x < b24.width(); ++x) b24.setPixel(x, y, shot().pixel(x, y));
    picture::writeFileBytes((dir / "screen.bmp").string(), picture::writeBmp(b24));
    headless::PngCodec codec;
    picture::writeFileBytes((dir / "ours.png").string(), codec.encode(shot()));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
