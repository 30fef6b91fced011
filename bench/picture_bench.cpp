// Reading and writing a full-HD 24-bit BMP in memory, against copying the
// same bytes with memcpy. The goal: each costs no more than three memcpys.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "picture/bmp.h"

namespace {

picture::Bitmap fullHd() {
  picture::Bitmap b = picture::Bitmap::create(1920, 1080, 24);
  for (int y = 0; y < b.height(); ++y) {
    uint8_t* r = b.mutableRow(y);
    for (int i = 0; i < b.stride(); ++i) r[i] = static_cast<uint8_t>(i * 7 + y);
  }
  return b;
}

const picture::Bitmap& sourceBitmap() {
  static const picture::Bitmap b = fullHd();
  return b;
}

const std::vector<uint8_t>& sourceFile() {
  static const std::vector<uint8_t> f = picture::writeBmp(sourceBitmap());
  return f;
}

void BM_Memcpy(benchmark::State& state) {
  const std::vector<uint8_t>& src = sourceFile();
  std::vector<uint8_t> dst(src.size());
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size());
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(src.size()));
}

void BM_ReadBmp(benchmark::State& state) {
  const std::vector<uint8_t>& src = sourceFile();
  for (auto _ : state) {
    picture::Bitmap b = picture::readBmp(src.data(), src.size());
    benchmark::DoNotOptimize(b.row(0));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(src.size()));
}

void BM_WriteBmp(benchmark::State& state) {
  const picture::Bitmap& b = sourceBitmap();
  size_t bytes = 0;
  for (auto _ : state) {
    std::vector<uint8_t> f = picture::writeBmp(b);
    bytes = f.size();
    benchmark::DoNotOptimize(f.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
