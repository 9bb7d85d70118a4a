#include "scenes/fireball.h"

#include <cmath>

#include "gfx/sine.h"

namespace lumaro {

namespace {
constexpr float kSettleRate = 1.2566371f;  // pi / 2.5 s: the easing's half turn
constexpr float kLaunchSpeed = 5.0f;       // units a second towards the planet
constexpr float kAngleStep = 0.2617994f;   // pi / 12 in single precision
}  // namespace

float SettleAngle(float saved, float q) {
  if (saved >= 180) return saved + (1 - q) * (360 - saved) * 0.5f;
  return saved * (1 + q) * 0.5f;
}

FireballPose AdvanceFireball(float t, float d, FireballMemory* memory) {
  if (t < d - kTumbleEndsBeforeEnd) {
    memory->savedRx = std::fmod(20 * t, 360.0f);
    memory->savedRy = std::fmod(33 * t, 360.0f);
    return {memory->savedRx, memory->savedRy, kFireballDepth};
  }
  if (t < d - kSettleEndsBeforeEnd) {
    const float q = FastCos((t - d + kTumbleEndsBeforeEnd) * kSettleRate);
    return {SettleAngle(memory->savedRx, q), SettleAngle(memory->savedRy, q), kFireballDepth};
  }
  if (t < d - kLaunchEndsBeforeEnd) return {0, 0, kFireballDepth - kLaunchSpeed * (t - d + kSettleEndsBeforeEnd)};
  memory->exploded = true;
  return {0, 0, 0};
}

bool ShowsScorchedFront(float t, float d) { return !(t < d - kSkyEndsBeforeEnd); }

float ExplosionTime(float t, float d) { return (t - d + kLaunchEndsBeforeEnd) * 0.8f; }

float FlashBrightness(float e) { return e <= 4 ? e * e / 16 - e / 2 + 1 : 0.0f; }

float FlashScale(float e) { return 4 * std::pow(e, 0.25f) / std::sqrt(2.0f); }

Vec3 SpherePoint(int ring, int segment) {
  const double a = ring * kAngleStep, b = segment * kAngleStep;
  return {static_cast<float>(kSphereRadius * std::sin(a) * std::cos(b)),
          static_cast<float>(kSphereRadius * std::sin(a) * std::sin(b)),
          static_cast<float>(-kSphereRadius * std::cos(a))};
}

void CoreColour(int k, float rgb[3]) {
  const float r = 1 - k / 12.0f;
  rgb[0] = r > 0.5f ? r : 0.5f;
  rgb[1] = 1 - 2 * k / 9.0f;  // negative values are clamped by GL
  rgb[2] = 1 - k / 3.0f;
}

float FlameSkinGrey(int k) { return 1 - k / 18.0f; }

Vec3 CoronaPoint(int ring, int segment) {
  const double b = segment * kAngleStep;
  const float r = 0.1f * ring;
  return {static_cast<float>(r * std::cos(b)), static_cast<float>(r * std::sin(b)), 0.0125f * ring * ring};
}

float CoronaT(int ring) { return 0.9f - 0.05f * ring; }

int ShockSquares(float z[kMaxShockSquares], float half[kMaxShockSquares]) {
  int count = 0;
  for (float depth = 0; depth <= 2 && count < kMaxShockSquares; depth += 0.2f) {
    z[count] = depth;
    half[count] = 1 - 0.1875f * depth * depth;
    ++count;
  }
  return count;
}

}  // namespace lumaro
