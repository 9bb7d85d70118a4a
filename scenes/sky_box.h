// Scene 9's sky box: six faces at 50 units from the eye, each 100.4 wide so neighbours
// overlap. Texture coordinates (0,0), (1,0), (1,1), (0,1) go on the corners in the order
// listed. The artwork generator reads the same table, so every texel of a face shows the
// direction it is seen in and the faces join without seams.
#pragma once
#include "base/vec3.h"

namespace lumaro {

constexpr float SkyNear = 50.0f, SkyFar = 50.2f;
constexpr int SkyFaceCount = 6;

// In drawing order, which is also the order of the sky images: front, top, left, bottom,
// right, back. The front face lies straight ahead (-z).
constexpr Vec3 SkyFaceCorners[SkyFaceCount][4] = {
    {{-SkyFar, -SkyFar, -SkyNear}, {SkyFar, -SkyFar, -SkyNear}, {SkyFar, SkyFar, -SkyNear}, {-SkyFar, SkyFar, -SkyNear}},
    {{-SkyFar, SkyNear, -SkyFar}, {SkyFar, SkyNear, -SkyFar}, {SkyFar, SkyNear, SkyFar}, {-SkyFar, SkyNear, SkyFar}},
    {{-SkyNear, -SkyFar, -SkyFar}, {-SkyNear, SkyFar, -SkyFar}, {-SkyNear, SkyFar, SkyFar}, {-SkyNear, -SkyFar, SkyFar}},
    {{SkyFar, -SkyNear, -SkyFar}, {-SkyFar, -SkyNear, -SkyFar}, {-SkyFar, -SkyNear, SkyFar}, {SkyFar, -SkyNear, SkyFar}},
    {{SkyNear, SkyFar, -SkyFar}, {SkyNear, -SkyFar, -SkyFar}, {SkyNear, -SkyFar, SkyFar}, {SkyNear, SkyFar, SkyFar}},
    {{-SkyFar, SkyFar, SkyNear}, {SkyFar, SkyFar, SkyNear}, {SkyFar, -SkyFar, SkyNear}, {-SkyFar, -SkyFar, SkyNear}},
};

// The point of a face at texture coordinates (s, t): the faces are parallelograms.
constexpr Vec3 SkyFacePoint(int face, float s, float t) {
  const Vec3* c = SkyFaceCorners[face];
  return {c[0].x + s * (c[1].x - c[0].x) + t * (c[3].x - c[0].x),
          c[0].y + s * (c[1].y - c[0].y) + t * (c[3].y - c[0].y),
          c[0].z + s * (c[1].z - c[0].z) + t * (c[3].z - c[0].z)};
}

}  // namespace lumaro
