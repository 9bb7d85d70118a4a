// Decoding the whole module to 48 kHz stereo: CPU seconds per second of music; and the time a
// live cue at 300 s takes on the show's thread, decoded from the start or made ready ahead.
#include <benchmark/benchmark.h>
#include <libopenmpt/libopenmpt.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "audio/sound_library.h"

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

constexpr double kLateCue = 300.0;  // seconds: a late "-start" or scene

void CueFromTheStart(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    lumaro::SoundModule* module = nullptr;
    if (!lumaro::SoundLoadModule(LUMARO_SONG, &module).ok()) state.SkipWithError("the module does not load");
    state.ResumeTiming();
    benchmark::DoNotOptimize(lumaro::SoundCueModule(module, kLateCue).ok());
    state.PauseTiming();
    benchmark::DoNotOptimize(lumaro::SoundFreeModule(module).ok());
    state.ResumeTiming();
  }
}

void CueMadeReadyAhead(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    lumaro::SoundModule* module = nullptr;
    if (!lumaro::SoundLoadModule(LUMARO_SONG, &module).ok()) state.SkipWithError("the module does not load");
    benchmark::DoNotOptimize(lumaro::SoundPrepareCues(module, &kLateCue, 1).ok());
    while (!lumaro::SoundCueReady(module, kLateCue)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    state.ResumeTiming();
    benchmark::DoNotOptimize(lumaro::SoundCueModule(module, kLateCue).ok());
    state.PauseTiming();
    benchmark::DoNotOptimize(lumaro::SoundFreeModule(module).ok());
    state.ResumeTiming();
  }
}
}  // namespace

BENCHMARK(DecodeWholeModule)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(CueFromTheStart)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CueMadeReadyAhead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
