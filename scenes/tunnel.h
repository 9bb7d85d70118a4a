// Scene 12's computation without GL: the tunnel's rings and greys, the wheel's spokes, the
// camera's orbit and roll, and where the streaming and circling glows are.
#pragma once
#include "base/vec3.h"

namespace lumaro {

constexpr int kTunnelRings = 15;  // i from -15 to 14, ten units each
constexpr int kCircleSteps = 24;  // theta_j for j = 0..24 closes the circle
float TunnelGrey(int i);          // 0.7 in the middle, 0 at the ends (|i| = 15)
float CircleAngle(int j);         // radians, 15.001 degrees a step

// A spoke's corners as polar points (radius, angle) around the hub: inner and outer, on the
// + and - side of its direction.
struct PolarPoint {
  float radius, angle;
};
constexpr int kSpokeCount = 6;
void SpokeCorners(int k, PolarPoint* innerPlus, PolarPoint* innerMinus, PolarPoint* outerPlus, PolarPoint* outerMinus);

// The camera, multiplied onto the projection: roll R1, yaw Y and world roll Z in degrees,
// orbit angle C in radians.
struct TunnelCamera {
  float roll, yaw, worldRoll, orbit;
};
TunnelCamera TunnelCameraAt(float t);
// Where the eye is, in the world rolled by Z: it circles the middle wheel.
Vec3 TunnelEye(float t);

// The 120 axis glows: glow k (-60..59) sits at z = (k + f) * 2.5 with f = fmod(5t, 1), its
// brightness belonging to its index.
constexpr int kAxisGlowFirst = -60, kAxisGlowCount = 120;
constexpr float kAxisGlowSpacing = 2.5f;
double AxisGlowPhase(float t);
float AxisGlowZ(int k, double phase);
float AxisGlowBrightness(int k);
// "-safe": an axis glow the camera passes close to fills the screen with white. In the
// passages that flash too often, a glow within kSafeGlowDistance of the eye fades with the
// fourth power of its distance; elsewhere, and farther out, this is 1.
constexpr float kSafeGlowDistance = 4.5f;
float SafeGlowScale(float t, float z);

// The seven glows circling each side of each hub.
constexpr int kHubGlowsPerSide = 7;
extern const float kHubGlowDepths[6];
Vec3 HubGlowPosition(int j, float z, float t);

}  // namespace lumaro
