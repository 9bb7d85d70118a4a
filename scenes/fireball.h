// Scene 9's computation without GL: the phases of the fireball (tumble, settle, launch,
// explosion), the flash, and the geometry of its spheres, corona bowl and shock squares.
#pragma once
#include "base/vec3.h"

namespace lumaro {

// What a frame of scene 9 needs: pitch and yaw in degrees, and the fireball's depth.
struct FireballPose {
  float rx, ry, z;
};
// Kept from frame to frame: the last tumble angles and whether the explosion began.
struct FireballMemory {
  float savedRx = 0, savedRy = 0;
  bool exploded = false;
};

// Phase boundaries, seconds before the end of the scene.
constexpr float kTumbleEndsBeforeEnd = 20.0f;
constexpr float kSettleEndsBeforeEnd = 17.5f;
constexpr float kLaunchEndsBeforeEnd = 10.0f;
constexpr float kSkyEndsBeforeEnd = 7.5f;  // then the scorched front replaces the sky
constexpr float kFireballDepth = -5.0f;

// The pose at local time t of a scene lasting d; writes the saved angles while tumbling
// and sets the exploded flag for good once the explosion begins.
FireballPose AdvanceFireball(float t, float d, FireballMemory* memory);
// One saved angle eased towards the nearer of 0 and 360; q runs from 1 to -1.
float SettleAngle(float saved, float q);
bool ShowsScorchedFront(float t, float d);

float ExplosionTime(float t, float d);  // e: 0 at the explosion, 0.8 a second
float FlashBrightness(float e);         // (1 - e/4)^2, 0 from e = 4
float FlashScale(float e);              // 4 e^(1/4) / sqrt 2

// The spheres: rings k = 0..12 from the pole at z = -0.45 to z = +0.45, azimuths j = 0..24.
constexpr int kSphereRings = 12, kSphereSegments = 24;
constexpr float kSphereRadius = 0.45f;
Vec3 SpherePoint(int ring, int segment);
// Core colour of ring k: white at the pole, through yellow and orange to dark red.
void CoreColour(int ring, float rgb[3]);
float FlameSkinGrey(int ring);  // 1 - k/18

// Corona bowl z = 1.25 r^2: strip i = 0..19, vertex at radius 0.1 i.
constexpr int kCoronaStrips = 20;
Vec3 CoronaPoint(int ring, int segment);
float CoronaT(int ring);  // texture t: 0.9 at the apex, -0.1 at the rim

// Shock squares: z = 0, 0.2, ... while z <= 2, accumulated in single precision.
constexpr int kMaxShockSquares = 11;
// Fills z and half-size of each square; returns how many there are.
int ShockSquares(float z[kMaxShockSquares], float half[kMaxShockSquares]);

}  // namespace lumaro
