// Scene 9's sky box: six faces at 50 units from the eye, each 100.4 wide so neighbours
// overlap. Texture coordinates (0,0), (1,0), (1,1), (0,1) go on the corners in the order
// listed. The artwork generator reads the same table, so every texel of a face shows the
// direction it is seen in and the faces join without seams.
#pragma once
#include "base/vec3.h"

namespace lumaro {

constexpr float kSkyNear = 50.0f, kSkyFar = 50.2f;
constexpr int kSkyFaceCount = 6;

// In drawing order, which is also the order of the sky images: front, top, left, bottom,
// right, back. The front face lies straight ahead (-z).
constexpr Vec3 kSkyFaceCorners[kSkyFaceCount][4] = {
    {{-kSkyFar, -kSkyFar, -kSkyNear},
     {kSkyFar, -kSkyFar, -kSkyNear},
     {kSkyFar, kSkyFar, -kSkyNear},
     {-kSkyFar, kSkyFar, -kSkyNear}},
    {{-kSkyFar, kSkyNear, -kSkyFar},
     {kSkyFar, kSkyNear, -kSkyFar},
     {kSkyFar, kSkyNear, kSkyFar},
     {-kSkyFar, kSkyNear, kSkyFar}},
    {{-kSkyNear, -kSkyFar, -kSkyFar},
     {-kSkyNear, kSkyFar, -kSkyFar},
     {-kSkyNear, kSkyFar, kSkyFar},
     {-kSkyNear, -kSkyFar, kSkyFar}},
    {{kSkyFar, -kSkyNear, -kSkyFar},
     {-kSkyFar, -kSkyNear, -kSkyFar},
     {-kSkyFar, -kSkyNear, kSkyFar},
     {kSkyFar, -kSkyNear, kSkyFar}},
    {{kSkyNear, kSkyFar, -kSkyFar},
     {kSkyNear, -kSkyFar, -kSkyFar},
     {kSkyNear, -kSkyFar, kSkyFar},
     {kSkyNear, kSkyFar, kSkyFar}},
    {{-kSkyFar, kSkyFar, kSkyNear},
     {kSkyFar, kSkyFar, kSkyNear},
     {kSkyFar, -kSkyFar, kSkyNear},
     {-kSkyFar, -kSkyFar, kSkyNear}},
};

// The point of a face at texture coordinates (s, t): the faces are parallelograms.
constexpr Vec3 SkyFacePoint(int face, float s, float t) {
  const Vec3* c = kSkyFaceCorners[face];
  return {c[0].x + s * (c[1].x - c[0].x) + t * (c[3].x - c[0].x),
          c[0].y + s * (c[1].y - c[0].y) + t * (c[3].y - c[0].y),
          c[0].z + s * (c[1].z - c[0].z) + t * (c[3].z - c[0].z)};
}

}  // namespace lumaro
