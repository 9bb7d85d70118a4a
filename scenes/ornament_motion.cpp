#include "scenes/ornament_motion.h"

#include "base/random.h"
#include "gfx/sine.h"

namespace lumaro {

namespace {
constexpr float kGlowCorner = 0.43f;
}  // namespace

const Vec3 kCornerGlowOffsets[kCornerGlowCount] = {
    {-kGlowCorner, -kGlowCorner, 0}, {kGlowCorner, -kGlowCorner, 0},  {-kGlowCorner, kGlowCorner, 0},
    {kGlowCorner, kGlowCorner, 0},   {-kGlowCorner, 0, -kGlowCorner}, {kGlowCorner, 0, -kGlowCorner},
    {-kGlowCorner, 0, kGlowCorner},  {kGlowCorner, 0, kGlowCorner},   {0, -kGlowCorner, -kGlowCorner},
    {0, kGlowCorner, -kGlowCorner},  {0, -kGlowCorner, kGlowCorner},  {0, kGlowCorner, kGlowCorner},
};

Vec3 OrnamentCentre(float t) {
  return {(FastSin(0.5f * t) + FastCos(0.13f * t)) * 0.125f, (FastSin(0.35f * t) + FastCos(0.27f * t)) * 0.125f,
          (FastSin(0.75f * t) + FastSin(1.0725f * t)) * 0.375f - 1.5f};
}

float CornerGlowBrightness(float t) { return (FastSin(10 * t) + 1) * 0.25f + 0.125f; }

float StarPointSize(int width, int pass) {
  float s = 1.0f;
  for (int i = 0; i < pass; ++i) s += 0.5f;  // summed as the passes do
  return width * s * 0.00125f;
}

Vec3 StarPoint(int r1, int r2) {
  const float longitude = r1 * RandScale(kTwoPi);
  const float u = (r2 * RandScale(1) - 0.5f) * 2;
  const float polar = TangentPolarAngle(u);
  return {FastCos(longitude) * FastSin(polar) * kStarRadius, FastCos(polar) * kStarRadius,
          FastSin(longitude) * FastSin(polar) * kStarRadius};
}

}  // namespace lumaro
