// Scene 9's explosion: the flame ring that two spinning copies of grow from, and the flash.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace artgen {

namespace {
float Smoothstep(float a, float b, float x) {
  float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Black through deep red, orange and yellow to white as heat rises from 0 to 1.
Colour FireColour(float heat) {
  heat = std::clamp(heat, 0.0f, 1.2f);
  return {std::min(1.0f, heat * 2.2f), std::clamp((heat - 0.3f) * 1.6f, 0.0f, 1.0f),
          std::clamp((heat - 0.75f) * 2.0f, 0.0f, 1.0f)};
}
}  // namespace

Canvas DrawFlameRing() {
  const int size = 256, tongues = 30;
  constexpr float kTwoPi = 6.2831853f;
  // Each tongue: its angle, how far in it reaches (fraction of the radius) and its width.
  float tongueAngle[tongues], tongueReach[tongues], tongueWidth[tongues];
  ToolRandom random(91);
  for (int i = 0; i < tongues; ++i) {
    tongueAngle[i] = (i + 0.8f * random.unit()) * kTwoPi / tongues;
    tongueReach[i] = 0.18f + 0.3f * random.unit();
    tongueWidth[i] = 0.035f + 0.03f * random.unit();
  }
  Canvas c(size, size);
  const float centre = (size - 1) / 2.0f, base = 0.84f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = (x - centre) / centre, dy = (y - centre) / centre;
      const float r = std::hypot(dx, dy), angle = std::atan2(dy, dx);
      const float ca = std::cos(angle), sa = std::sin(angle);  // noise on the circle: no seam
      const float flicker = FractalNoise(ca * 6 + r * 10, sa * 6 - r * 10, 4, 803);
      float heat = std::exp(-(r - base) * (r - base) * 700) * (0.75f + 0.35f * flicker);  // the ring
      heat += 0.25f * std::exp(-(r - base) * (r - base) * 60);                            // its glow
      for (int i = 0; i < tongues; ++i) {
        const float inward = (base - r) / tongueReach[i];  // 0 at the ring, 1 at the tip
        if (inward < -0.1f || inward > 1) continue;
        float across = std::remainder(angle - tongueAngle[i], kTwoPi) * r;          // distance from the axis
        across += 0.02f * (flicker - 0.5f);                                         // a little waver
        const float width = tongueWidth[i] * (1 - 0.85f * std::max(0.0f, inward));  // tapering to a point
        heat += std::exp(-across * across / (width * width)) * (1 - std::max(0.0f, inward)) * (0.6f + 0.5f * flicker);
      }
      heat *= 1 - Smoothstep(0.9f, 0.99f, r);  // black before the quad's edge
      c.add(x, y, FireColour(heat), 1.0f);
    }
  return c;
}

Canvas DrawFlash() {
  const int size = 256;
  Canvas c(size, size);
  const float centre = (size - 1) / 2.0f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = (x - centre) / centre, dy = (y - centre) / centre;
      const float r = std::hypot(dx, dy), angle = std::atan2(dy, dx);
      const float grain = FractalNoise(std::cos(angle) * 6 + r * 4, std::sin(angle) * 6, 3, 811);
      const float core = 1 - Smoothstep(0.35f, 0.55f, r);
      const float rim = std::exp(-(r - 0.58f) * (r - 0.58f) * 40) * (0.7f + 0.5f * grain);
      const float halo = (1 - Smoothstep(0.5f, 0.95f, r)) * 0.35f;
      Colour colour{std::min(1.0f, core + rim + halo), std::min(1.0f, core + 0.62f * rim + 0.45f * halo),
                    std::min(1.0f, core * 0.95f + 0.12f * rim)};
      c.add(x, y, colour, 1.0f);
      c.alpha[static_cast<size_t>(y) * size + x] = std::min(1.0f, core + rim + halo);
    }
  return c;
}

}  // namespace artgen
