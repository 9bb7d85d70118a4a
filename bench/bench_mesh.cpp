// Generating the ornament: the mirrored cage patches and the fourteen geodesic balls.
#include <benchmark/benchmark.h>

#include "mesh.h"

namespace {
void GenerateOrnament(benchmark::State& state) {
  size_t triangles = 0;
  for (auto _ : state) {
    meshgen::Mesh mesh;
    meshgen::AddCage(mesh);
    for (int ball = 0; ball < 14; ++ball) meshgen::AddGeodesicSphere(mesh, {0.2f * ball, 0, 0}, 0.1f, 5);
    triangles = mesh.faces.size();
    benchmark::DoNotOptimize(mesh.faces.data());
  }
  state.counters["triangles"] = static_cast<double>(triangles);
}
}  // namespace

BENCHMARK(GenerateOrnament)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
