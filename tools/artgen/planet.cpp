// Scene 9's sky: a red planet filling the view ahead, its glowing rim on the four sides, a
// blue-grey nebula behind. Every texel is coloured by the direction it is seen in from the
// box's centre (the faces' corners come from the scene's own table), so the six faces
// join without seams however the box is turned.
#include <algorithm>
#include <cmath>

#include "pictures.h"
#include "scenes/sky_box.h"

namespace artgen {

namespace {
using lumaro::Vec3;

constexpr float kPlanetRadius = 1.0f;
constexpr float kPlanetDistance = 1.135f;  // from the eye to the planet's centre: horizon at about 62 degrees
constexpr float kAtmosphereHeight = 0.035f;
const Vec3 kSunDirection = lumaro::Normalized({-0.55f, 0.62f, 0.28f});

float Smoothstep(float a, float b, float x) {
  float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour Scale(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Colour Add(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// Rock relief on the planet: ridged fractal noise with a few impact bowls.
float Height(Vec3 n) {
  const float f = 9.0f;
  float h = FractalNoise3(n.x * f, n.y * f, n.z * f, 6, 301);
  float ridges = 1 - std::fabs(2 * FractalNoise3(n.x * 22, n.y * 22, n.z * 22, 4, 307) - 1);
  h = 0.7f * h + 0.3f * ridges * ridges;
  // Craters: hashed cells, a bowl with a raised rim where a cell holds one.
  const float cellScale = 14.0f;
  const int cx = static_cast<int>(std::floor(n.x * cellScale)), cy = static_cast<int>(std::floor(n.y * cellScale)),
            cz = static_cast<int>(std::floor(n.z * cellScale));
  for (int dz = -1; dz <= 1; ++dz)
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = cx + dx, y = cy + dy, z = cz + dz;
        if (LatticeValue3(x, y, z, 401) > 0.16f) continue;
        Vec3 centre{(x + LatticeValue3(x, y, z, 402)) / cellScale, (y + LatticeValue3(x, y, z, 403)) / cellScale,
                    (z + LatticeValue3(x, y, z, 404)) / cellScale};
        const float radius = (0.12f + 0.3f * LatticeValue3(x, y, z, 405)) / cellScale;
        const float r = lumaro::Length(n - lumaro::Normalized(centre)) / radius;
        h += -0.16f * (1 - Smoothstep(0.0f, 1.05f, r)) + 0.06f * std::exp(-(r - 1.0f) * (r - 1.0f) * 12);
      }
  return h;
}

Colour RockColour(Vec3 n) {
  const float e = 0.0025f;
  // Gradient in two tangent directions for the relief's lighting.
  const Vec3 u = lumaro::Normalized(lumaro::Cross(n, {0.3f, 1, 0.2f})), v = lumaro::Cross(n, u);
  const float h = Height(n);
  const float hu = (Height(lumaro::Normalized(n + u * e)) - h) / e,
              hv = (Height(lumaro::Normalized(n + v * e)) - h) / e;
  const Vec3 bumped = lumaro::Normalized(n - u * (hu * 0.02f) - v * (hv * 0.02f));
  const float light = std::max(0.0f, lumaro::Dot(bumped, kSunDirection));
  const float shade = 0.18f + 0.95f * light;
  const float mineral = FractalNoise3(n.x * 5, n.y * 5, n.z * 5, 4, 311);
  Colour rust = Mix({0.55f, 0.16f, 0.06f}, {0.86f, 0.42f, 0.16f}, Smoothstep(0.25f, 0.75f, h));
  rust = Mix(rust, {0.32f, 0.1f, 0.07f}, Smoothstep(0.55f, 0.75f, mineral) * 0.7f);  // dark basalt
  return Scale(rust, shade);
}

// Dark space: a faint red-violet haze towards the sides, a blue-grey nebula behind, stars.
Colour Space(Vec3 d) {
  const float cloud = FractalNoise3(d.x * 2.2f + 3, d.y * 2.2f, d.z * 2.2f, 6, 521);
  const float wisps = FractalNoise3(d.x * 6 + cloud, d.y * 6, d.z * 6 - cloud, 4, 523);
  const float behind = Smoothstep(-0.4f, 0.9f, d.z);
  float density = Smoothstep(0.42f, 0.85f, cloud) * (0.4f + 0.6f * wisps);
  Colour nebula = Mix({0.16f, 0.05f, 0.09f}, {0.36f, 0.42f, 0.55f}, behind);
  Colour c = Add({0.008f, 0.008f, 0.018f}, Scale(nebula, density * (0.35f + 0.75f * behind)));
  // Stars: one candidate per cell of a grid on the direction, soft and about a texel wide.
  const float cells = 60.0f;
  const int cx = static_cast<int>(std::floor(d.x * cells)), cy = static_cast<int>(std::floor(d.y * cells)),
            cz = static_cast<int>(std::floor(d.z * cells));
  for (int dz = -1; dz <= 1; ++dz)
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = cx + dx, y = cy + dy, z = cz + dz;
        if (LatticeValue3(x, y, z, 601) > 0.018f) continue;
        const Vec3 star =
            lumaro::Normalized({(x + LatticeValue3(x, y, z, 602)) / cells, (y + LatticeValue3(x, y, z, 603)) / cells,
                                (z + LatticeValue3(x, y, z, 604)) / cells});
        const float angle = lumaro::Length(d - star) * 256 / 1.6f;  // in texels, roughly
        // The sky is seen about six times magnified: most stars stay faint so they read as points.
        const float magnitude = std::pow(LatticeValue3(x, y, z, 605), 4.0f);
        c = Add(c, Scale({0.85f, 0.88f, 1.0f}, (0.12f + 1.3f * magnitude) * std::exp(-angle * angle * 1.6f)));
      }
  return c;
}

Colour AtmosphereGlow(float altitude) {
  // Bright at the limb, fading out within the thin shell of air above it.
  const float glow = std::exp(-std::max(0.0f, altitude) / (kAtmosphereHeight * 0.45f));
  return Add(Scale({1.0f, 0.28f, 0.06f}, 1.1f * glow), Scale({1.0f, 0.7f, 0.35f}, 0.5f * glow * glow * glow));
}

Colour PlanetSky(Vec3 d) {
  const Vec3 centre{0, 0, -kPlanetDistance};
  const float b = lumaro::Dot(d, centre);  // distance along the ray to the closest approach
  const float closest = std::sqrt(std::max(0.0f, lumaro::Dot(centre, centre) - b * b));
  const float disc = kPlanetRadius * kPlanetRadius - closest * closest;
  if (b > 0 && disc >= 0) {
    const float t = b - std::sqrt(disc);
    const Vec3 n = lumaro::Normalized(d * t - centre);
    // Haze grows towards the horizon, where the line of sight grazes the air.
    const float graze = 1 - std::clamp(-lumaro::Dot(n, d), 0.0f, 1.0f);
    const float haze = std::pow(graze, 5.0f);
    Colour c = Mix(RockColour(n), {0.95f, 0.3f, 0.08f}, 0.85f * haze);
    return Add(c, Scale({1.0f, 0.45f, 0.15f}, 0.5f * std::pow(graze, 14.0f)));
  }
  const Colour space = Space(d);
  if (b <= 0) return space;
  return Add(space, AtmosphereGlow(closest - kPlanetRadius));
}
}  // namespace

Canvas DrawSkyFace(int face) {
  const int size = 256, samples = 2;
  Canvas c(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      Colour sum{0, 0, 0};
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          // Canvas row 0 is the picture's top row, texture t = 1.
          const float s = (x + (sx + 0.5f) / samples) / size, t = 1 - (y + (sy + 0.5f) / samples) / size;
          sum = Add(sum, PlanetSky(lumaro::Normalized(lumaro::SkyFacePoint(face, s, t))));
        }
      c.add(x, y, sum, 1.0f / (samples * samples));
    }
  return c;
}

Canvas DrawScorchedFront() {
  Canvas c = DrawSkyFace(0);
  const float centre = 127.5f, radius = 40.0f;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const float dx = x - centre, dy = y - centre;
      const float angle = std::atan2(dy, dx);
      // A ragged edge, blackened ground around it and embers in the rim.
      const float rough = 1 + 0.08f * (FractalNoise(std::cos(angle) * 3 + 5, std::sin(angle) * 3, 4, 701) - 0.5f);
      const float r = std::hypot(dx, dy) / (radius * rough);
      const float rays = FractalNoise(std::cos(angle) * 9 + 1, std::sin(angle) * 9 + 2, 3, 703);
      const float soot = std::clamp(1.0f - Smoothstep(0.9f, 2.2f + 1.2f * rays, r), 0.0f, 1.0f);
      float* p = c.at(x, y);
      const float keep = 1 - 0.9f * soot;
      for (int k = 0; k < 3; ++k) p[k] *= keep;
      const float embers =
          std::exp(-(r - 1.0f) * (r - 1.0f) * 60) * Smoothstep(0.45f, 0.8f, FractalNoise(x / 6.0f, y / 6.0f, 3, 709));
      c.add(x, y, {1.0f, 0.35f, 0.05f}, 0.9f * embers);
      if (r < 1.0f) {  // the black bowl itself
        const float depth = 1 - Smoothstep(0.8f, 1.0f, r);
        for (int k = 0; k < 3; ++k) p[k] *= 1 - depth;
      }
    }
  return c;
}

}  // namespace artgen
