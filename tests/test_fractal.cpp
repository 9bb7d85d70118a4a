#include <gtest/gtest.h>

#include <vector>

#include "gfx/sine.h"
#include "scenes/fractal.h"

using namespace lumaro;

namespace {
std::vector<Vec3> Emit(int type, int depth) {
  std::vector<Vec3> out(3 * (1u << (2 * depth)) + 3);
  const Vec3* p = kFractalCorners;
  Vec3* end = EmitSierpinskiFace(type, depth, p[0], p[1], p[2], p[3], out.data());
  out.resize(end - out.data());
  return out;
}

void ExpectNear(Vec3 a, Vec3 b, const char* what) {
  EXPECT_NEAR(a.x, b.x, 1e-5) << what;
  EXPECT_NEAR(a.y, b.y, 1e-5) << what;
  EXPECT_NEAR(a.z, b.z, 1e-5) << what;
}

// Barycentric weights of p in the outer tetrahedron; all >= 0 inside.
bool InsideFractal(Vec3 p) {
  const Vec3* c = kFractalCorners;
  const Vec3 a = c[1] - c[0], b = c[2] - c[0], d = c[3] - c[0], q = p - c[0];
  const float det = Dot(a, Cross(b, d));
  const float u = Dot(q, Cross(b, d)) / det, v = Dot(a, Cross(q, d)) / det, w = Dot(a, Cross(b, q)) / det;
  const float eps = 1e-5f;
  return u >= -eps && v >= -eps && w >= -eps && u + v + w <= 1 + eps;
}
}  // namespace

TEST(Sierpinski, EachFaceTypeEmitsItsTrianglesDepthFirst) {
  const Vec3 p1 = kFractalCorners[0], p2 = kFractalCorners[1], p3 = kFractalCorners[2];
  for (int type = 1; type <= kFaceTypeCount; ++type) {
    const std::vector<Vec3> v = Emit(type, kFractalDepth);
    ASSERT_EQ(v.size(), 3u * kFractalTrianglesPerFace) << type;
    for (size_t i = 0; i < v.size(); i += 3) {
      for (int k = 0; k < 3; ++k) ASSERT_TRUE(InsideFractal(v[i + k])) << type << " vertex " << i + k;
      // Wound so that the face type's normal is the triangle's own.
      const Vec3 n = Normalized(Cross(v[i + 1] - v[i], v[i + 2] - v[i]));
      ASSERT_GT(Dot(n, kFaceNormals[type - 1]), 0.9999f) << type << " triangle " << i / 3;
    }
  }
  // The first triangle is the corner-P1 tetrahedron's, 1/32 of the outline; the second
  // is its sibling at P2's side of the same depth-1 parent.
  const std::vector<Vec3> v = Emit(1, kFractalDepth);
  const Vec3 e2 = (p2 - p1) * (1 / 32.0f), e3 = (p3 - p1) * (1 / 32.0f);
  ExpectNear(v[0], p1, "first corner");
  ExpectNear(v[1], p1 + e2, "second corner");
  ExpectNear(v[2], p1 + e3, "third corner");
  ExpectNear(v[3], p1 + e2, "second triangle, first corner");
  ExpectNear(v[4], p1 + e2 * 2, "second triangle, second corner");
  ExpectNear(v[5], p1 + e2 + e3, "second triangle, third corner");
}

TEST(Sierpinski, UnknownFaceTypesEmitNothingAndTheShellWrapsTheFractal) {
  EXPECT_TRUE(Emit(0, 0).empty());
  EXPECT_TRUE(Emit(5, 2).empty());
  EXPECT_EQ(Emit(4, 0).size(), 3u);
  for (int i = 0; i < 4; ++i) {
    const Vec3 scaled = kFractalCorners[i] * 1.05f;
    ExpectNear({kShellCorners[i].x, kShellCorners[i].y, kShellCorners[i].z}, scaled, "shell corner");
  }
}

// At the edges of each phase (the moments inside them are the golden frames').
TEST(Scene8Timing, SlideShellCaptionAndRecessionAtTheirEdges) {
  EXPECT_FLOAT_EQ(SlideInOffset(0), -3);
  EXPECT_FLOAT_EQ(SlideInOffset(1), 0);
  EXPECT_FLOAT_EQ(SlideInOffset(30), 0);
  EXPECT_FLOAT_EQ(ShellAlpha(10), 1);
  EXPECT_TRUE(ShellShown(14.99f));
  EXPECT_FALSE(ShellShown(15));
  EXPECT_FALSE(FlaresShown(15));  // the flares need t above 15
  EXPECT_TRUE(FlaresShown(15.01f));
  EXPECT_FALSE(CaptionShown(4.99f));
  EXPECT_FLOAT_EQ(CaptionBrightness(5), 0);
  EXPECT_FLOAT_EQ(CaptionBrightness(9), 0.8f);
  EXPECT_NEAR(CaptionBrightness(9.999f), 0, 1e-3);
  EXPECT_FALSE(CaptionShown(10));
  EXPECT_FLOAT_EQ(FractalDistance(57.99f, 60), -3);
  EXPECT_FLOAT_EQ(FractalDistance(58, 60), -3);
  EXPECT_FLOAT_EQ(FractalDistance(60, 60), -43);
  EXPECT_FLOAT_EQ(FirstLightFade(17), 0.5f);
  EXPECT_FLOAT_EQ(OrbitBrightness(19), 0.5f);
  EXPECT_FLOAT_EQ(TrailBrightness(1, 1), 0.484375f);
  EXPECT_FLOAT_EQ(TrailBrightness(31, 2), 0.03125f);
}

TEST(Scene8Lights, FirstLightingIsFixedAndTheBlueLightOrbitsInsideTheFractal) {
  BuildSineTable();
  SceneLight lights[kScene8LightCount];
  ComputeScene8Lights(17, -3, lights);
  EXPECT_FLOAT_EQ(lights[0].diffuse[1], 0.25f);  // cyan at half strength
  EXPECT_FLOAT_EQ(lights[0].position[0], 10);
  EXPECT_FLOAT_EQ(lights[2].diffuse[0] + lights[2].diffuse[1] + lights[2].diffuse[2], 0);
  for (float t = 18; t < 60; t += 0.37f) {
    ComputeScene8Lights(t, -3, lights);
    const Vec3 blue{lights[1].position[0], lights[1].position[1], lights[1].position[2] + 3};
    ASSERT_LE(Length(blue), 0.2f * 1.7321f + 1e-5f) << t;
    for (const SceneLight& light : lights) ASSERT_EQ(light.position[3], 1.0f);  // positional
  }
}

TEST(Scene8Trails, UntouchedBefore18ThenPrimedThenShifted) {
  BuildSineTable();
  Scene8Frame frame;
  Scene8Trails trails;
  UpdateScene8(17.99f, 60, &frame, &trails);
  EXPECT_FALSE(trails.primed);
  for (const LightTrail& trail : trails.trails)
    for (const auto& entry : trail.position) ASSERT_EQ(entry[0] + entry[1] + entry[2], 0.0f);

  UpdateScene8(18.01f, 60, &frame, &trails);
  ASSERT_TRUE(trails.primed);
  for (int i = 0; i < kScene8LightCount; ++i)
    for (const auto& entry : trails.trails[i].position)
      for (int c = 0; c < 3; ++c) ASSERT_EQ(entry[c], frame.lights[i].position[c]);

  const float first[3] = {frame.lights[0].position[0], frame.lights[0].position[1], frame.lights[0].position[2]};
  UpdateScene8(18.05f, 60, &frame, &trails);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(trails.trails[0].position[0][c], frame.lights[0].position[c]);
    EXPECT_EQ(trails.trails[0].position[1][c], first[c]);
    EXPECT_EQ(trails.trails[0].position[31][c], first[c]);
  }
}

// At other frame rates a frame covers no step of the trail or several: the entries move by
// as many places, the newest position fills the places opened, and the trail keeps its span
// of time.
TEST(Scene8Trails, MoveByTheStepsAFrameCovers) {
  BuildSineTable();
  Scene8Frame frame;
  Scene8Trails trails;
  UpdateScene8(18.01f, 60, &frame, &trails);
  auto x = [&](int entry) { return trails.trails[0].position[entry][0]; };
  UpdateScene8(18.30f, 60, &frame, &trails, 1);
  const float older = x(1), newer = x(0);
  ASSERT_NE(older, newer);
  UpdateScene8(18.31f, 60, &frame, &trails, 0);  // between two steps: only the head moves
  EXPECT_EQ(x(1), older);
  EXPECT_EQ(x(0), frame.lights[0].position[0]);
  const float head = x(0);
  UpdateScene8(18.50f, 60, &frame, &trails, 3);
  EXPECT_EQ(x(0), frame.lights[0].position[0]);
  EXPECT_EQ(x(2), frame.lights[0].position[0]);
  EXPECT_EQ(x(3), head);
  EXPECT_EQ(x(4), older);
}
