// usage: bench_present   (headless, a 1920 x 1080 "screen")
// What showing a frame in a window costs on top of drawing it: the frame at its drawing size
// scaled into a full-HD window with bars, against the bare clear of such a window.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "shell/frame_target.h"
#include "shell/platform.h"

using namespace lumaro;

namespace {
constexpr int kScreenWidth = 1920, kScreenHeight = 1080;

void Present(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = width * 3 / 4;
  if (!BindFrameTarget(width, height)) {
    state.SkipWithError("no framebuffer");
    return;
  }
  for (auto _ : state) {
    BindFrameTarget(width, height);
    glClear(GL_COLOR_BUFFER_BIT);
    PresentFrameTarget(kScreenWidth, kScreenHeight);
    glFinish();
  }
  ReleaseFrameTarget();
}

// The same frame cleared straight in the window: the part a frame costs anyway.
void ClearWindowOnly(benchmark::State& state) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
  }
}
}  // namespace

BENCHMARK(Present)
    ->Arg(640)
    ->Arg(800)
    ->Arg(1600)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(ClearWindowOnly)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

int main(int argc, char** argv) {
  if (const Status created = CreateOffscreenContext(kScreenWidth, kScreenHeight); !created.ok()) {
    Say(created);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  DestroyOffscreenContext();
  return 0;
}
