#include "scenes/tunnel.h"

#include <cmath>
#include <cstdlib>

#include "gfx/sine.h"
#include "scenes/safe_passages.h"

namespace lumaro {

namespace {
constexpr float kDegreesToRadians = 0.017453292f;
// -flashcheck's stretches at 320 x 240, from the scene's start at 250 s.
constexpr Passage kFlashingPassages[] = {{0.0f, 3.2f}, {8.7f, 13.4f}, {20.4f, 25.4f}, {30.6f, 37.1f}};
}

const float kHubGlowDepths[6] = {-1.2f, 1.2f, -7.2f, -4.8f, 4.8f, 7.2f};

float TunnelGrey(int i) { return Clamp((15 - std::abs(i)) * 0.1f, 0, 0.7f); }

float CircleAngle(int j) { return j * 15.001f * kDegreesToRadians; }

void SpokeCorners(int k, PolarPoint* innerPlus, PolarPoint* innerMinus, PolarPoint* outerPlus, PolarPoint* outerMinus) {
  const float direction = k * 1.0471976f + 0.5235988f;  // 30, 90 .. 330 degrees
  const float inner = static_cast<float>(std::sqrt(1.7)), outer = static_cast<float>(std::sqrt(36.01));
  const float innerSpread = static_cast<float>(std::atan2(0.1, 1.3)),
              outerSpread = static_cast<float>(std::atan2(0.1, 6.0));
  *innerPlus = {inner, direction + innerSpread};
  *innerMinus = {inner, direction - innerSpread};
  *outerPlus = {outer, direction + outerSpread};
  *outerMinus = {outer, direction - outerSpread};
}

TunnelCamera TunnelCameraAt(float t) {
  return {720 * (1 - FastCos(0.05235988f * t) * FastCos(0.03822271f * t)), 16 * t, 16 * t + 15, 0.27925268f * t};
}

Vec3 TunnelEye(float t) {
  const float c = TunnelCameraAt(t).orbit;
  return {-5 * FastSin(c), 0, 12 * FastCos(c)};
}

double AxisGlowPhase(float t) { return std::fmod(static_cast<double>(5 * t), 1.0); }

float AxisGlowZ(int k, double phase) { return static_cast<float>((k + phase) * kAxisGlowSpacing); }

float AxisGlowBrightness(int k) { return Clamp((60 - std::abs(k)) * 0.025f, 0, 1); }

float SafeGlowScale(float t, float z) {
  const Vec3 eye = TunnelEye(t);
  const float distance = std::sqrt(eye.x * eye.x + eye.y * eye.y + (eye.z - z) * (eye.z - z));
  const float weight = TamingWeight(t, kFlashingPassages);
  if (weight == 0 || distance >= kSafeGlowDistance) return 1;
  const float near = distance / kSafeGlowDistance, square = near * near;
  return Tamed(weight, square * square);
}

Vec3 HubGlowPosition(int j, float z, float t) {
  const float phi = j * 0.8975984f - 0.7f * t;  // 2 pi / 7 apart, turning 0.7 radians a second
  return {1.7f * FastCos(phi), 1.7f * FastSin(phi), z};
}

}  // namespace lumaro
