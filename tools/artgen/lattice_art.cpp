// Scene 10's two greyscale pictures, both tiling (a cube face repeats them), and scene 11's
// cloud sheet, which fades to black before its border.
#include <algorithm>
#include <cmath>

#include "lettering.h"
#include "pictures.h"

namespace artgen {

namespace {
float Smoothstep(float a, float b, float x) {
  float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}
void SetGrey(Canvas& c, int x, int y, float v) {
  float* p = c.at(x, y);
  p[0] = p[1] = p[2] = std::clamp(v, 0.0f, 1.0f);
}
}  // namespace

Canvas DrawLatticeName() {
  const int size = 256;
  Canvas c(size, size);
  // The letters stay clear of the edges, so the stone alone decides how the tile joins.
  const Mask letters = RenderText("Lumaro", size, size, 0.78f);
  const Mask soft = GaussianBlur(letters, 1.3f);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float u = x / 64.0f, v = y / 64.0f;
      const float mottle = TilingNoise(u, v, size / 64, 6, 901);
      const float grain = TilingNoise(u * 8, v * 8, size / 8, 2, 907);
      float stone = 0.36f + 0.4f * (mottle - 0.5f) + 0.1f * (grain - 0.5f);
      // Embossed: lit from the upper left, the letters raised and lighter.
      const float relief = soft.get(x - 1, y - 1) - soft.get(x + 1, y + 1);
      stone += 0.45f * letters.get(x, y) + 0.35f * relief;
      SetGrey(c, x, y, stone);
    }
  return c;
}

Canvas DrawLatticeCloud() {
  const int size = 128;
  Canvas c(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float n = TilingNoise(x / 32.0f, y / 32.0f, size / 32, 4, 911);
      SetGrey(c, x, y, 0.42f + 0.85f * (Smoothstep(0.3f, 0.75f, n) - 0.5f));
    }
  return c;
}

Canvas DrawNebulaCloud() {
  const int size = 256;
  Canvas c(size, size);
  const float centre = (size - 1) / 2.0f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float u = x / 64.0f, v = y / 64.0f;
      const float warp = FractalNoise(u * 0.7f, v * 0.7f, 3, 921) * 1.6f;
      const float cloud = FractalNoise(u + warp, v - warp, 6, 923);
      const float r = std::max(std::fabs(x - centre), std::fabs(y - centre)) / centre;  // square falloff
      const float edge = 1 - Smoothstep(0.55f, 0.97f, std::hypot(x - centre, y - centre) / centre * 0.8f + r * 0.25f);
      SetGrey(c, x, y, Smoothstep(0.35f, 0.85f, cloud) * edge * 0.95f);
    }
  return c;
}

}  // namespace artgen
