#include "pictures.h"

#include <algorithm>
#include <cmath>

#include "lettering.h"

namespace artgen {

namespace {
constexpr float kPi = 3.14159265358979f;

float Smoothstep(float a, float b, float x) {
  float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Lettering plus a soft halo, scaled so no channel passes `ceiling` (the cards are drawn
// five times over, additively).
Canvas Card(const char* text, float share, Colour ink, float ceiling) {
  Canvas card(256, 64);
  Mask letters = RenderText(text, 256, 64, share);
  Mask halo = GaussianBlur(letters, 3.0f);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      float v = std::min(1.0f, letters.get(x, y) + 0.55f * halo.get(x, y));
      // a faint top-to-bottom sheen keeps the big lettering from looking flat
      float sheen = 0.85f + 0.15f * (1.0f - y / 63.0f);
      card.add(x, y, ink, v * sheen * ceiling / 255.0f);
    }
  return card;  // alpha stays 0: only ever drawn additively
}

// Radial glow: a tight core and a wide halo, faded to exact black at the sprite's edge.
void Glow(Canvas& c, Colour core, float coreRadius, Colour halo, float haloRadius) {
  const float centre = (c.width - 1) / 2.0f;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      float r = std::hypot(x - centre, y - centre) / centre;  // 0 centre, 1 edge midpoint
      float edge = 1.0f - Smoothstep(0.7f, 1.0f, r);
      float coreAmount = std::exp(-(r * r) / (coreRadius * coreRadius));
      float haloAmount = 1.0f / (1.0f + (r * r) / (haloRadius * haloRadius)) - 0.2f;
      c.add(x, y, core, coreAmount * edge);
      c.add(x, y, halo, std::max(0.0f, haloAmount) * edge);
    }
}

// A white core inside a wide, even band of colour: drawn small, the sprite still reads as a
// coloured light rather than a dot. The band holds past a quarter of the width.
Canvas BandGlow(Colour band) {
  Canvas c(32, 32);
  const float centre = (c.width - 1) / 2.0f;  // between pixels 15 and 16
  const float quarter = c.width / 4.0f;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      float d = std::hypot(x - centre, y - centre);
      float white = 1.0f - Smoothstep(0.125f * quarter, 0.6f * quarter, d);
      // ends at the edge midpoints, so the whole outer ring of pixels is black
      float fade = 1.0f - Smoothstep(1.25f * quarter, centre, d);
      c.add(x, y, {1, 1, 1}, white * fade);
      c.add(x, y, band, (1.0f - white) * fade);
    }
  return c;
}

// Thin rays from the centre, sharp across and fading along their length.
void Rays(Canvas& c, int count, float rotation, Colour colour, float width, float strength) {
  const float centre = (c.width - 1) / 2.0f;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      float dx = x - centre, dy = y - centre;
      float r = std::hypot(dx, dy) / centre;
      float angle = std::atan2(dy, dx) - rotation;
      float sector = 2 * kPi / count;
      float off = std::fmod(angle + 100 * sector, sector);
      off = std::min(off, sector - off);  // angle to the nearest ray
      float across = off * r * centre;    // pixels from the ray's axis
      float ray = std::exp(-(across * across) / (width * width)) * std::pow(std::max(0.0f, 1.0f - r), 1.6f);
      c.add(x, y, colour, ray * strength);
    }
}

struct SpriteLook {
  Colour core;
  float coreRadius;
  Colour halo;
  float haloRadius;
  int rays;  // 0: a plain glow
  Colour rayColour;
};
}  // namespace

Canvas DrawTitleCard(int entry) {
  switch (entry) {
    case 0: return Card("Lanternfish", 0.86f, {0.22f, 0.45f, 1.0f}, 86);
    case 1: return Card("presents", 0.72f, {1.0f, 1.0f, 1.0f}, 62);
    case 2: return Card("a new", 0.66f, {1.0f, 1.0f, 0.78f}, 64);
    default: return Card("LUMARO", 0.9f, {0.62f, 1.0f, 0.22f}, 80);
  }
}

Canvas DrawSprite(int entry) {
  static const SpriteLook looks[11] = {
      {{1, 1, 1}, 0.22f, {0.35f, 0.65f, 1.0f}, 0.4f, 0, {}},                           // light-blue/white glow
      {},                                                                              // orange: BandGlow
      {{1, 1, 1}, 0.12f, {0.25f, 0.35f, 0.8f}, 0.16f, 4, {0.45f, 0.65f, 1}},           // white star, blue rays
      {{0.75f, 1, 0.75f}, 0.13f, {0.1f, 0.9f, 0.25f}, 0.27f, 0, {}},                   // green glow
      {{1, 1, 1}, 0.22f, {0.35f, 0.65f, 1.0f}, 0.4f, 0, {}},                           // (same picture as 0)
      {{1, 1, 0.9f}, 0.17f, {1.0f, 0.7f, 0.1f}, 0.3f, 0, {}},                          // orange-yellow, white centre
      {{1, 0.85f, 0.9f}, 0.1f, {0.9f, 0.15f, 0.35f}, 0.17f, 6, {1.0f, 0.35f, 0.55f}},  // red/pink burst
      {{0.85f, 1, 0.85f}, 0.1f, {0.15f, 0.8f, 0.2f}, 0.17f, 6, {0.35f, 1.0f, 0.4f}},   // green burst
      {{1, 1, 1}, 0.12f, {0.15f, 0.3f, 1.0f}, 0.3f, 0, {}},                            // blue glow, white centre
      {{0.85f, 1, 0.5f}, 0.13f, {0.55f, 1.0f, 0.1f}, 0.28f, 0, {}},                    // lime glow
      {},                                                                              // deep blue: BandGlow
  };
  // Orange is the deep blue with red and blue exchanged.
  if (entry == 1) return BandGlow({132 / 255.0f, 41 / 255.0f, 24 / 255.0f});
  if (entry == 10) return BandGlow({24 / 255.0f, 41 / 255.0f, 132 / 255.0f});
  const SpriteLook& look = looks[entry];
  Canvas c(32, 32);
  Glow(c, look.core, look.coreRadius, look.halo, look.haloRadius);
  if (look.rays) {
    Rays(c, look.rays, 0.35f * entry, look.rayColour, 0.9f, 0.9f);
    Rays(c, look.rays, 0.35f * entry + kPi / look.rays, look.rayColour, 0.6f, 0.45f);
  }
  return c;
}

Canvas DrawBackdrop() {
  const int size = 512;
  Canvas c(size, size);
  // Nebula: domain-warped fractal noise in deep blues with a violet and teal drift.
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float u = x / 128.0f, v = y / 128.0f;
      float wx = FractalNoise(u * 0.8f, v * 0.8f, 4, 7) * 2.5f;
      float wy = FractalNoise(u * 0.8f + 3.1f, v * 0.8f + 1.7f, 4, 11) * 2.5f;
      float cloud = FractalNoise(u + wx, v + wy, 6, 23);
      float wisps = FractalNoise(u * 2.2f + wy, v * 2.2f - wx, 5, 31);
      float density = Smoothstep(0.38f, 0.8f, cloud);
      float bright = density * (0.35f + 0.65f * wisps);
      float tint = FractalNoise(u * 0.5f, v * 0.5f, 3, 41);
      Colour deep{0.02f, 0.035f, 0.11f};
      Colour cloudColour{0.10f + 0.12f * tint, 0.12f + 0.06f * (1 - tint), 0.34f};
      c.add(x, y, deep, 1.0f);
      c.add(x, y, cloudColour, bright * 0.75f);
    }
  // Small stars; the picture is shown 4:3 wide, so stars are drawn narrower to end up round.
  ToolRandom random(1234);
  for (int i = 0; i < 650; ++i) {
    float sx = random.unit() * size, sy = random.unit() * size;
    float magnitude = std::pow(random.unit(), 3.0f);
    float radius = 0.5f + 1.3f * magnitude;
    float warm = random.unit();
    Colour colour{0.8f + 0.2f * warm, 0.85f, 1.0f - 0.25f * warm};
    float amount = 0.18f + 0.8f * magnitude;
    for (int y = static_cast<int>(sy) - 4; y <= static_cast<int>(sy) + 4; ++y)
      for (int x = static_cast<int>(sx) - 4; x <= static_cast<int>(sx) + 4; ++x) {
        float dx = (x + 0.5f - sx) * 1.33f, dy = y + 0.5f - sy;
        c.add(x, y, colour, amount * std::exp(-(dx * dx + dy * dy) / (radius * radius)));
      }
  }
  // One bright star in the upper left, with a halo and four long rays.
  const float bx = 92, by = 84;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float dx = (x - bx) * 1.33f, dy = y - by;
      float r = std::hypot(dx, dy);
      float core = std::exp(-(r * r) / 18.0f);
      float halo = 0.5f / (1.0f + r * r / 90.0f) + 0.12f * std::exp(-r / 60.0f);
      float rays = std::exp(-std::fabs(dy) / 0.9f) * std::exp(-std::fabs(dx) / 70.0f) +
                   std::exp(-std::fabs(dx) / 0.9f) * std::exp(-std::fabs(dy) / 70.0f);
      c.add(x, y, {1, 1, 1}, core * 1.2f);
      c.add(x, y, {0.55f, 0.7f, 1.0f}, halo + 0.7f * rays);
    }
  return c;
}

Canvas DrawFontSheet() {
  Canvas c(320, 192);
  for (int code = 32; code <= 90; ++code) {
    int glyph = code - 32, cellX = 32 * (glyph % 10), cellY = 32 * (glyph / 10);
    Mask m = RenderGlyph(static_cast<char>(code), 32, 27);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        float v = m.get(x, y);
        if (v <= 0.02f) continue;                  // leave true black: it is the transparent part
        float shade = 1.0f - 0.35f * (y / 31.0f);  // lighter at the top of each letter
        c.add(cellX + x, cellY + y, {0.35f * shade, 1.0f * shade, 0.45f * shade}, v);
      }
  }
  return c;
}

Canvas DrawPlasmaTitle() {
  // The band shows this 2 : 1 picture across a 4 : 3 screen, stretching it by a third:
  // the letters are drawn narrower to look right there.
  Canvas c(512, 256);
  Mask letters = RenderText("Lumaro", 512, 256, 0.8f, 0.75f);
  Mask soft = GaussianBlur(letters, 1.2f);
  Mask nearGlow = GaussianBlur(letters, 6.0f);
  Mask farGlow = GaussianBlur(letters, 18.0f);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 512; ++x) {
      c.alpha[static_cast<size_t>(y) * 512 + x] = std::min(1.0f, soft.get(x, y) * 1.15f);
      float glow = std::min(1.0f, 1.6f * nearGlow.get(x, y) + 1.1f * farGlow.get(x, y));
      c.add(x, y, {0.15f, 0.85f, 1.0f}, glow);
    }
  return c;
}

Canvas DrawCaptionStrip(const char* text) {
  // Shown across the full screen width and a sixth of its height: 8 : 1, like the picture.
  Canvas c(512, 64);
  Mask letters = RenderText(text, 512, 64, 0.72f);
  Mask halo = GaussianBlur(letters, 2.5f);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 512; ++x) c.add(x, y, {1, 1, 1}, std::min(1.0f, letters.get(x, y) + 0.3f * halo.get(x, y)));
  return c;  // alpha stays 0: only ever drawn additively
}

}  // namespace artgen
