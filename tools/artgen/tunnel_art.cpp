// Scene 12's twelve pictures: the machine tunnel's surfaces (all tiling, as the tunnel
// repeats them), its two glows and its two energy-cloud layers.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace artgen {

namespace {
float Smoothstep(float a, float b, float x) {
  float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Distance from (x, y) to the nearest point of a periodic lattice of spacing `cell`.
float CellDistance(float x, float y, float cellX, float cellY, float offsetX = 0, float offsetY = 0) {
  const float dx = std::remainder(x - offsetX, cellX), dy = std::remainder(y - offsetY, cellY);
  return std::hypot(dx, dy);
}

// A light: a bright core and a soft halo around a point at distance d (pixels).
float Lamp(float d, float radius) {
  return std::exp(-d * d / (radius * radius)) + 0.35f * std::exp(-d / (2.5f * radius));
}

// Brushed metal: tiling noise stretched along x, in grey.
float Metal(float x, float y, int size, uint32_t seed) {
  return 0.5f * TilingNoise(x / 16, y / 16, size / 16, 4, seed) +
         0.5f * TilingNoise(x / 2, y / 32, size / 2, size / 32, 2, seed + 5);
}

void Fill(Canvas& c, int x, int y, Colour colour) {
  float* p = c.at(x, y);
  p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
}

// Plate seams every `cell` pixels: a dark groove with a lit upper edge.
float Seams(float x, float y, float cellX, float cellY) {
  const float sx = std::fabs(std::remainder(x, cellX)), sy = std::fabs(std::remainder(y, cellY));
  const float groove = std::min(sx, sy);
  return -0.45f * std::exp(-groove * groove / 1.2f) + 0.18f * std::exp(-(sy - 1.5f) * (sy - 1.5f) / 0.8f);
}

Canvas Hull() {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const float base = 0.22f + 0.16f * Metal(x, y, n, 1001) + Seams(x + 0.5f, y + 0.5f, 64, 32) * 0.5f;
      const float tone = TilingNoise(x / 32.0f, y / 32.0f, n / 32, 3, 1003);
      Colour colour{base * (1.0f + 0.25f * tone), base * (0.92f + 0.15f * tone), base * 0.8f};  // grey-brown
      const float lamp = Lamp(CellDistance(x + 0.5f, y + 0.5f, 64, 32, 10, 8), 1.4f);
      colour = {colour.r + 0.3f * lamp, colour.g + 0.55f * lamp, colour.b + 1.1f * lamp};
      Fill(c, x, y, colour);
    }
  return c;
}

Canvas RailStrip() {
  const int n = 64;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      // x runs along the rail, y across it: bright rims at both edges.
      const float across = std::min(y + 0.5f, n - y - 0.5f);
      float grey = 0.35f + 0.2f * Metal(x, y, n, 1011) + 0.6f * std::exp(-across * across / 6.0f);
      grey += Seams(x + 0.5f, 100, 32, 1000) * 0.6f;
      const float lamp = Lamp(CellDistance(x + 0.5f, y + 0.5f, 32, 64, 16, 32), 2.0f);
      Fill(c, x, y, {grey * 0.9f + 0.25f * lamp, grey * 0.92f + 0.5f * lamp, grey + 1.0f * lamp});
    }
  return c;
}

Canvas RimMachinery() {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      // x across the rim face, y around it: ribs around, a red glowing core down the middle.
      const float rib = 0.5f + 0.5f * std::cos((y + 0.5f) * 6.2831853f / 16);
      float grey = 0.25f + 0.2f * Metal(y, x, n, 1021) + 0.12f * rib;
      const float edge = std::min(x + 0.5f, n - x - 0.5f);
      grey *= Smoothstep(0, 10, edge) * 0.5f + 0.5f;
      const float core = std::exp(-std::pow((x - 63.5f) / 7.0f, 2.0f));
      const float pulse = 0.8f + 0.2f * TilingNoise(x / 16.0f, y / 16.0f, n / 16, 2, 1023);
      Fill(c, x, y, {grey + 1.1f * core * pulse, grey * 0.95f + 0.25f * core * core, grey * 0.95f + 0.1f * core});
    }
  return c;
}

Canvas CapsuleColumn() {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      float grey = 0.1f + 0.12f * Metal(x, y, n, 1031) + Seams(x + 0.5f, y + 0.5f, 128, 64) * 0.4f;
      // Capsules: rounded slots down the middle, four a tile.
      const float dx = std::fabs(x + 0.5f - 64), dy = std::fabs(std::remainder(y + 0.5f - 16, 32.0f));
      const float capsule = std::hypot(dx / 6.0f, std::max(0.0f, dy - 7) / 6.0f);
      const float light = 1 - Smoothstep(0.7f, 1.05f, capsule);
      const float glow = std::exp(-capsule * capsule * 0.6f) * 0.3f;
      Fill(c, x, y, {grey + light * 1.0f + glow, grey + light * 1.0f + glow, grey + light * 0.95f + glow * 1.2f});
    }
  return c;
}

Canvas RivetedPlate() {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      float grey = 0.38f + 0.18f * Metal(x, y, n, 1041) + Seams(x + 0.5f, y + 0.5f, 64, 64) * 0.7f;
      // Rivets in a row 6 pixels inside each seam: lit from above, shadowed below.
      const float rx = std::remainder(x + 0.5f - 6, 16.0f), ry = std::remainder(y + 0.5f - 6, 64.0f);
      const float rx2 = std::remainder(x + 0.5f - 6, 64.0f), ry2 = std::remainder(y + 0.5f - 6, 16.0f);
      for (auto [dx, dy] : {std::pair{rx, ry}, {rx2, ry2}}) {
        const float d = std::hypot(dx, dy);
        if (d < 2.6f) grey += 0.25f * (-dy / 2.6f) + 0.1f;
      }
      Fill(c, x, y, {grey, grey, grey * 1.04f});
    }
  return c;
}

Canvas LightningStrip() {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const float grey = 0.3f + 0.2f * Metal(x, y, n, 1051);
      // A jagged bolt down the middle (y wraps, so the bolt joins itself).
      const float wander = 10 * (TilingNoise(y / 16.0f, 0.5f, n / 16, 1, 3, 1053) - 0.5f) +
                           4 * (TilingNoise(y / 4.0f, 3.5f, n / 4, 4, 2, 1055) - 0.5f);
      const float d = std::fabs(x + 0.5f - 64 - wander);
      const float bolt = std::exp(-d * d / 2.0f), glow = std::exp(-d / 6.0f);
      Fill(c, x, y,
           {grey * 0.9f + 0.5f * bolt + 0.05f * glow, grey + 0.9f * bolt + 0.45f * glow,
            grey * 0.9f + 0.5f * bolt + 0.1f * glow});
    }
  return c;
}

// A column of lights down the middle between panels; `dots` adds orange dots to the panels.
Canvas LightColumn(Colour light, bool dots, uint32_t seed) {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      float grey = 0.2f + 0.15f * Metal(x, y, n, seed) + Seams(x + 0.5f, y + 0.5f, 128, 32) * 0.5f;
      const float border = std::exp(-std::pow((std::fabs(x + 0.5f - 64) - 22) / 1.5f, 2.0f));
      grey += 0.25f * border;  // the column's frame
      Colour colour{grey, grey, grey};
      const float lamp = Lamp(CellDistance(x + 0.5f, y + 0.5f, 1000, 16, 64, 8), 5.0f);
      colour = {colour.r + light.r * lamp, colour.g + light.g * lamp, colour.b + light.b * lamp};
      if (dots && std::fabs(x + 0.5f - 64) > 26) {
        const float dot = Lamp(CellDistance(x + 0.5f, y + 0.5f, 16, 16, 6, 4), 1.3f);
        colour = {colour.r + 1.0f * dot, colour.g + 0.45f * dot, colour.b + 0.1f * dot};
      }
      Fill(c, x, y, colour);
    }
  return c;
}

Canvas RoundGlow(int n, Colour core, Colour halo) {
  Canvas c(n, n);
  const float centre = (n - 1) / 2.0f;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const float r = std::hypot(x - centre, y - centre) / centre;
      const float fade = 1 - Smoothstep(0.75f, 1.0f, r);
      const float inner = std::exp(-r * r / 0.03f), outer = std::exp(-r * r / 0.18f);
      Fill(c, x, y,
           {(core.r * inner + halo.r * outer) * fade, (core.g * inner + halo.g * outer) * fade,
            (core.b * inner + halo.b * outer) * fade});
      c.alpha[static_cast<size_t>(y) * n + x] = std::min(1.0f, (inner + outer) * fade);
    }
  return c;
}

// Green cloud, bright at the top and fading to black at the bottom; tiles across.
Canvas EnergyCloud(uint32_t seed) {
  const int n = 128;
  Canvas c(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const float u = x / 32.0f, v = y / 32.0f;
      const float warp = TilingNoise(u, v, n / 32, 3, seed) * 2;
      const float cloud = TilingNoise(u + warp, v * 1.6f, n / 32, 5, seed + 7);
      const float height = 1 - (y + 0.5f) / n;  // 1 at the top row
      const float bright = Smoothstep(0.3f, 0.85f, cloud) * std::pow(height, 1.6f) * 1.3f;
      c.add(x, y, {0.35f * bright, 1.0f * bright, 0.4f * bright * bright}, 1);
    }
  return c;
}
}  // namespace

Canvas DrawTunnelImage(int index) {
  switch (index) {
    case 0: return Hull();
    case 1: return RailStrip();
    case 2: return RimMachinery();
    case 3: return CapsuleColumn();
    case 4: return RivetedPlate();
    case 5: return LightningStrip();
    case 6: return LightColumn({0.3f, 1.2f, 0.35f}, true, 1061);
    case 7: return LightColumn({1.1f, 1.1f, 1.05f}, false, 1071);
    case 8: return RoundGlow(64, {0.8f, 0.9f, 1.0f}, {0.1f, 0.3f, 1.0f});
    case 9: return EnergyCloud(1081);
    case 10: return EnergyCloud(1091);
    default: return RoundGlow(64, {1.0f, 0.9f, 0.6f}, {1.0f, 0.4f, 0.05f});
  }
}

}  // namespace artgen
