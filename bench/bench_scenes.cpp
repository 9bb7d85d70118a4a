// usage: bench_scenes [--benchmark_filter=...]   (headless, 800 x 600)
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "engine/composer.h"
#include "engine/navigation.h"
#include "engine/startup.h"
#include "engine/timeline.h"
#include "gfx/sine.h"
#include "scenes/fire.h"
#include "scenes/isosurface.h"
#include "scenes/particles.h"
#include "scenes/scene11.h"
#include "shell/options.h"
#include "shell/platform.h"

using namespace lumaro;

constexpr int kWidth = 800, kHeight = 600;  // the drawing size measured

namespace {
// One scene's frames from a clock onward, each finished on the GPU (llvmpipe) before the
// next; the clock wraps back to `from` before it leaves the scene's window.
void SceneFrames(benchmark::State& state, float from) {
  ResetTimeline();
  ResetRocketPool();
  ResetSparkPool();
  Particles().ActiveRockets = 0;
  const SceneSlot* slot = FindSceneSlot(from);
  const float until = slot ? slot->start + slot->duration - 0.1f : from + 1;
  float clock = from;
  auto frame = [&] {
    clock += kFrameStep;
    if (clock >= until) clock = from;
    SetDemoClock(clock);
    if (const SceneSlot* s = EnterScene(clock)) ComposeFrame(*s, {clock - kFrameStep, clock}, false, 0);
  };
  for (int i = 0; i < 50; ++i) frame();  // warm-up: particle scenes fill up, set-up steps run
  glFinish();
  for (auto _ : state) {
    frame();
    glFinish();
  }
}

void CardFrame(benchmark::State& state) { SceneFrames(state, 0.5f); }
void PlasmaTitleFrame(benchmark::State& state) { SceneFrames(state, 21.0f); }
void FountainFrame(benchmark::State& state) { SceneFrames(state, 30.0f); }
void FireworksFrame(benchmark::State& state) { SceneFrames(state, 44.0f); }
void FractalFrame(benchmark::State& state) { SceneFrames(state, 100.0f); }
void FireballFrame(benchmark::State& state) { SceneFrames(state, 150.0f); }
void ExplosionFrame(benchmark::State& state) { SceneFrames(state, 182.0f); }
void LatticeFrame(benchmark::State& state) { SceneFrames(state, 200.0f); }
void OrnamentFrame(benchmark::State& state) { SceneFrames(state, 235.0f); }
void TunnelFrame(benchmark::State& state) { SceneFrames(state, 270.0f); }
void MetaballFrame(benchmark::State& state) { SceneFrames(state, 300.0f); }
void EndCardFrame(benchmark::State& state) { SceneFrames(state, 325.5f); }

// The iso-surface alone: 29,791 points against eight balls, the edges and the cells.
void IsoSurfaceBuild(benchmark::State& state) {
  if (!InitIsoSurface(-4.3f, 4.3f, -4.3f, 4.3f, -4.3f, 4.3f, 2.0f)) {
    state.SkipWithError("no iso-surface");
    return;
  }
  float t = 0;
  for (auto _ : state) BuildIsoSurface(t += 0.04f);
  state.counters["triangles"] = BuiltMesh().TriangleCount;
  FreeIsoSurface();
}

// Compiling the stored ornament into its display list, as scene 11's set-up does.
void OrnamentListBuild(benchmark::State& state) {
  for (auto _ : state) {
    const uint32_t list = BuildOrnamentList();
    glFinish();
    glDeleteLists(list, 1);
  }
}

// The fire alone: four stages of 16,128 cells and the palette conversion.
void FireStep(benchmark::State& state) {
  lumaro::srand(1);
  if (!AllocateFire()) {
    state.SkipWithError("no memory");
    return;
  }
  BuildFirePalette();
  for (int i = 0; i < 100; ++i) StepFire();
  for (auto _ : state) StepFire();
  FreeFire();
}

void FountainUpdate(benchmark::State& state) {
  lumaro::srand(1);
  ResetSparkPool();
  float t = 0;
  for (int i = 0; i < 100; ++i) UpdateFountain(t += 0.04f, 1e9f);
  for (auto _ : state) UpdateFountain(t += 0.04f, 1e9f);
}

// Reading a cleared 800 x 600 frame back as the files' BGR, as a capture does: into client
// memory or through a pixel-pack buffer. (The clear alone is ClearOnly.)
void Readback(benchmark::State& state, bool read, bool packBuffer) {
  std::vector<uint8_t> client(static_cast<size_t>(kWidth) * kHeight * 3), copy(client.size());
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
  glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(client.size()), nullptr, GL_STREAM_READ);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, packBuffer ? buffer : 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);  // a new frame to read
    if (!read) {
      glFinish();
      continue;
    }
    glReadPixels(0, 0, kWidth, kHeight, GL_BGR, GL_UNSIGNED_BYTE, packBuffer ? nullptr : client.data());
    if (packBuffer) {
      std::memcpy(copy.data(), glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY), copy.size());
      glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
    }
    benchmark::DoNotOptimize(copy.data());
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glDeleteBuffers(1, &buffer);
}
void ClearOnly(benchmark::State& state) { Readback(state, false, false); }
void ReadbackClient(benchmark::State& state) { Readback(state, true, false); }
void ReadbackPackBuffer(benchmark::State& state) { Readback(state, true, true); }

void FireworksUpdate(benchmark::State& state) {
  lumaro::srand(1);
  ResetSparkPool();
  ResetRocketPool();
  Particles().ActiveRockets = 0;
  float t = 0;
  for (int i = 0; i < 200; ++i) UpdateFireworks(t += 0.04f, 1e9f);
  for (auto _ : state) UpdateFireworks(t += 0.04f, 1e9f);
}

// "-loop" from a late "-start": the picture's part of starting over (the show's state anew,
// then the quick catching up), which the frame loop waits for.
void RestartAtLateSecond(benchmark::State& state) {
  for (auto _ : state) {
    RestartShowAt(300.0f);
    glFinish();
  }
}

// The same in the blank last second, a slice a frame: the longest slice is what a frame
// there waits for (one catching-up frame may outlast the slice's budget).
void RestartInSlices(benchmark::State& state) {
  double longest = 0;
  int slices = 0;
  for (auto _ : state) {
    BeginRestart();
    for (bool done = false; !done; ++slices) {
      const auto begin = std::chrono::steady_clock::now();
      done = CatchUpPartly(300.0f, 0.006);
      glFinish();
      longest = std::max(longest,
                         std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
    }
  }
  state.counters["longest_slice_ms"] = longest;
  state.counters["slices"] = benchmark::Counter(slices, benchmark::Counter::kAvgIterations);
}
}  // namespace

BENCHMARK(CardFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(PlasmaTitleFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FountainFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FireworksFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FractalFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FireballFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ExplosionFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(LatticeFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(OrnamentFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(TunnelFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(MetaballFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(EndCardFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(IsoSurfaceBuild)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(OrnamentListBuild)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(FireStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FountainUpdate)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ClearOnly)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(ReadbackClient)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(ReadbackPackBuffer)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(FireworksUpdate)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(RestartAtLateSecond)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RestartInSlices)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  const DrawingArea area{.ScreenWidth = kWidth, .ScreenHeight = kHeight};
  SetDrawingArea(area);
  const auto begin = std::chrono::steady_clock::now();
  if (const Status created = CreateOffscreenContext(area.ScreenWidth, area.ScreenHeight); !created.ok()) {
    Say(created);
    return 1;
  }
  RenderStartup({.SoundOn = false, .seedGiven = true, .seed = 1});
  glFinish();
  const double startup = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("start-up (context, textures, tables, pools): %.1f ms\n", startup * 1000);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  RenderShutdown();
  DestroyOffscreenContext();
  return 0;
}
