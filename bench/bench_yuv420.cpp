// Converting a captured frame to the encoder's 4:2:0, per frame, at the sizes videos use.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/yuv420.h"

namespace {
void ConvertFrame(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  std::vector<uint8_t> bgra(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < bgra.size(); ++i) bgra[i] = static_cast<uint8_t>(i * 2654435761u >> 24);
  std::vector<uint8_t> yuv(lumaro::Yuv420Bytes(width, height));
  for (auto _ : state) {
    lumaro::ConvertToYuv420(bgra.data(), width, height, lumaro::VideoMatrixFor(height), yuv.data());
    benchmark::DoNotOptimize(yuv.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bgra.size()));
}
}  // namespace

BENCHMARK(ConvertFrame)->Args({800, 600})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
