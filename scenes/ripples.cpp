#include "scenes/ripples.h"

#include <cmath>

#include "gfx/sine.h"

namespace lumaro {

float RippleHeight(float x, float y, float phase) {
  return kRippleAmplitude * FastSin(std::sqrt(x * x + y * y) - phase);
}

int RippleFrameAt(float t) { return static_cast<int>(std::fmod(t, 1.0f) * kRippleFrames); }

int RippleRows() {
  int rows = 0;
  for (float y = -10;; y += 2) {
    ++rows;
    if (!(y + 2 < 9.9f)) return rows;
  }
}

int RippleColumns() {
  int columns = 0;
  for (float x = -10;; x += 2) {
    ++columns;
    if (!(x + 2 < 10.1f)) return columns;
  }
}

void BlobLightPositions(float t, Vec3 lights[3]) {
  lights[0] = {10 * FastSin(2 * t), 10 * FastCos(2 * t), 7 * FastCos(2 * t)};
  lights[1] = {9 * FastSin(1.3f * t), 15 * FastSin(1.75f * t), 8 * FastCos(2.23f * t)};
  lights[2] = {13 * FastCos(2.11f * t), 9 * FastCos(1.57f * t), 12 * FastSin(1.8f * t)};
}

}  // namespace lumaro
