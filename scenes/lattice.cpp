#include "scenes/lattice.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "gfx/sine.h"
#include "scenes/safe_passages.h"

namespace lumaro {

Vec3 LatticeCentre(int index) {
  float v[3];
  const int digits[3] = {index / (kLatticeSide * kLatticeSide), index / kLatticeSide % kLatticeSide,
                         index % kLatticeSide};
  for (int k = 0; k < 3; ++k) {
    float value = -5.5f;
    for (int i = 0; i < digits[k]; ++i) value += 1.0f;
    v[k] = value;
  }
  return {v[0], v[1], v[2]};
}

std::array<int, kLatticeCubes> LatticeIndexOrder() {
  std::array<int, kLatticeCubes> order;
  std::iota(order.begin(), order.end(), 0);
  return order;
}

std::array<int, kLatticeCubes> LatticeNearestFirst() {
  std::array<int, kLatticeCubes> order = LatticeIndexOrder();
  const auto distance = [](int i) {
    const Vec3 c = LatticeCentre(i);
    return c.x * c.x + c.y * c.y + c.z * c.z;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return distance(a) < distance(b); });
  return order;
}

void CubeStrips(Vec3 c, float h, StripVertex strips[2][8]) {
  const float x0 = c.x - h, x1 = c.x + h, y0 = c.y - h, y1 = c.y + h, z0 = c.z - h, z1 = c.z + h;
  const StripVertex first[8] = {{0, 1, {x0, y0, z1}}, {0, 0, {x0, y0, z0}}, {1, 1, {x1, y0, z1}}, {1, 0, {x1, y0, z0}},
                                {2, 1, {x1, y1, z1}}, {2, 0, {x1, y1, z0}}, {3, 1, {x0, y1, z1}}, {3, 0, {x0, y1, z0}}};
  const StripVertex second[8] = {{3, 0, {x1, y0, z1}}, {3, 1, {x1, y1, z1}}, {2, 0, {x0, y0, z1}},
                                 {2, 1, {x0, y1, z1}}, {1, 0, {x0, y0, z0}}, {1, 1, {x0, y1, z0}},
                                 {0, 0, {x1, y0, z0}}, {0, 1, {x1, y1, z0}}};
  for (int i = 0; i < 8; ++i) {
    strips[0][i] = first[i];
    strips[1][i] = second[i];
  }
}

LatticeMotion LatticeAt(float t) {
  LatticeMotion m;
  m.rx = 33 * t;
  m.ry = 22 * t;
  m.dx = std::fmod(5 * FastSin(0.2617994f * t), 1.0f);  // keeps the sign: -1 < dx < 1
  m.dy = std::fmod(5 * FastSin(0.30543262f * t), 1.0f);
  const float waves[3] = {FastSin(t), FastSin(0.79f * t), FastSin(0.86f * t)};
  for (int k = 0; k < 3; ++k) {
    m.core[k] = (waves[k] + 1) * 0.5f;
    m.glow[k] = (waves[k] + 1.5f) * 0.25f;
  }
  return m;
}

void TameLattice(float t, LatticeMotion* m) {
  // -flashcheck's stretches at 320 x 240, from the scene's start at 190 s.
  constexpr Passage kFlashingPassages[] = {{0.5f, 2.3f}, {8.8f, 10.9f}, {20.2f, 21.5f}};
  const float light = Tamed(TamingWeight(t, kFlashingPassages), kSafeLatticeLight);
  for (int k = 0; k < 3; ++k) m->core[k] *= light, m->glow[k] *= light;
}

}  // namespace lumaro
