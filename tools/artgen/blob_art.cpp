// Scene 13's stone (it slides over the metaballs) and the magenta grid of the rippling
// sheets; both repeat across their surfaces, so both tile.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace artgen {

Canvas DrawGranite() {
  const int n = 256;
  Canvas c(n, n);
  ToolRandom random(1201);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      // Grains of three minerals in a cloudy matrix, then fine speckle: grey about 45 to 248.
      const float matrix = TilingNoise(x / 32.0f, y / 32.0f, n / 32, 5, 1203);
      const float grains = TilingNoise(x / 4.0f, y / 4.0f, n / 4, 2, 1205);
      float grey = 0.62f + 0.22f * (matrix - 0.5f) * 2;
      if (grains > 0.66f) grey -= 0.35f * std::min(1.0f, (grains - 0.66f) * 6);  // dark mica
      if (grains < 0.3f) grey += 0.25f * std::min(1.0f, (0.3f - grains) * 6);    // light feldspar
      grey += 0.12f * (random.unit() - 0.5f);
      grey = std::clamp(grey, 45 / 255.0f, 248 / 255.0f);
      c.add(x, y, {grey, grey, grey}, 1);
    }
  return c;
}

Canvas DrawMagentaGrid() {
  const int n = 256;
  Canvas c(n, n);
  auto line = [](float p) {  // nearness to the lines at texels 64 and 192, 0 to 1
    const float d = std::min(std::fabs(p - 64), std::fabs(p - 192));
    return std::exp(-d * d / 60.0f) * (d < 22 ? 1.0f : 0.0f);
  };
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const float a = line(x + 0.5f), b = line(y + 0.5f);
      const float both = a * b, either = std::max(a, b);
      c.add(x, y, {0.97f * either + 0.03f * both, 0, 0.5f * either + 0.23f * both}, 1);
      c.alpha[static_cast<size_t>(y) * n + x] = 0.98f * either;
    }
  return c;
}

}  // namespace artgen
