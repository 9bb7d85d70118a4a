// The program's icon for desktops: a glowing cyan L on a deep-blue tile with rounded
// corners, an orange spark beside it, transparent around the tile.
#include <algorithm>
#include <cmath>

#include "lettering.h"
#include "pictures.h"

namespace artgen {

Canvas DrawIcon() {
  constexpr int kSize = 256;
  constexpr float kCorner = 44.0f, kEdge = 10.0f;  // the tile's corner radius and margin
  Canvas c(kSize, kSize);
  const Mask letter = RenderText("L", kSize, kSize, 0.62f);
  const Mask glow = GaussianBlur(letter, 9.0f);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      // Distance outside the rounded tile, for a soft edge.
      const float dx = std::max(std::abs(x + 0.5f - kSize / 2.0f) - (kSize / 2.0f - kEdge - kCorner), 0.0f);
      const float dy = std::max(std::abs(y + 0.5f - kSize / 2.0f) - (kSize / 2.0f - kEdge - kCorner), 0.0f);
      const float outside = std::sqrt(dx * dx + dy * dy) - kCorner;
      const float tile = std::clamp(0.5f - outside, 0.0f, 1.0f);
      c.alpha[static_cast<size_t>(y) * kSize + x] = tile;
      const float depth = 0.35f + 0.65f * FractalNoise(x / 48.0f, y / 48.0f, 4, 11);
      c.add(x, y, {0.02f, 0.04f, 0.16f}, tile * depth * 1.6f);
      c.add(x, y, {0.15f, 0.85f, 1.0f}, tile * std::min(1.0f, 1.4f * glow.get(x, y)));
      c.add(x, y, {0.85f, 1.0f, 1.0f}, tile * letter.get(x, y));
      const float spark = std::hypot(x - 184.0f, y - 82.0f);
      c.add(x, y, {1.0f, 0.55f, 0.2f}, tile * std::exp(-spark * spark / 180.0f));
    }
  return c;
}

}  // namespace artgen
