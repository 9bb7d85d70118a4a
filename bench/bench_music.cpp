// Decoding the whole module to 48 kHz stereo: CPU seconds per second of music.
#include <benchmark/benchmark.h>
#include <libopenmpt/libopenmpt.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
void DecodeWholeModule(benchmark::State& state) {
  std::ifstream in(LUMARO_SONG, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<float> buffer(4096 * 2);
  double musicSeconds = 0, cpuSeconds = 0;
  for (auto _ : state) {
    openmpt_module* m = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr, nullptr,
                                                           nullptr, nullptr, nullptr, nullptr);
    if (!m) {
      state.SkipWithError("module does not load");
      return;
    }
    const std::clock_t start = std::clock();
    size_t frames = 0, got;
    while ((got = openmpt_module_read_interleaved_float_stereo(m, 48000, 4096, buffer.data())) > 0) frames += got;
    cpuSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    musicSeconds += frames / 48000.0;
    openmpt_module_destroy(m);
  }
  state.counters["cpu_s_per_music_s"] = cpuSeconds / musicSeconds;
  state.counters["music_s"] = musicSeconds / state.iterations();
}
}  // namespace

BENCHMARK(DecodeWholeModule)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK_MAIN();
