#include "scenes/fractal.h"

#include <cstring>

#include "gfx/sine.h"

namespace lumaro {

const int kFaceCorners[kFaceTypeCount][3] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 1}, {1, 3, 2}};
const Vec3 kFaceNormals[kFaceTypeCount] = {
    {0, 0.33338f, 0.94279f}, {0.81649f, 0.33337f, -0.47139f}, {-0.81649f, 0.33337f, -0.47139f}, {0, -1, 0}};
const Vec3 kFractalCorners[4] = {{0, 1.06f, 0}, {-0.866f, -0.354f, 0.5f}, {0.866f, -0.354f, 0.5f}, {0, -0.354f, -1.0f}};
const Vec3 kShellCorners[4] = {
    {0, 1.113f, 0}, {-0.9093f, -0.3717f, 0.525f}, {0.9093f, -0.3717f, 0.525f}, {0, -0.3717f, -1.05f}};

Vec3* EmitSierpinskiFace(int faceType, int depth, Vec3 p1, Vec3 p2, Vec3 p3, Vec3 p4, Vec3* out) {
  if (depth == 0) {
    if (faceType < 1 || faceType > kFaceTypeCount) return out;
    const Vec3 corners[4] = {p1, p2, p3, p4};
    for (int index : kFaceCorners[faceType - 1]) *out++ = corners[index];
    return out;
  }
  const Vec3 m12 = (p1 + p2) * 0.5f, m13 = (p1 + p3) * 0.5f, m14 = (p1 + p4) * 0.5f;
  const Vec3 m23 = (p2 + p3) * 0.5f, m24 = (p2 + p4) * 0.5f, m34 = (p3 + p4) * 0.5f;
  out = EmitSierpinskiFace(faceType, depth - 1, p1, m12, m13, m14, out);
  out = EmitSierpinskiFace(faceType, depth - 1, m12, p2, m23, m24, out);
  out = EmitSierpinskiFace(faceType, depth - 1, m13, m23, p3, m34, out);
  return EmitSierpinskiFace(faceType, depth - 1, m14, m24, m34, p4, out);
}

float SlideInOffset(float t) { return t <= 1 ? -3 * (t - 1) * (t - 1) : 0.0f; }

float FractalDistance(float t, float d) { return t + 2 < d ? -3.0f : -3 - 20 * (t + 2 - d); }

float OrbitBrightness(float t) {
  if (t < kOrbitFrom) return 0;
  return t < kOrbitFrom + 2 ? (t - kOrbitFrom) * 0.5f : 1.0f;
}

float FirstLightFade(float t) { return t < 16 ? 1.0f : 1 - (t - 16) * 0.5f; }

float ShellAlpha(float t) { return t < 10 ? 1.0f : 1 - (t - 10) * 0.2f; }

float CaptionBrightness(float t) {
  if (t < 6) return (t - kCaptionFrom) * 0.8f;
  if (t < 9) return 0.8f;
  return (kCaptionUntil - t) * 0.8f;
}

namespace {
void SetLight(SceneLight& light, float r, float g, float b, float x, float y, float z) {
  light = {{r, g, b, 1}, {x, y, z, 1}};
}
}  // namespace

void ComputeScene8Lights(float t, float z, SceneLight lights[kScene8LightCount]) {
  if (t < kOrbitFrom) {
    const float c = FirstLightFade(t);
    SetLight(lights[0], 0, 0.5f * c, 0.5f * c, 10, 5, 0);
    SetLight(lights[1], 0, 0, 0.7f * c, -4, 0, 1);
    SetLight(lights[2], 0, 0, 0, 0, 0, 0);
    return;
  }
  const float s = OrbitBrightness(t);
  SetLight(lights[0], 0.5f * s, 0, 0, FastSin(1.2f * t + 0.5f), FastCos(0.85f * t + 1.5f), z + FastSin(1.05f * t));
  SetLight(lights[1], 0, 0, s, 0.2f * FastSin(1.5f * t), 0.2f * FastSin(1.05f * t), z + 0.2f * FastSin(1.27f * t));
  SetLight(lights[2], 0, 0.5f * s, 0, 0.5f * FastSin(t), 0.5f * FastSin(1.3f * t + 1.5f),
           z + 0.5f * FastCos(0.9f * t + 0.5f));
}

void UpdateLightTrails(LightTrail trails[kScene8LightCount], const SceneLight lights[kScene8LightCount], bool* primed,
                       int steps) {
  const int moved = steps < 0 ? 0 : steps > kTrailLength - 1 ? kTrailLength - 1 : steps;
  for (int i = 0; i < kScene8LightCount; ++i) {
    float(*entries)[3] = trails[i].position;
    if (*primed) {
      std::memmove(entries[moved], entries[0], sizeof(entries[0]) * (kTrailLength - moved));
      for (int k = 0; k < (moved > 0 ? moved : 1); ++k) std::memcpy(entries[k], lights[i].position, sizeof(entries[k]));
    } else {
      for (int k = 0; k < kTrailLength; ++k) std::memcpy(entries[k], lights[i].position, sizeof(entries[k]));
    }
  }
  *primed = true;
}

float TrailBrightness(int k, float s) { return (0.5f - k / 64.0f) * s; }

void UpdateScene8(float t, float d, Scene8Frame* frame, Scene8Trails* trails, int trailSteps) {
  frame->x = SlideInOffset(t);
  frame->z = FractalDistance(t, d);
  frame->s = OrbitBrightness(t);
  ComputeScene8Lights(t, frame->z, frame->lights);
  if (t >= kOrbitFrom) UpdateLightTrails(trails->trails, frame->lights, &trails->primed, trailSteps);
}

}  // namespace lumaro
