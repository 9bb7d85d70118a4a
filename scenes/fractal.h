// Scene 8's computation without GL: the Sierpinski tetrahedron's triangles, the timing of
// slide-in, lighting, shell and caption, the orbiting lights and their trails.
#pragma once
#include <cstdint>

#include "base/vec3.h"

namespace lumaro {

// Face types 1 to 4 of a tetrahedron P1..P4: their corners in emission order and normals.
constexpr int kFaceTypeCount = 4;
extern const int kFaceCorners[kFaceTypeCount][3];  // indices 0..3 into P1..P4
extern const Vec3 kFaceNormals[kFaceTypeCount];
extern const Vec3 kFractalCorners[4];
extern const Vec3 kShellCorners[4];  // the fractal's outline, 1.05 times as large
constexpr int kFractalDepth = 5;
constexpr int kFractalTrianglesPerFace = 1 << (2 * kFractalDepth);  // 4^5

// Writes the 4^depth triangles (three vertices each) of one face type at out, depth first,
// the corner-P1 child first; returns the position after the last vertex written.
Vec3* EmitSierpinskiFace(int faceType, int depth, Vec3 p1, Vec3 p2, Vec3 p3, Vec3 p4, Vec3* out);

// Timing of the scene, t its local time, d its duration (seconds).
float SlideInOffset(float t);             // x of the fractal: -3 at 0, 0 from 1 s
float FractalDistance(float t, float d);  // z: -3, receding 20 units a second in the last 2 s
float OrbitBrightness(float t);           // s of the coloured lights: 0 before 18 s, 1 from 20 s
float FirstLightFade(float t);            // c of the first lighting: 1 before 16 s, 0 at 18 s
float ShellAlpha(float t);                // 1 before 10 s, 0 at 15 s
float CaptionBrightness(float t);         // 0 at 5 s, 0.8 from 6 to 9 s, 0 at 10 s
constexpr float kOrbitFrom = 18.0f;       // the coloured lights start orbiting
constexpr float kCaptionFrom = 5.0f, kCaptionUntil = 10.0f;
inline bool ShellShown(float t) { return t < 15; }
inline bool CaptionShown(float t) { return t >= kCaptionFrom && t < kCaptionUntil; }
inline bool FlaresShown(float t) { return t > 15; }

// The three lights in the order red, blue, green (GL_LIGHT0 to 2): diffuse colour and
// position in eye coordinates, for local time t and fractal depth z.
struct SceneLight {
  float diffuse[4];
  float position[4];
};
constexpr int kScene8LightCount = 3;
void ComputeScene8Lights(float t, float z, SceneLight lights[kScene8LightCount]);

// Each light leaves a trail of its last 32 positions, entry 0 the newest.
constexpr int kTrailLength = 32;
struct LightTrail {
  float position[kTrailLength][3] = {};
};
static_assert(sizeof(LightTrail) == 384);
// First call (primed false): every entry takes the light's position. Later calls move the
// entries `steps` places back (the trail's steps of time the frame covers; none between two
// steps at a high frame rate) and store the new position in entry 0 and the places opened.
constexpr int kTrailStepsPerSecond = 25;  // an entry a frame at 25 frames a second
void UpdateLightTrails(LightTrail trails[kScene8LightCount], const SceneLight lights[kScene8LightCount], bool* primed,
                       int steps = 1);
float TrailBrightness(int k, float s);  // entry k = 1..31: (0.5 - k/64) s

// Everything a frame of scene 8 draws from, computed before any drawing.
struct Scene8Frame {
  float x, z;  // the fractal's offset and depth
  float s;     // brightness of the orbiting lights
  SceneLight lights[kScene8LightCount];
};
struct Scene8Trails {
  LightTrail trails[kScene8LightCount];  // red, blue, green
  bool primed = false;
};
// The frame's values for local time t of a scene lasting d; the trails move from 18 s on.
// `trailSteps`: the trails' steps of time the frame covers.
void UpdateScene8(float t, float d, Scene8Frame* frame, Scene8Trails* trails, int trailSteps = 1);

}  // namespace lumaro
